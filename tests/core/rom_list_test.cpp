#include <gtest/gtest.h>

#include "fakes.h"
#include "ui/display_name.h"

namespace tarvo::testing {
namespace {

// A loaded Tarvo for "*.nes;*.zip" (Nestopia) over C:\Roms.
struct NesTarvo : FakeTarvo {
    explicit NesTarvo(const std::vector<std::string>& names) {
        services.commandLine = "C:\\Emu\\nestopia.exe";
        services.settings["roms"] = "C:\\Roms";
        services.AddFile("C:\\Roms\\keep.txt");
        for (const auto& name : names) services.AddFile("C:\\Roms\\" + name);
        EXPECT_EQ(Load(), frmPindle::LoadResult::ShowWindow);
    }
};

TEST(DisplayNames, StripTheLastExtension) {
    EXPECT_EQ(StripExtension("pacman.zip"), "pacman");
    EXPECT_EQ(StripExtension("Sonic 3.smd"), "Sonic 3");
    EXPECT_EQ(StripExtension("game.tar.gz"), "game.tar");
    EXPECT_EQ(StripExtension("README"), "README");
    EXPECT_EQ(StripExtension(".gen"), "");
    EXPECT_EQ(StripExtension("Ülkü.NES"), "Ülkü");
}

TEST(RomList, SortedByNameIgnoringCaseWhateverTheListingOrder) {
    NesTarvo t({"c.zip", "B.zip", "a.zip", "a b.zip", "A.nes", "a.nes"});
    EXPECT_EQ(t.form.File1().Entries(),
              (std::vector<std::string>{"a b.zip", "A.nes", "a.nes", "a.zip", "B.zip", "c.zip"}));
    EXPECT_EQ(t.list1.items, (std::vector<std::string>{"a b", "A", "a", "a", "B", "c"}));
}

TEST(RomList, ListsOnlyVisibleMatchingFiles) {
    FakeTarvo t;
    t.services.commandLine = "C:\\Emu\\nestopia.exe";
    t.services.AddFile("C:\\Front\\roms\\mario.NES");
    t.services.AddFile("C:\\Front\\roms\\empty.nes", 0);  // listed: only pictures need a length
    t.services.files["C:\\Front\\roms\\secret.nes"].hidden = true;
    t.services.folders.insert("C:\\Front\\roms\\folder.nes");
    t.services.AddFile("C:\\Front\\roms\\notes.txt");
    ASSERT_EQ(t.Load(), frmPindle::LoadResult::ShowWindow);
    EXPECT_EQ(t.form.File1().Entries(), (std::vector<std::string>{"empty.nes", "mario.NES"}));
}

TEST(RomList, SelectionIsMirroredByPosition) {
    NesTarvo t({"game.zip", "game.nes", "other.nes"});
    ASSERT_EQ(t.list1.items, (std::vector<std::string>{"game", "game", "other"}));
    const int loadsBefore = t.image1.loads;
    t.services.AddFile("C:\\Front\\shots\\game.zip.gif");
    t.Select(1);
    EXPECT_EQ(t.form.File1().FileName(), "game.zip");
    EXPECT_EQ(t.image1.showing, "C:\\Front\\shots\\game.zip.gif");
    EXPECT_EQ(t.image1.loads, loadsBefore + 1);
    t.Select(0);
    EXPECT_EQ(t.form.File1().FileName(), "game.nes");
}

TEST(RomList, F5RereadsTheFolderAndKeepsThePicture) {
    NesTarvo t({"a.nes", "b.nes"});
    t.services.AddFile("C:\\Front\\shots\\a.nes.gif");
    t.Select(0);
    t.services.files.erase("C:\\Roms\\b.nes");
    t.services.AddFile("C:\\Roms\\c.nes");
    t.form.Form_KeyDown(116, 0);
    EXPECT_EQ(t.list1.items, (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(t.list1.index, -1);
    EXPECT_EQ(t.form.File1().ListIndex(), -1);
    EXPECT_EQ(t.form.File1().FileName(), "");
    EXPECT_EQ(t.image1.showing, "C:\\Front\\shots\\a.nes.gif");
}

TEST(RomList, FolderThatVanishesHoldsNoFile) {
    NesTarvo t({"a.nes"});
    t.services.files.clear();
    t.form.RefreshList();
    EXPECT_TRUE(t.list1.items.empty());
    EXPECT_EQ(t.form.File1().ListCount(), 0);
}

TEST(RomList, AFullArcadeSetIsNeverCutShort) {
    FakeTarvo t;
    t.services.commandLine = "C:\\mame\\mame.exe";
    for (int i = 0; i < 40500; ++i) t.services.AddFile("C:\\Front\\roms\\g" + std::to_string(100000 + i) + ".zip");
    ASSERT_EQ(t.Load(), frmPindle::LoadResult::ShowWindow);
    ASSERT_EQ(t.form.File1().ListCount(), 40500);
    ASSERT_EQ(t.list1.items.size(), 40500u);
    t.Select(40499);
    EXPECT_EQ(t.form.File1().FileName(), "g140499.zip");
    t.form.Command1_Click();
    ASSERT_EQ(t.services.starts.size(), 1u);
    EXPECT_EQ(t.services.starts[0].parameters, "g140499");
}

TEST(RomList, OutOfRangeSelectionChangesNothing) {
    NesTarvo t({"a.nes"});
    t.Select(0);
    const int loads = t.image1.loads;
    EXPECT_FALSE(t.form.File1().SetListIndex(5));
    EXPECT_EQ(t.form.File1().FileName(), "a.nes");
    EXPECT_EQ(t.image1.loads, loads);
}

}  // namespace
}  // namespace tarvo::testing
