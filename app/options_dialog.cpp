#include "options_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

#include "color_sample.h"
#include "dialog_units.h"
#include "views/qt_text_measurer.h"

namespace klu {

namespace {

enum class ControlKind { GroupBox, Label, Button, DefaultButton, ColorSample, CheckBox };

// One control of the dialog template, in dialog units.
struct ControlPlan {
    int id;
    ControlKind kind;
    const char* text;
    int x, y, width, height;
};

constexpr int kDialogWidth = 271;
constexpr int kDialogHeight = 163;
// The inner right edge of the group boxes: a check box whose text is wider in this font than
// the template allows may run up to it rather than lose the end of its text.
constexpr int kGroupInnerRight = 252;

// "OPTIONS", in the order of its template, which is also the order of the focus.
constexpr std::array<ControlPlan, 12> kControls = {{
    {OptionsDialog::kDisplayGroup, ControlKind::GroupBox, "Display Options", 10, 7, 248, 62},
    {OptionsDialog::kNoId, ControlKind::Label, "Default Font", 16, 22, 60, 8},
    {OptionsDialog::kFontText, ControlKind::Label, "Arial, 10 pt.", 84, 22, 90, 8},
    {OptionsDialog::kChooseFont, ControlKind::Button, "Choose Font...", 184, 20, 60, 14},
    {OptionsDialog::kNoId, ControlKind::Label, "Color of Link Text", 16, 45, 60, 8},
    {OptionsDialog::kColorSample, ControlKind::ColorSample, "", 84, 42, 48, 14},
    {OptionsDialog::kChooseColor, ControlKind::Button, "Choose Color...", 184, 42, 60, 14},
    {OptionsDialog::kHintGroup, ControlKind::GroupBox, "Hint Options", 10, 80, 248, 48},
    {OptionsDialog::kCountingBox, ControlKind::CheckBox,
     "Display number of hints remaining in each question", 24, 93, 180, 12},
    {OptionsDialog::kMemoryBox, ControlKind::CheckBox,
     "Hint Memory (remembers which hints have been displayed)", 24, 108, 228, 12},
    {OptionsDialog::kOk, ControlKind::DefaultButton, "OK", 148, 141, 50, 14},
    {OptionsDialog::kCancel, ControlKind::Button, "Cancel", 208, 141, 50, 14},
}};

constexpr char kControlIdProperty[] = "controlId";

QWidget* MakeControl(const ControlPlan& plan, QWidget* parent) {
    const QString text = QString::fromUtf8(plan.text);
    switch (plan.kind) {
        case ControlKind::GroupBox:
            return new QGroupBox(text, parent);
        case ControlKind::Label:
            return new QLabel(text, parent);
        case ControlKind::Button:
        case ControlKind::DefaultButton: {
            auto* button = new QPushButton(text, parent);
            button->setDefault(plan.kind == ControlKind::DefaultButton);
            return button;
        }
        case ControlKind::ColorSample:
            return new ColorSample(parent);
        case ControlKind::CheckBox:
            return new QCheckBox(text, parent);
    }
    return nullptr;
}

}  // namespace

CustomColors& ProcessCustomColors() {
    static CustomColors colors{};
    return colors;
}

std::string FontText(const std::string& face, int point_size) {
    std::vector<char> text(face.size() + 32);
    std::snprintf(text.data(), text.size(), "%s, %i pt.", face.c_str(), point_size);
    return text.data();
}

OptionsDialog::OptionsDialog(QWidget* parent, Settings& settings, UserDialogs& dialogs)
    : CenteredDialog(parent),
      settings_(settings),
      dialogs_(dialogs),
      font_(settings.mainFont),
      face_(settings.mainFont.face),
      pointSize_(settings.mainFont.pointSize),
      linkColor_(settings.linkColor) {
    setWindowTitle(QStringLiteral("Options"));
    // A fixed frame with a system menu: no resizing, no minimising or maximising.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    BuildControls();

    counting_->setChecked(settings.showCounting);
    memory_->setChecked(settings.hintMemoryOn);
    ShowFontText();
    sample_->SetColorRef(linkColor_);
}

void OptionsDialog::BuildControls() {
    const DialogUnits units = DialogUnitsOf(font());
    setFixedSize(units.X(kDialogWidth), units.Y(kDialogHeight));
    for (const ControlPlan& plan : kControls) {
        QWidget* control = MakeControl(plan, this);
        control->setProperty(kControlIdProperty, plan.id);
        QRect place = units.ToPixels(plan.x, plan.y, plan.width, plan.height);
        if (plan.kind == ControlKind::CheckBox) {
            const int room = units.X(kGroupInnerRight) - place.left();
            place.setWidth(std::max(place.width(), std::min(control->sizeHint().width(), room)));
        }
        control->setGeometry(place);
    }
    fontText_ = static_cast<QLabel*>(Control(kFontText));
    sample_ = static_cast<ColorSample*>(Control(kColorSample));
    counting_ = static_cast<QCheckBox*>(Control(kCountingBox));
    memory_ = static_cast<QCheckBox*>(Control(kMemoryBox));
    connect(static_cast<QPushButton*>(Control(kChooseFont)), &QPushButton::clicked, this,
            &OptionsDialog::CmChooseFont);
    connect(static_cast<QPushButton*>(Control(kChooseColor)), &QPushButton::clicked, this,
            &OptionsDialog::CmChooseColor);
    connect(static_cast<QPushButton*>(Control(kOk)), &QPushButton::clicked, this,
            &OptionsDialog::accept);
    connect(static_cast<QPushButton*>(Control(kCancel)), &QPushButton::clicked, this,
            &OptionsDialog::reject);
}

QWidget* OptionsDialog::Control(int id) const {
    for (QObject* child : children()) {
        if (child->isWidgetType() && child->property(kControlIdProperty).toInt() == id)
            return static_cast<QWidget*>(child);
    }
    return nullptr;
}

// Until a font is chosen the text names the desktop's, which the windows use then.
void OptionsDialog::ShowFontText() {
    if (face_.empty()) {
        const QFont desktop = ScreenFontOf(FontRecord{});
        fontText_->setText(QString::fromStdString(
            FontText(desktop.family().toStdString(), std::max(0, desktop.pointSize()))));
        return;
    }
    fontText_->setText(QString::fromStdString(FontText(face_, pointSize_)));
}

void OptionsDialog::CmChooseFont() {
    const std::optional<ChosenFont> chosen = dialogs_.AskFont(font_);
    if (!chosen) return;
    font_ = chosen->font;
    pointSize_ = chosen->tenthsOfPoint / 10;
    face_ = chosen->font.face;
    ShowFontText();
}

void OptionsDialog::CmChooseColor() {
    const std::optional<uint32_t> chosen = dialogs_.AskColor(linkColor_, ProcessCustomColors());
    if (!chosen) return;
    linkColor_ = *chosen;
    sample_->SetColorRef(linkColor_);
    update();
}

void OptionsDialog::accept() {
    settings_.mainFont = font_;
    settings_.mainFont.face = face_;
    settings_.mainFont.pointSize = pointSize_;
    settings_.linkColor = linkColor_;
    settings_.showCounting = counting_->isChecked();
    settings_.hintMemoryOn = memory_->isChecked();
    CenteredDialog::accept();
}

}  // namespace klu
