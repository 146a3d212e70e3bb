#pragma once

#include "text_window.h"
#include "hint_reveal.h"
#include "model/document/hunk.h"

namespace klu {

class HintButton;

// The window of an item hunk. It shows the hunk's first hint (or as many as hint
// memory says) and one more with each press of its button_, Space or Enter. A hunk with a
// single hint (a subject, a text) has nothing to reveal and no button_ at all, so that neither
// the focus nor a screen reader finds a button that is never seen.
class HintWindow : public TextWindow {
    Q_OBJECT

  public:
    static constexpr int kButtonHeight = 25;

    HintWindow(ItemsHunk& hunk, std::string kind_name, const Settings& settings,
               QWidget* parent = nullptr);

    // The reveal button, or none for a hunk with a single hint.
    HintButton* Button() const { return button_; }

    void SetupWindow() override;
    int ButtonAreaHeight() const override { return reveal_.ButtonAreaHeight(); }
    bool FocusButton(bool forward) override;
    void DefaultAction() override { CmAnotherHint(); }

    // A press of the button: the next hint, scrolled into view; after the last, the window
    // closes.
    void CmAnotherHint();
    // Reveals one more hint.
    void ShowNextHint();

  signals:
    // A hint more is shown; with hint memory on, the hunk's revealed count changed.
    void HintRevealed(const klu::Hunk* hunk);

  protected:
    void LayOut() override;
    QWidget* DefaultFocusWidget() override;

  private:
    HintReveal reveal_;
    HintButton* button_;
};

}  // namespace klu
