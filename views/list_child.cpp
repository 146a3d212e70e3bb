#include "list_child.h"

#include "model/meta_text_hunk.h"
#include "string_control.h"

namespace klu {

TListChild::TListChild(std::unique_ptr<TMetaTextHunk> shown, std::string kind_name,
                       const Settings& current_settings, QWidget* parent)
    : TStringChild(*shown, std::move(kind_name), current_settings, parent) {
    const size_t entries = shown->GetChildCount();
    TakeOwnership(std::move(shown));
    Control().SetVisibleCount(static_cast<int>(entries));
}

void TListChild::SetupWindow() {
    TStringChild::SetupWindow();
    Control().setFocus();
}

// Past the last entry no entry is marked, rather than wrapping round to the first.
bool TListChild::FocusButton(bool) {
    return true;
}

TFileChild::TFileChild(std::unique_ptr<TMetaTextHunk> listing, const Settings& current_settings,
                       QWidget* parent)
    : TListChild(std::move(listing), "VERBOSE", current_settings, parent) {}

TFindChild::TFindChild(std::unique_ptr<TMetaTextHunk> results, const Settings& current_settings,
                       QWidget* parent)
    : TListChild(std::move(results), "SUBJECT", current_settings, parent) {}

}  // namespace klu
