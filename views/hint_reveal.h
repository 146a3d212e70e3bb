#pragma once

#include <cstdint>
#include <string>

#include "model/export/reveal_texts.h"

namespace klu {

class Hunk;
class ItemsHunk;

// The progressive reveal of a hint window: which children of the hunk are shown, how many hints
// were revealed, and the text of the reveal button. A question's hints follow one another,
// separated by "-" lines; the window shows the first, and each press shows the next one.
class HintReveal {
  public:
    enum class Press { Revealed, Close, Nothing };

    // With hint memory on, the window starts from the hunk's remembered count.
    HintReveal(ItemsHunk& hunk, bool hint_memory_on);

    // Reveals one more hint; with hint memory on the hunk remembers the count.
    void ShowNextHint(bool show_counting, bool hint_memory_on);
    // A press of the button (or Space, or Enter): reveals the next hint, or asks for the window
    // to close once everything is shown (only when there was more than one hint).
    Press AnotherHint(bool show_counting, bool hint_memory_on);

    int32_t HintsShown() const { return hints_shown_; }
    int32_t HintCount() const { return hint_count_; }
    // How many children the window's control shows.
    int32_t VisibleCount() const { return visible_count_; }
    const std::string& ButtonText() const { return button_text_; }
    // The button stands under the text only when there is something to reveal.
    int ButtonAreaHeight() const { return hint_count_ == 1 ? 0 : 25; }

  private:
    ItemsHunk& hunk_;
    int32_t last_visible_ = 0;
    int32_t hints_shown_ = 0;
    int32_t hint_count_ = 1;
    int32_t visible_count_ = 0;
    std::string button_text_ = kAnotherHintText;
};

}  // namespace klu
