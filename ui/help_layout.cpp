#include "ui/help_layout.h"

#include <algorithm>

namespace ferwis {
namespace {

struct Extent {
    float start;
    float end;
};

Extent extent(float start, float end) {
    if (end < start) {
        std::swap(start, end);
    }
    return {start, end};
}

// Equal ends count as touching, not as separated.
bool separated(Extent a, Extent b) {
    return a.start > b.end || b.start > a.end;
}

} // namespace

void HelpLayout::load(LayoutSize screen) {
    // Each size change is handled at once, with the table as it stands, so the
    // controls are laid out before their rows are taken.
    window_.set_outer_size({screen.width, window_.outer_size().height});
    handle_resize();
    window_.set_outer_size({window_.outer_size().width, screen.height});
    handle_resize();
    record_layout();
}

void HelpLayout::record_layout() {
    record_outer_size();
    resize_guard_ = false;
    const LayoutSize client = window_.client_size();
    for (std::size_t i = 0; i < anchored_count(); ++i) {
        const LayoutRect rect = window_.control_rect(i);
        layout_table_[i] = {rect.left, client.width - rect.left - rect.width, rect.top,
                            client.height - rect.top - rect.height};
    }
}

void HelpLayout::handle_resize() {
    if (resize_guard_) {
        return;
    }
    const LayoutSize client = window_.client_size();
    if (!fits(client) || overlaps(client)) {
        resize_guard_ = true;
        restore_last_size();
        return;
    }
    for (std::size_t i = 0; i < anchored_count(); ++i) {
        window_.place_control(i, rect_at(i, client)); // a control that refuses stays put
    }
    record_outer_size();
}

void HelpLayout::restore_last_size() {
    // The window may refuse (minimised); the guard must not stay set then.
    window_.set_outer_size({saved_width_, saved_height_});
    resize_guard_ = false;
}

bool HelpLayout::fits(LayoutSize client) const {
    for (std::size_t i = 0; i < anchored_count(); ++i) {
        const LayoutRect rect = rect_at(i, client);
        if (rect.width <= 0 || rect.height <= 0) {
            return false;
        }
    }
    return true;
}

bool HelpLayout::overlaps(LayoutSize client) const {
    const std::size_t count = anchored_count();
    for (std::size_t i = 0; i + 1 < count; ++i) {
        for (std::size_t j = i + 1; j < count; ++j) {
            const AnchorRow& a = layout_table_[i];
            const AnchorRow& b = layout_table_[j];
            const bool apart = separated(extent(a.left, client.width - a.right_margin),
                                         extent(b.left, client.width - b.right_margin)) ||
                               separated(extent(a.top, client.height - a.bottom_margin),
                                         extent(b.top, client.height - b.bottom_margin));
            if (!apart) {
                return true;
            }
        }
    }
    return false;
}

std::size_t HelpLayout::anchored_count() const {
    return std::min(window_.control_count(), kTableRows);
}

LayoutRect HelpLayout::rect_at(std::size_t index, LayoutSize client) const {
    const AnchorRow& row = layout_table_[index];
    return {row.left, row.top, client.width - row.left - row.right_margin,
            client.height - row.top - row.bottom_margin};
}

void HelpLayout::record_outer_size() {
    const LayoutSize outer = window_.outer_size();
    saved_width_ = outer.width;
    saved_height_ = outer.height;
}

} // namespace ferwis
