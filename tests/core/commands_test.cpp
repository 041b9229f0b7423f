#include <gtest/gtest.h>

#include "fakes.h"

namespace tarvo::testing {
namespace {

struct LoadedTarvo : FakeTarvo {
    LoadedTarvo() {
        services.commandLine = "C:\\Emu\\fceu.exe";
        services.AddFile("C:\\Front\\roms\\a.nes");
        services.AddFile("C:\\Front\\roms\\b.nes");
        EXPECT_EQ(Load(), frmPindle::LoadResult::ShowWindow);
    }
};

TEST(Keys, EscapeUnloadsWhateverTheModifiers) {
    for (int shift : {0, 1, 2, 4}) {
        LoadedTarvo t;
        t.form.Form_KeyDown(27, shift);
        EXPECT_TRUE(t.window.unloaded);
        EXPECT_TRUE(t.services.starts.empty());
    }
}

TEST(Keys, F5RefreshesWhateverTheModifiersAndOtherKeysDoNothing) {
    LoadedTarvo t;
    t.Select(1);
    const int listings = t.services.listings;
    t.form.Form_KeyDown(116, 2);
    EXPECT_EQ(t.services.listings, listings + 1);
    EXPECT_EQ(t.form.File1().ListIndex(), -1);
    for (int key : {13, 32, 65, 115, 117}) t.form.Form_KeyDown(key, 0);
    EXPECT_EQ(t.services.listings, listings + 1);
    EXPECT_FALSE(t.window.unloaded);
    EXPECT_TRUE(t.services.starts.empty());
}

TEST(DoubleClicks, LaunchLikePlay) {
    LoadedTarvo t;
    t.Select(1);  // the first click of a double-click selects the row
    t.form.list1_DblClick();
    t.form.Image1_DblClick();
    ASSERT_EQ(t.services.starts.size(), 2u);
    EXPECT_EQ(t.services.starts[0].parameters, "C:\\Front\\roms\\b.nes");
    EXPECT_EQ(t.services.starts[1].parameters, "C:\\Front\\roms\\b.nes");
    EXPECT_EQ(t.window.minimized, 2);
}

}  // namespace
}  // namespace tarvo::testing
