#include <gtest/gtest.h>

#include "fakes.h"
#include "ui/design.h"
#include "ui/layout.h"

namespace tarvo::testing {
namespace {

TEST(Layout, TheListTakesAThirdOfTheRoundedWidth) {
    struct Case { float width; float list; float image; };
    const Case cases[] = {{7380, 2460, 4920},      {7381, 2460, 4921},      {7382, 2460, 4922}, {7383, 2461, 4922},
                          {1000.5f, 333, 667.5f}, {1001.5f, 334, 667.5f}, {2.5f, 0, 2.5f}};
    for (const auto& c : cases) {
        const ControlRects r = LayoutControls(c.width, 4995, {design::kList1, design::kFile1, design::kImage1, design::kCommand1});
        EXPECT_EQ(r.list1, (Rect{0, 0, c.list, 4995})) << c.width;
        EXPECT_EQ(r.file1, r.list1) << c.width;
        EXPECT_EQ(r.image1, (Rect{c.list, 0, c.image, 4245})) << c.width;
        EXPECT_EQ(r.command1, (Rect{c.list, 4245, c.image, 750})) << c.width;
    }
}

TEST(Layout, TooLowForTheButtonThePictureKeepsItsPlace) {
    FakeTarvo t;
    t.window.clientHeight = 600;
    t.command1.bounds = design::kCommand1;
    t.image1.bounds = {2460, 0, 4920, 4245};
    t.form.Form_Resize();
    EXPECT_EQ(t.list1.bounds, (Rect{0, 0, 2460, 600}));
    EXPECT_EQ(t.image1.bounds, (Rect{2460, 0, 4920, 4245}));
    EXPECT_EQ(t.command1.bounds, (Rect{2460, 4245, 4920, 750}));
    EXPECT_EQ(t.image1.visibility, (std::vector<bool>{false, true}));  // hidden while it moves
    t.window.clientWidth = t.window.clientHeight = 0;  // minimised
    t.form.Form_Resize();
    EXPECT_EQ(t.form.File1().bounds, (Rect{0, 0, 0, 0}));
    EXPECT_EQ(t.command1.bounds, (Rect{0, 4245, 4920, 750}));
}

}  // namespace
}  // namespace tarvo::testing
