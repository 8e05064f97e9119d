#include "ui/help_layout.h"

#include <gtest/gtest.h>

namespace ferwis {
namespace {

// A window made of numbers whose frame takes 10 across and 40 down, and which
// hands each size change to the layout at once, as the toolkit does.
struct FakeWindow : AnchoredWindow {
    LayoutSize client_size() const override { return {outer.width - 10, outer.height - 40}; }
    LayoutSize outer_size() const override { return outer; }
    bool set_outer_size(LayoutSize size) override {
        outer = size;
        layout.handle_resize();
        return true;
    }
    std::size_t control_count() const override { return 1; }
    LayoutRect control_rect(std::size_t) const override { return box; }
    bool place_control(std::size_t, const LayoutRect& rect) override {
        box = rect;
        return true;
    }

    LayoutSize outer{800, 600};
    LayoutRect box{8, 8, 500, 280};
    HelpLayout layout{*this};
};

// The text box fills the client area from the load on and follows every size
// that leaves it an area; any other size is refused and 640x480 comes back.
TEST(help_layout, the_text_box_follows_every_size_with_client_area_and_others_are_refused) {
    const std::pair<LayoutSize, LayoutSize> cases[] = {
        {{300, 200}, {290, 160}}, {{11, 41}, {1, 1}},    {{10, 300}, {630, 440}},
        {{300, 40}, {630, 440}},  {{5, 20}, {630, 440}},
    };
    for (const auto& [outer, box] : cases) {
        FakeWindow window;
        window.layout.load({640, 480});
        EXPECT_EQ(window.box.left + window.box.top, 0);
        window.set_outer_size(outer);
        EXPECT_FLOAT_EQ(window.box.width, box.width) << outer.width << "x" << outer.height;
        EXPECT_FLOAT_EQ(window.box.height, box.height);
        const bool accepted = box.width != 630;
        EXPECT_FLOAT_EQ(window.outer.width, accepted ? outer.width : 640);
        EXPECT_FLOAT_EQ(window.layout.saved_height(), accepted ? outer.height : 480);
        EXPECT_FALSE(window.layout.resize_guard());
    }
}

} // namespace
} // namespace ferwis
