// Which commands the frame enables.
#include <QLabel>
#include <QSignalSpy>
#include <set>

#include "app/command_ids.h"
#include "app/menu_builder.h"
#include "app/menu_table.h"
#include "model/document/meta_text_hunk.h"
#include "views/text_window.h"
#include "window_fixture.h"

namespace klu::test {
namespace {

using Commands = std::multiset<int>;

// Go to the KLU Web Site is there only when the build names a web address.
const Commands kAlways = [] {
    Commands always = {CM_FILEOPEN,      CM_VERBOSELISTING,  CM_CHANGELISTFOLDER, CM_PRINTERSETUP,
                       CM_EXIT,          CM_CASCADECHILDREN, CM_TILECHILDREN,     CM_ARRANGEICONS,
                       CM_CLOSECHILDREN, CM_LAYOUTTABS,      CM_LAYOUTWINDOWS,    CM_SETOPTIONS,
                       CM_VIEWCONTENTS,  CM_FILTERCONTENTS,  CM_SHOWHELPFILE,     CM_PRINTHELPFILE,
                       CM_ABOUT};
    if (!MakerWebAddress().empty()) always.insert(CM_WEBSITE);
    return always;
}();
const Commands kWithAFile = {CM_FILEINFO,  CM_DECODETOTEXT,  CM_EXPORTWEBPAGE,  CM_FINDINFILE,
                             CM_PRINTFILE, CM_SHOWTOPWINDOW, CM_RESETHINTMEMORY};
const Commands kWithATextWindow = {CM_SAVEWINDOW, CM_PRINTWINDOW, CM_COPYTOCLIPBOARD};

Commands Plus(Commands commands, const Commands& more) {
    commands.insert(more.begin(), more.end());
    return commands;
}

class FrameCommandsTest : public WindowFixture {
  protected:
    // The commands of the menus that are enabled, each as often as the menus offer it.
    Commands Enabled() const {
        frame->UpdateMenus();
        Commands enabled;
        for (const QMenu* popup : frame->Popups()) {
            for (const QAction* action : popup->actions())
                if (!action->isSeparator() && action->isEnabled())
                    enabled.insert(CommandIdOf(*action));
        }
        return enabled;
    }
    QMdiSubWindow* Activate(QWidget* window) {
        QMdiSubWindow* sub = Client().addSubWindow(window);
        sub->show();
        Client().setActiveSubWindow(sub);
        return sub;
    }
};

TEST_F(FrameCommandsTest, TheEnabledCommandsFollowTheOpenFileAndTheActiveWindow) {
    EXPECT_EQ(Enabled(), kAlways) << "no file";
    ASSERT_EQ(LoadBytes(SampleHintFile(), state.currentDocument), LoadResult::Ok);
    EXPECT_EQ(Enabled(), Plus(kAlways, kWithAFile)) << "a file";
    state.currentDocument.Clear();
    EXPECT_EQ(Enabled(), kAlways) << "the file closed again";
    MetaTextHunk hunk("Shown", nullptr, SUBJECT);
    const QMdiSubWindow* text = Activate(new TextWindow(hunk, "SUBJECT", state.settings));
    EXPECT_EQ(Enabled(), Plus(kAlways, kWithATextWindow)) << "a text window active";
    Activate(new QLabel("plain"));
    EXPECT_EQ(Enabled(), kAlways) << "a window of another kind active";
    delete text;
}

TEST_F(FrameCommandsTest, ADisabledCommandCalledDirectlyDoesNothing) {
    const QSignalSpy reset(&Client(), &DocumentArea::HintMemoryChanged);
    Client().Command(CM_RESETHINTMEMORY);
    EXPECT_TRUE(reset.empty());
}

}  // namespace
}  // namespace klu::test
