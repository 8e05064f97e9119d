#include "results/help_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ferwis {
namespace {

// A window made of numbers that handles each size change at once, as the help
// window's toolkit does. Its frame takes 10 across and 40 down.
struct FakeWindow : AnchoredWindow {
    LayoutSize client_size() const override { return {outer.width - 10, outer.height - 40}; }
    LayoutSize outer_size() const override { return outer; }
    bool set_outer_size(LayoutSize size) override {
        if (!minimised) {
            resize(size);
        }
        return !minimised;
    }
    std::size_t control_count() const override { return rects.size(); }
    LayoutRect control_rect(std::size_t index) const override { return rects[index]; }
    bool place_control(std::size_t index, const LayoutRect& rect) override {
        rects[index] = rect;
        return true;
    }
    // A change of size by the user.
    void resize(LayoutSize size) {
        outer = size;
        if (layout != nullptr) {
            layout->handle_resize();
        }
    }
    // Width and height of control index, as "WxH".
    std::string extent(std::size_t index) const {
        return std::to_string(static_cast<int>(rects[index].width)) + "x" +
               std::to_string(static_cast<int>(rects[index].height));
    }

    LayoutSize outer{800, 600};
    bool minimised = false;
    std::vector<LayoutRect> rects{{8, 8, 500, 280}};
    HelpLayout* layout = nullptr;
};

TEST(help_layout, the_text_box_fills_the_screen_and_follows_every_size_with_client_area) {
    struct Case {
        LayoutSize outer;
        const char* text_box; // after the change; a refused size leaves 630x440
    };
    const Case cases[] = {
        {{300, 200}, "290x160"}, {{11, 41}, "1x1"},    {{10, 300}, "630x440"},
        {{300, 40}, "630x440"},  {{5, 20}, "630x440"},
    };
    for (const Case& c : cases) {
        FakeWindow window;
        HelpLayout layout(window);
        window.layout = &layout;
        layout.load({640, 480});
        ASSERT_EQ(window.extent(0), "630x440");
        EXPECT_EQ(window.rects[0].left + window.rects[0].top, 0);

        window.resize(c.outer);
        EXPECT_EQ(window.extent(0), c.text_box) << c.outer.width << "x" << c.outer.height;
        const bool accepted = window.extent(0) != "630x440";
        EXPECT_FLOAT_EQ(window.outer.width, accepted ? c.outer.width : 640);
        EXPECT_FLOAT_EQ(layout.saved_height(), accepted ? c.outer.height : 480);
        EXPECT_FALSE(layout.resize_guard());
    }
}

TEST(help_layout, a_window_that_cannot_take_its_size_back_keeps_it_and_handles_the_next_change) {
    FakeWindow window;
    HelpLayout layout(window);
    window.layout = &layout;
    layout.load({640, 480});

    window.minimised = true;
    window.resize({5, 5});
    EXPECT_FLOAT_EQ(window.outer.width, 5);
    EXPECT_FALSE(layout.resize_guard());
    EXPECT_EQ(window.extent(0), "630x440");

    window.minimised = false;
    window.resize({400, 300});
    EXPECT_EQ(window.extent(0), "390x260");
}

} // namespace
} // namespace ferwis
