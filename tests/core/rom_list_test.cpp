#include <gtest/gtest.h>

#include "fakes.h"
#include "ui/display_name.h"
#include "ui/type_ahead.h"

namespace tarvo::testing {
namespace {

TEST(DisplayNames, StripTheLastExtension) {
    const std::pair<const char*, const char*> cases[] = {
        {"pacman.zip", "pacman"}, {"Sonic 3.smd", "Sonic 3"}, {"game.tar.gz", "game.tar"},
        {"README", "README"},     {".gen", ""},               {"Ülkü.NES", "Ülkü"}};
    for (auto [name, shown] : cases) EXPECT_EQ(StripExtension(name), shown);
}

TEST(TypeAhead, ALetterMovesToTheNextRowBeginningWithIt) {
    const std::vector<std::string_view> rows = {"apple", "Banana", "berry", "", "Ülkü", "cherry"};
    struct Case { char32_t letter; int caret, row; };
    const Case cases[] = {{U'b', -1, 1}, {U'b', 1, 2}, {U'B', 2, 1}, {U'a', 5, 0}, {U'ü', 0, 4}, {U'Ü', 4, 4}, {U'z', 0, -1}, {U'b', 99, 1}};
    for (const auto& c : cases) EXPECT_EQ(NextRowStartingWith(rows, c.letter, c.caret), c.row) << int(c.letter) << " " << c.caret;
}

TEST(RomList, VisibleMatchingFilesByNameThenSelectedByPosition) {
    FakeTarvo t;
    t.services.commandLine = "C:\\Emu\\nestopia.exe";
    for (const char* rom : {"c.zip", "B.zip", "game.zip", "game.nes", "A.nes", "a.nes", "notes.txt"}) {
        t.services.AddFile(std::string("C:\\Front\\roms\\") + rom);
    }
    t.services.AddFile("C:\\Front\\roms\\empty.nes", 0);  // listed: only pictures need a length
    t.services.files["C:\\Front\\roms\\secret.nes"].hidden = true;
    t.services.AddFile("C:\\Front\\shots\\game.zip.gif");
    ASSERT_EQ(t.Load(), frmPindle::LoadResult::ShowWindow);
    EXPECT_EQ(t.list1.items, (std::vector<std::string>{"A", "a", "B", "c", "empty", "game", "game"}));
    EXPECT_EQ(t.form.File1().ListIndex(), -1);
    t.Select(6);
    EXPECT_EQ(t.form.File1().ListIndex(), 6);
    EXPECT_EQ(t.form.File1().FileName(), "game.zip");
    EXPECT_EQ(t.image1.showing, "C:\\Front\\shots\\game.zip.gif");
    t.Select(5);
    EXPECT_EQ(t.form.File1().FileName(), "game.nes");
    t.Select(7);  // out of range: nothing changes
    EXPECT_EQ(t.form.File1().FileName(), "game.nes");
    for (const char* rom : {"Ülkü.nes", "ülkü b.nes", "ÉLAN.nes", "élan.nes", "Zelda.nes"}) {
        t.services.AddFile(std::string("C:\\Front\\roms\\") + rom);
    }
    t.form.RefreshList();  // letter case ignored beyond ASCII too; equal names by their exact text
    EXPECT_EQ(std::vector<std::string>(t.list1.items.begin() + 7, t.list1.items.end()),
              (std::vector<std::string>{"Zelda", "ÉLAN", "élan", "ülkü b", "Ülkü"}));
}

TEST(RomList, AFullArcadeSetIsNeverCutShort) {
    FakeTarvo t;
    t.services.commandLine = "C:\\mame\\mame.exe";
    for (int i = 0; i < 40500; ++i) t.services.AddFile("C:\\Front\\roms\\g" + std::to_string(100000 + i) + ".zip");
    ASSERT_EQ(t.Load(), frmPindle::LoadResult::ShowWindow);
    ASSERT_EQ(t.list1.items.size(), 40500u);
    t.Select(40499);
    t.form.Command1_Click();
    ASSERT_EQ(t.services.starts.size(), 1u);
    EXPECT_EQ(t.services.starts[0].parameters, "g140499");
}

}  // namespace
}  // namespace tarvo::testing
