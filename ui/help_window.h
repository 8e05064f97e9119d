#pragma once

#include "ui/help_layout.h"

#include <QDialog>
#include <QMargins>
#include <QPlainTextEdit>

namespace ferwis {

// The help window Frmhelp: the help text in a read-only box that follows the
// window's size by the anchoring layout. It opens as large as the screen; each
// opening is a new window, laid out afresh.
class HelpWindow : public QDialog, private AnchoredWindow {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    const HelpLayout& layout() const { return layout_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The load step: the outer size of the available screen area, the text box
    // filling the inside.
    void fill_screen();
    QMargins frame_margins() const;
    // Once the window system tells this window's own frame, makes the outer
    // size good when the frame differs from the one assumed.
    void fit_to_known_frame();

    LayoutSize client_size() const override;
    LayoutSize outer_size() const override;
    bool set_outer_size(LayoutSize size) override;
    std::size_t control_count() const override { return 1; }
    LayoutRect control_rect(std::size_t index) const override;
    bool place_control(std::size_t index, const LayoutRect& rect) override;

    QPlainTextEdit* text1_;
    HelpLayout layout_;
    QMargins assumed_frame_;
    bool frame_known_ = false;
};

} // namespace ferwis
