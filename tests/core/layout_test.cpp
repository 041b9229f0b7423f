#include <gtest/gtest.h>

#include "fakes.h"
#include "ui/design.h"
#include "ui/layout.h"

namespace tarvo::testing {
namespace {

ControlRects Designed() { return {design::kList1, design::kFile1, design::kImage1, design::kCommand1}; }

TEST(Layout, WorkedExamples) {
    ControlRects r = LayoutControls(7380, 4995, Designed());
    EXPECT_EQ(r.list1, (Rect{0, 0, 2460, 4995}));
    EXPECT_EQ(r.file1, (Rect{0, 0, 2460, 4995}));
    EXPECT_EQ(r.image1, (Rect{2460, 0, 4920, 4245}));
    EXPECT_EQ(r.command1, (Rect{2460, 4245, 4920, 750}));

    r = LayoutControls(9000, 6000, r);
    EXPECT_EQ(r.image1, (Rect{3000, 0, 6000, 5250}));
    EXPECT_EQ(r.command1, (Rect{3000, 5250, 6000, 750}));
}

TEST(Layout, ListWidthIsAThirdOfTheRoundedWidth) {
    struct Case { float width; float list; float image; };
    const Case cases[] = {{7381, 2460, 4921}, {7382, 2460, 4922}, {7383, 2461, 4922},
                          {1000.5f, 333, 667.5f}, {1001.5f, 334, 667.5f}, {2.5f, 0, 2.5f}};
    for (const auto& c : cases) {
        const ControlRects r = LayoutControls(c.width, 4995, Designed());
        EXPECT_EQ(r.list1.width, c.list) << c.width;
        EXPECT_EQ(r.image1.width, c.image) << c.width;
    }
}

TEST(Layout, TooLowForTheButtonKeepsThePicture) {
    const ControlRects before = LayoutControls(7380, 4995, Designed());
    ControlRects r = LayoutControls(7380, 600, before);
    EXPECT_EQ(r.list1, (Rect{0, 0, 2460, 600}));
    EXPECT_EQ(r.image1, before.image1);
    EXPECT_EQ(r.command1, (Rect{2460, 4245, 4920, 750}));

    r = LayoutControls(0, 0, before);  // minimised
    EXPECT_EQ(r.list1, (Rect{0, 0, 0, 0}));
    EXPECT_EQ(r.file1, (Rect{0, 0, 0, 0}));
    EXPECT_EQ(r.image1, before.image1);
    EXPECT_EQ(r.command1, (Rect{0, 4245, 4920, 750}));

    r = LayoutControls(7380, 4995, r);  // restored
    EXPECT_EQ(r.command1, before.command1);
    EXPECT_EQ(r.image1, before.image1);
}

TEST(Layout, ResizeMovesTheControlsAndShowsThePicture) {
    FakeTarvo t;
    t.list1.bounds = design::kList1;
    t.command1.bounds = design::kCommand1;
    t.image1.bounds = design::kImage1;
    t.window.clientWidth = 9000;
    t.window.clientHeight = 6000;
    t.form.Form_Resize();
    EXPECT_EQ(t.list1.bounds, (Rect{0, 0, 3000, 6000}));
    EXPECT_EQ(t.form.File1().bounds, (Rect{0, 0, 3000, 6000}));
    EXPECT_EQ(t.image1.bounds, (Rect{3000, 0, 6000, 5250}));
    EXPECT_EQ(t.command1.bounds, (Rect{3000, 5250, 6000, 750}));
    EXPECT_EQ(t.image1.visibility, (std::vector<bool>{false, true}));
}

}  // namespace
}  // namespace tarvo::testing
