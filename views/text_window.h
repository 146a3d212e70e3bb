#pragma once

#include "hunk_window.h"

namespace klu {

class ItemsHunk;
class TextView;

// A window filled by a text view (control_), with a sunken frame round it.
class TextWindow : public HunkWindow {
    Q_OBJECT

  public:
    static constexpr int kControlId = 1003;

    TextWindow(ItemsHunk& hunk, std::string kind_name, const Settings& settings,
                 QWidget* parent = nullptr);

    TextView& Control() const { return *control_; }

    void CreateFonts() override;
    // The room under the control_ for a button.
    virtual int ButtonAreaHeight() const { return 0; }
    // Asked by the control_ when the focus runs off its links: true when a button took it.
    virtual bool FocusButton(bool forward);
    // What Space in the control_ and Enter on the button do.
    virtual void DefaultAction() {}

    // The gap between the window edge and the control_: none when maximised or minimised.
    int Margin() const;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // Places the control_ (and what a derived window adds) in the client area.
    virtual void LayOut();
    QWidget* DefaultFocusWidget() override;

    int clientWidth = 0;
    int clientHeight = 0;

  private:
    TextView* control_;
};

}  // namespace klu
