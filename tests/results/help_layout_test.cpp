#include "results/help_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ferwis {
namespace {

// A window made of numbers that, like the help window's toolkit, handles each
// size change at once. Its frame takes 10 across and 40 down.
class FakeWindow : public AnchoredWindow {
public:
    struct Control {
        std::string name;
        LayoutRect rect;
    };

    LayoutSize client_size() const override { return {outer.width - 10, outer.height - 40}; }
    LayoutSize outer_size() const override { return outer; }
    bool set_outer_size(LayoutSize size) override {
        if (minimised) {
            return false;
        }
        resize(size);
        return true;
    }
    std::size_t control_count() const override { return controls.size(); }
    std::string control_name(std::size_t index) const override { return controls[index].name; }
    LayoutRect control_rect(std::size_t index) const override { return controls[index].rect; }
    bool place_control(std::size_t index, const LayoutRect& rect) override {
        controls[index].rect = rect;
        return true;
    }

    // A change of size by the user (or the window system).
    void resize(LayoutSize size) {
        outer = size;
        if (layout != nullptr) {
            layout->handle_resize();
        }
    }

    LayoutSize outer{800, 600};
    bool minimised = false;
    std::vector<Control> controls;
    HelpLayout* layout = nullptr;
};

void expect_rect(const LayoutRect& rect, float left, float top, float width, float height) {
    EXPECT_FLOAT_EQ(rect.left, left);
    EXPECT_FLOAT_EQ(rect.top, top);
    EXPECT_FLOAT_EQ(rect.width, width);
    EXPECT_FLOAT_EQ(rect.height, height);
}

TEST(help_layout, load_fills_the_screen_and_the_text_box_follows_every_accepted_size) {
    FakeWindow window;
    window.controls = {{"Text1", {8, 8, 500, 280}}};
    HelpLayout layout(window);
    window.layout = &layout;

    layout.load({1920, 1040});
    EXPECT_FLOAT_EQ(window.outer.width, 1920);
    EXPECT_FLOAT_EQ(window.outer.height, 1040);
    EXPECT_FLOAT_EQ(layout.saved_width(), 1920);
    EXPECT_FLOAT_EQ(layout.saved_height(), 1040);
    expect_rect(window.controls[0].rect, 0, 0, 1910, 1000);
    const AnchorRow& row = layout.row(0);
    EXPECT_FLOAT_EQ(row.left + row.right_margin + row.top + row.bottom_margin, 0);

    window.resize({300, 200});
    expect_rect(window.controls[0].rect, 0, 0, 290, 160);
    EXPECT_FLOAT_EQ(layout.saved_width(), 300);
}

TEST(help_layout, a_size_without_client_area_is_refused_and_the_last_size_comes_back) {
    struct Case {
        LayoutSize outer;
        bool accepted;
    };
    const Case cases[] = {
        {{11, 41}, true},   // one unit of client area each way is enough
        {{10, 300}, false}, // no width
        {{300, 40}, false}, // no height
        {{5, 20}, false},   // less than the frame
    };
    for (const Case& c : cases) {
        FakeWindow window;
        window.controls = {{"Text1", {0, 0, 1, 1}}};
        HelpLayout layout(window);
        window.layout = &layout;
        layout.load({640, 480});

        window.resize(c.outer);
        const float width = c.accepted ? c.outer.width : 640;
        const float height = c.accepted ? c.outer.height : 480;
        EXPECT_FLOAT_EQ(window.outer.width, width) << c.outer.width << "x" << c.outer.height;
        EXPECT_FLOAT_EQ(window.outer.height, height) << c.outer.width << "x" << c.outer.height;
        expect_rect(window.controls[0].rect, 0, 0, width - 10, height - 40);
        EXPECT_FALSE(layout.resize_guard());
    }
}

TEST(help_layout, a_window_that_cannot_take_its_size_back_keeps_it_and_handles_the_next_change) {
    FakeWindow window;
    window.controls = {{"Text1", {0, 0, 1, 1}}};
    HelpLayout layout(window);
    window.layout = &layout;
    layout.load({640, 480});

    window.minimised = true;
    window.resize({5, 5});
    EXPECT_FLOAT_EQ(window.outer.width, 5);
    EXPECT_FALSE(layout.resize_guard());
    expect_rect(window.controls[0].rect, 0, 0, 630, 440); // the refused size placed nothing

    window.minimised = false;
    window.resize({400, 300});
    expect_rect(window.controls[0].rect, 0, 0, 390, 260);
    EXPECT_FLOAT_EQ(layout.saved_height(), 300);
}

// Two controls side by side, both following the width: the gap between them is
// 90 (the left one ends at 410, the right one starts at 500).
TEST(help_layout, side_by_side_controls_may_not_grow_into_each_other_unless_allowed) {
    struct Case {
        float widening;
        bool allow_pair;
        bool accepted;
    };
    const Case cases[] = {
        {89, false, true},   {90, false, false}, // touching counts as overlapping
        {200, false, false}, {-50, false, true}, {90, true, true}, {500, true, true},
    };
    for (const Case& c : cases) {
        FakeWindow window;
        window.outer = {1010, 540};
        window.controls = {{"Lewy", {10, 10, 400, 300}}, {"Prawy", {500, 10, 400, 300}}};
        HelpLayout layout(window);
        if (c.allow_pair) {
            ASSERT_TRUE(layout.allow_overlap("prawy", "LEWY"));
        }
        layout.record_layout();
        window.layout = &layout;

        window.resize({1010 + c.widening, 540});
        EXPECT_FLOAT_EQ(window.outer.width, c.accepted ? 1010 + c.widening : 1010)
            << c.widening << (c.allow_pair ? " allowed" : "");
        const float grown = c.accepted ? c.widening : 0;
        expect_rect(window.controls[0].rect, 10, 10, 400 + grown, 300);
        expect_rect(window.controls[1].rect, 500, 10, 400 + grown, 300);
    }
}

} // namespace
} // namespace ferwis
