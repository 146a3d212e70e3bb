#pragma once

#include "child_window_string.h"
#include "hint_reveal.h"
#include "model/hunk.h"

namespace klu {

class THintButton;

// "THintChild": the window of an item hunk. It shows the hunk's first hint (or as many as hint
// memory says) and one more with each press of its button_, Space or Enter. A hunk with a
// single hint (a subject, a text) has nothing to reveal and no button_ at all, so that neither
// the focus nor a screen reader finds a button that is never seen.
class THintChild : public TStringChild {
    Q_OBJECT

  public:
    static constexpr int kButtonHeight = 25;

    THintChild(TItemsHunk& hunk, std::string kind_name, const Settings& settings,
               QWidget* parent = nullptr);

    // The reveal button, or none for a hunk with a single hint.
    THintButton* Button() const { return button_; }
    const HintReveal& Reveal() const { return reveal_; }

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
    void HintRevealed(const klu::THunk* hunk);

  protected:
    void LayOut() override;
    QWidget* DefaultFocusWidget() override;

  private:
    HintReveal reveal_;
    THintButton* button_;
};

}  // namespace klu
