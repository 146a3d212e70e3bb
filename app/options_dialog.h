#pragma once

#include <string>

#include "centered_dialog.h"
#include "model/store/settings.h"
#include "user_dialogs.h"

class QCheckBox;
class QLabel;

namespace klu {

class ColorSample;

// The colour dialog's custom colours for the whole process: all black at first, kept (not
// saved) from one use of the colour dialog to the next.
CustomColors& ProcessCustomColors();

// The font text of the dialog: "Arial, 10 pt.".
std::string FontText(const std::string& face, int point_size);

// The dialog "OPTIONS": the main font, the colour of link text, counting on the
// hint button and hint memory. It edits copies; only OK writes them back into the settings.
class OptionsDialog : public CenteredDialog {
    Q_OBJECT

  public:
    // The ids of the dialog's controls.
    static constexpr int kDisplayGroup = 101;
    static constexpr int kCountingBox = 102;
    static constexpr int kHintGroup = 103;
    static constexpr int kChooseFont = 104;
    static constexpr int kChooseColor = 105;
    static constexpr int kMemoryBox = 106;
    static constexpr int kFontText = 201;
    static constexpr int kColorSample = 202;
    static constexpr int kOk = 1;
    static constexpr int kCancel = 2;
    static constexpr int kNoId = -1;

    // dialogs asks for the font and the colour on behalf of parent.
    OptionsDialog(QWidget* parent, Settings& settings, UserDialogs& dialogs);

    // The control with the id; the first of them for kNoId.
    QWidget* Control(int id) const;
    uint32_t EditedLinkColor() const { return linkColor_; }

    // The push buttons "Choose Font..." and "Choose Color...".
    void CmChooseFont();
    void CmChooseColor();

    // OK: the copies go back into the settings.
    void accept() override;

  private:
    void BuildControls();
    void ShowFontText();

    Settings& settings_;
    UserDialogs& dialogs_;
    FontRecord font_;
    std::string face_;
    int pointSize_ = 0;
    uint32_t linkColor_ = 0;

    QLabel* fontText_ = nullptr;
    ColorSample* sample_ = nullptr;
    QCheckBox* counting_ = nullptr;
    QCheckBox* memory_ = nullptr;
};

}  // namespace klu
