#include "list_child.h"

#include "hint_button.h"
#include "model/meta_text_hunk.h"
#include "string_control.h"

namespace klu {

namespace {

constexpr char kSelectFolderText[] = "Select a new folder...";

}  // namespace

TListChild::TListChild(std::unique_ptr<TMetaTextHunk> shown, std::string kind_name,
                       const Settings& current_settings, QWidget* parent)
    : TStringChild(*shown, std::move(kind_name), current_settings, parent),
      button_(new THintButton(*this, QString::fromLatin1(kSelectFolderText))) {
    const size_t entries = shown->GetChildCount();
    TakeOwnership(std::move(shown));
    button_->setGeometry(0, 0, 0, 0);
    button_->setDefault(true);
    Control().SetVisibleCount(static_cast<int>(entries));
}

void TListChild::SetupWindow() {
    TStringChild::SetupWindow();
    button_->setFocus();
}

bool TListChild::FocusButton(bool) {
    button_->setFocus();
    return true;
}

TFileChild::TFileChild(std::unique_ptr<TMetaTextHunk> listing, const Settings& current_settings,
                       QWidget* parent)
    : TListChild(std::move(listing), "VERBOSE", current_settings, parent) {}

TFindChild::TFindChild(std::unique_ptr<TMetaTextHunk> results, const Settings& current_settings,
                       QWidget* parent)
    : TListChild(std::move(results), "SUBJECT", current_settings, parent) {}

}  // namespace klu
