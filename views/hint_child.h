#pragma once

#include "child_window_string.h"
#include "hint_reveal.h"

namespace klu {

class THintButton;

// "THintChild": the window of an item hunk. It shows the hunk's first hint (or as many as hint
// memory says) and one more with each press of its button_, Space or Enter.
class THintChild : public TStringChild {
    Q_OBJECT

  public:
    static constexpr int kButtonHeight = 25;

    THintChild(TItemsHunk& hunk, std::string kind_name, const Settings& settings,
               QWidget* parent = nullptr);

    THintButton& Button() const { return *button_; }
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

  protected:
    void LayOut() override;

  private:
    HintReveal reveal_;
    THintButton* button_;
};

}  // namespace klu
