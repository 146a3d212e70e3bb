#include "hint_reveal.h"

#include <algorithm>

#include "model/document/items_hunk.h"
#include "model/export/reveal_texts.h"

namespace klu {

HintReveal::HintReveal(ItemsHunk& hunk, bool hint_memory_on) : hunk_(hunk) {
    const int32_t remembered = hint_memory_on ? hunk.GetRevealed() : 0;
    hints_shown_ = remembered != 0 ? remembered - 1 : 0;
    // The window starts by showing the hints revealed before, up to the separator after the last
    // of them.
    for (size_t i = 0; i < hunk.children.size(); ++i) {
        if (!SeparatesHints(*hunk.children[i])) continue;
        if (hint_count_ <= hints_shown_) last_visible_ = static_cast<int32_t>(i);
        ++hint_count_;
    }
}

void HintReveal::ShowNextHint(bool show_counting, bool hint_memory_on) {
    ++hints_shown_;
    if (hint_memory_on) hunk_.SetRevealed(hints_shown_);

    // The next separator line becomes visible, drawn as a rule under the hint.
    const auto count = static_cast<int32_t>(hunk_.children.size());
    int32_t i = last_visible_ + 1;
    while (i < count && !SeparatesHints(*hunk_.children[static_cast<size_t>(i)])) ++i;
    last_visible_ = i < count ? i : count - 1;

    if (hints_shown_ == hint_count_) {
        button_text_ = kNoMoreHintsText;
    } else if (show_counting) {
        button_text_ = CountedHintText(hints_shown_, hint_count_);
    }
    visible_count_ = std::min(last_visible_ + 1, count);
}

HintReveal::Press HintReveal::AnotherHint(bool show_counting, bool hint_memory_on) {
    if (hints_shown_ < hint_count_) {
        ShowNextHint(show_counting, hint_memory_on);
        return Press::Revealed;
    }
    return hint_count_ > 1 ? Press::Close : Press::Nothing;
}

}  // namespace klu
