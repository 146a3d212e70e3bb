#include "document_area.h"

#include <QAction>
#include <QEvent>
#include <QKeySequence>
#include <QMenu>
#include <QStyle>

#include "command_ids.h"
#include "file_filter.h"
#include "menu_table.h"
#include "hunk_printer.h"
#include "model/document/hint_document.h"
#include "model/document/hunk.h"
#include "open_hint_file.h"
#include "tab_layout.h"
#include "views/text_window.h"
#include "views/gif_window.h"
#include "views/hint_window.h"
#include "views/text_view.h"
#include "window_commands.h"

namespace klu {

namespace {

// Every accelerator of the main menu.
QList<QKeySequence> MenuAccelerators() {
    QList<QKeySequence> keys;
    for (const MenuPopup& popup : KluMenu()) {
        for (const MenuItem& item : popup.items) {
            if (!item.accelerator.empty())
                keys.append(QKeySequence(QString::fromStdString(item.accelerator)));
        }
    }
    return keys;
}

// A child window's system menu binds keys of its own (Close takes Ctrl+W here). A key that is
// also an accelerator of the main menu would be ambiguous, and Qt then runs neither command, so
// the system menu gives it up.
void YieldMenuAccelerators(QMdiSubWindow& frame) {
    static const QList<QKeySequence> taken = MenuAccelerators();
    if (frame.systemMenu() == nullptr) return;
    for (QAction* action : frame.systemMenu()->actions()) {
        QList<QKeySequence> keys = action->shortcuts();
        if (keys.removeIf([](const QKeySequence& key) { return taken.contains(key); }) > 0)
            action->setShortcuts(keys);
    }
}

// Whether the hunk is one of the document's, rather than one a list window made and owns.
bool HoldsHunk(const HintDocument& document, const Hunk& hunk) {
    const KLUObject* top = hunk.Top();
    for (size_t i = 0; i < document.Count(); ++i) {
        if (document.Entry(i) == top) return true;
    }
    return false;
}

}  // namespace

DocumentArea::DocumentArea(AppState& state, UserDialogs& dialogs, QWidget* parent)
    : QMdiArea(parent),
      state_(state),
      dialogs_(dialogs),
      printer_(std::make_unique<HunkPrinter>()),
      layout_(new TabLayout(*this, [this](QMdiSubWindow& frame) { Place(frame); })) {
    connect(this, &QMdiArea::subWindowActivated, this, &DocumentArea::RecordVisit);
    // A window that closes hands over to the one that was active before it.
    setActivationOrder(QMdiArea::ActivationHistoryOrder);
    setBackground(palette().brush(QPalette::Dark));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

DocumentArea::~DocumentArea() = default;

// The empty part of the client follows the colour scheme, as the windows in it do.
void DocumentArea::changeEvent(QEvent* event) {
    QMdiArea::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) setBackground(palette().brush(QPalette::Dark));
}

TextWindow* DocumentArea::CurrentView() const {
    QMdiSubWindow* child = currentSubWindow();
    if (!child) return nullptr;
    return qobject_cast<TextWindow*>(child->widget());
}

GifWindow* DocumentArea::CurrentGif() const {
    QMdiSubWindow* child = currentSubWindow();
    return child ? qobject_cast<GifWindow*>(child->widget()) : nullptr;
}

bool DocumentArea::IsCommandEnabled(int id) const {
    if (id >= CM_RECENT_FIRST && id < CM_RECENT_END) return true;
    const MenuItem* item = FindMenuItem(id);
    if (!item) return false;
    switch (item->enabling) {
        case Enabling::Always:
            return true;
        case Enabling::FileLoaded:
            return state_.FileLoaded();
        case Enabling::View:
            // A GIF window is saved and copied, not printed.
            return CurrentView() != nullptr || (CurrentGif() != nullptr && id != CM_PRINTWINDOW);
        case Enabling::Windows:
            return Layout() == WindowLayout::Windows;
        case Enabling::History:
            return id == CM_GOBACK ? history_.CanGoBack() : history_.CanGoForward();
    }
    return false;
}

void DocumentArea::Command(int id) {
    if (!IsCommandEnabled(id)) return;
    switch (id) {
        case CM_FILEOPEN:
            CmFileOpen();
            break;
        case CM_VERBOSELISTING:
            CmVerboseListing();
            break;
        case CM_FILEINFO:
            CmFileInfo();
            break;
        case CM_DECODETOTEXT:
            CmDecodeToText();
            break;
        case CM_EXPORTWEBPAGE:
            CmExportWebPage();
            break;
        case CM_FINDINFILE:
            CmFindInFile();
            break;
        case CM_CHANGELISTFOLDER:
            CmListFolder();
            break;
        case CM_PRINTFILE:
            CmPrintFile();
            break;
        case CM_PRINTERSETUP:
            CmPrinterSetup();
            break;
        case CM_CASCADECHILDREN:
            Cascade();
            break;
        case CM_TILECHILDREN:
            // The tiles take the whole client area; the minimized windows stay in view on top.
            tileSubWindows();
            ArrangeIcons();
            break;
        case CM_ARRANGEICONS:
            ArrangeIcons();
            break;
        case CM_CLOSECHILDREN:
            closeAllSubWindows();
            break;
        case CM_LAYOUTTABS:
            SetLayout(WindowLayout::Tabs);
            break;
        case CM_LAYOUTWINDOWS:
            SetLayout(WindowLayout::Windows);
            break;
        case CM_SHOWTOPWINDOW:
            CmShowTopWindow();
            break;
        case CM_GOBACK:
            Revisit(history_.Back());
            break;
        case CM_GOFORWARD:
            Revisit(history_.Forward());
            break;
        case CM_SAVEWINDOW:
            if (const GifWindow* gif = CurrentGif())
                SaveWindow(*gif, state_, dialogs_);
            else
                SaveWindow(*CurrentView(), state_, dialogs_);
            break;
        case CM_PRINTWINDOW:
            PrintWindow(*CurrentView(), state_, dialogs_, Printer());
            break;
        case CM_COPYTOCLIPBOARD:
            if (const GifWindow* gif = CurrentGif())
                CopyWindow(*gif);
            else
                CopyWindow(*CurrentView());
            break;
        case CM_SETOPTIONS:
            CmSetOptions();
            break;
        case CM_RESETHINTMEMORY:
            CmResetHintMemory();
            break;
        case CM_SHOWHELPFILE:
            ShowHelpFile();
            break;
        case CM_PRINTHELPFILE:
            CmPrintHelpFile();
            break;
        case CM_ABOUT:
            dialogs_.ShowAbout();
            break;
        case CM_WEBSITE:
            CmWebSite();
            break;
        default:
            break;  // Exit and the recent files belong to the frame
    }
    emit StateChanged();
}

// The open dialog starts in the current folder with the hint files shown.
void DocumentArea::CmFileOpen() {
    if (std::optional<std::string> path =
            dialogs_.AskOpenFile(std::string(), std::string(), DialogFilterOf(kHintFileFilter)))
        OpenHintFile(*path);
}

// The hunks of the file before go during the open, so the history starts again with the new
// file's top window.
void DocumentArea::OpenHintFile(const std::string& path) {
    history_.Clear();
    klu::OpenHintFile(*this, state_, dialogs_, path);
    emit DocumentOpened();
    emit StateChanged();
}

void DocumentArea::SetLayout(WindowLayout layout) {
    layout_->Apply(layout);
    state_.settings.layout = layout;
}

WindowLayout DocumentArea::Layout() const {
    return layout_->Layout();
}

void DocumentArea::RecordVisit(QMdiSubWindow* frame) {
    auto* child = frame ? qobject_cast<HunkWindow*>(frame->widget()) : nullptr;
    if (child && (HoldsHunk(state_.currentDocument, child->ShownHunk()) ||
                  HoldsHunk(state_.helpDocument, child->ShownHunk())))
        history_.Visit(child->ShownHunk());
}

void DocumentArea::Revisit(Hunk* hunk) {
    if (hunk) hunk->Open();
}

// A window takes three quarters of the client area and steps down and right from the one
// placed before it by a title bar's height, as the window system places new child windows. Once
// it would leave the client area it starts again at the top, one step further right each round
// so that no window hides another whole, and at the top left when that is full too.
QRect DocumentArea::NextChildPlace(const QMdiSubWindow& frame) {
    const QSize room = viewport()->size();
    const QSize size(room.width() * 3 / 4, room.height() * 3 / 4);
    const int step = frame.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &frame) + 4;
    auto fits = [&](QPoint place) {
        return place.x() + size.width() <= room.width() &&
               place.y() + size.height() <= room.height();
    };
    if (!fits(nextPlace_)) {
        ++placeRound_;
        nextPlace_ = QPoint(placeRound_ * step, 0);
        if (!fits(nextPlace_)) {
            placeRound_ = 0;
            nextPlace_ = QPoint(0, 0);
        }
    }
    const QRect place(nextPlace_, size);
    nextPlace_ += QPoint(step, step);
    return place;
}

// A window of text or pictures shrinks to what it shows, all its hints revealed, or grows to the
// edge of the client area for more; it never gets smaller than a usable minimum.
void DocumentArea::FitToContent(QMdiSubWindow& frame, TextWindow& window) const {
    TextView& control = window.Control();
    const QSize around = frame.size() - control.viewport()->size();
    const LayoutSize content = control.FullDocumentSize();
    const QSize room = viewport()->size() - QSize(frame.x(), frame.y());
    const QSize fitted = QSize(content.width, content.height) + around;
    frame.resize(fitted.boundedTo(room).expandedTo(kSmallestChild.boundedTo(room)));
}

// A tab fills the area; it gets a place of its own once the windows are separate.
QMdiSubWindow* DocumentArea::AddChildWindow(HunkWindow& window) {
    if (auto* hints = qobject_cast<HintWindow*>(&window))
        connect(hints, &HintWindow::HintRevealed, this, &DocumentArea::HintMemoryChanged);
    QMdiSubWindow* frame = addSubWindow(&window);
    YieldMenuAccelerators(*frame);
    const bool separate = Layout() == WindowLayout::Windows;
    if (separate) {
        frame->setGeometry(NextChildPlace(*frame));
    } else {
        layout_->AddUnplaced(*frame);
    }
    window.SetupWindow();
    frame->show();
    auto* text = qobject_cast<TextWindow*>(&window);
    if (text && separate) FitToContent(*frame, *text);
    setActiveSubWindow(frame);
    // Activation moves the focus into the window: it goes where the set-up put it.
    window.RestoreFocus();
    return frame;
}

void DocumentArea::BringToFront(QMdiSubWindow& frame) {
    layout_->BringToFront(frame);
}

void DocumentArea::Place(QMdiSubWindow& frame) {
    frame.setGeometry(NextChildPlace(frame));
    if (auto* text = qobject_cast<TextWindow*>(frame.widget())) FitToContent(frame, *text);
}

// Qt's own cascade shrinks each window to its size hint, a bare title bar for these windows;
// here every window gets the size and the step of a new one. The windows are placed from the
// bottom of the stack up, so the active one stays on top.
void DocumentArea::Cascade() {
    nextPlace_ = QPoint(0, 0);
    placeRound_ = 0;
    for (QMdiSubWindow* child : subWindowList(QMdiArea::StackingOrder)) {
        if (child->isMinimized()) continue;
        if (child->isMaximized()) child->showNormal();
        child->setGeometry(NextChildPlace(*child));
        child->raise();
    }
}

// Lines the minimized children up along the bottom edge, left to right, in front of the others.
void DocumentArea::ArrangeIcons() {
    int x = 0;
    for (QMdiSubWindow* child : subWindowList()) {
        if (!child->isMinimized()) continue;
        const QSize size = child->size();
        child->move(x, viewport()->height() - size.height());
        child->raise();
        x += size.width();
    }
}

}  // namespace klu
