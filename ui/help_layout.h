#pragma once
// The anchoring layout of the help window: every control keeps its distances
// from the four edges of the client area, and a size at which a control would
// vanish or two controls would overlap is refused by putting the window back to
// its last accepted size. No widget here: the window is reached through
// AnchoredWindow, so the rules can be tried on a window made of numbers.

#include <array>
#include <cstddef>

namespace ferwis {

struct LayoutSize {
    float width = 0;
    float height = 0;
};

struct LayoutRect {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

// What the layout needs of a window. Sizes are in one unit of the window's
// choice (the layout never converts or scales).
class AnchoredWindow {
public:
    virtual ~AnchoredWindow() = default;
    virtual LayoutSize client_size() const = 0;
    virtual LayoutSize outer_size() const = 0;
    // Sets the outer size; false when the window cannot take it (e.g. minimised).
    // The window reports every change of its size through HelpLayout::handle_resize
    // (harmless while the layout is restoring, and repeated handling of one size
    // changes nothing).
    virtual bool set_outer_size(LayoutSize size) = 0;
    virtual std::size_t control_count() const = 0;
    virtual LayoutRect control_rect(std::size_t index) const = 0;
    // Places one control; false when it cannot be placed (the layout goes on).
    virtual bool place_control(std::size_t index, const LayoutRect& rect) = 0;
};

// One row of the layout table: the control's distances from the client edges.
struct AnchorRow {
    float left = 0;
    float right_margin = 0;
    float top = 0;
    float bottom_margin = 0;
};

class HelpLayout {
public:
    static constexpr std::size_t kTableRows = 101;

    explicit HelpLayout(AnchoredWindow& window) : window_(window) {}

    // The load step: makes the window as large as screen, then record_layout().
    // Its size changes are handled with the table as it stands (all zeros in a
    // new layout), which spreads every control over the whole client area: the
    // help window's one text box fills the window from then on.
    void load(LayoutSize screen);

    // Takes the window's outer size as the last accepted one, clears the guard
    // and records each control's row from where it now stands.
    void record_layout();

    // Handles a change of the window's size: lays the controls out, or refuses
    // the size and restores the last accepted one. Does nothing while restoring.
    void handle_resize();

    // Puts the window back to the last accepted size; a window that cannot take
    // it keeps its size, and the guard is cleared all the same.
    void restore_last_size();

    // True when every control keeps a width and height above zero at client.
    bool fits(LayoutSize client) const;
    // True when two controls would overlap at client
    // (touching counts as overlapping).
    bool overlaps(LayoutSize client) const;

    float saved_height() const { return saved_height_; }
    bool resize_guard() const { return resize_guard_; }

private:
    std::size_t anchored_count() const;
    LayoutRect rect_at(std::size_t index, LayoutSize client) const;
    void record_outer_size();

    AnchoredWindow& window_;
    std::array<AnchorRow, kTableRows> layout_table_{};
    float saved_width_ = 0;
    float saved_height_ = 0;
    bool resize_guard_ = false;
};

} // namespace ferwis
