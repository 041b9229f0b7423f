// What every front end's window must do, written once and run by each
// front end's driver on its real widgets.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "window_driver.h"

namespace tarvo::testing {
namespace {

const Colour kWhite{255, 255, 255}, kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255};
const Colour kIconBlue{0x24, 0x58, 0xb8}, kIconWhite{0xf4, 0xf6, 0xfb};

// Stretching blends neighbouring pixels and JPEG is lossy: near enough counts.
bool Near(const Colour& a, const Colour& b) {
    return std::abs(a.red - b.red) < 48 && std::abs(a.green - b.green) < 48 && std::abs(a.blue - b.blue) < 48;
}

class Window : public ::testing::Test {
protected:
    std::unique_ptr<WindowDriver> d = MakeWindowDriver();
    std::string emulator = d->Emulator("nestopia");

    void SetUp() override {
        for (std::string rom : {"b.nes", "a.nes", "c d.nes", "ゲーム Ülkü.nes", "notes.txt"}) d->folder.Write("roms/" + rom, "rom");
        d->Show(emulator);
    }
    std::string LaunchOf(const std::string& rom) { return d->folder / ("roms/" + rom) + "\n" + d->folder / "app"; }
    bool RedGreen() {
        const Image shown = d->Grab(Control::Picture);
        return Near(shown.At(0, 0.5), kRed) && Near(shown.At(1, 0.5), kGreen);  // to the edges
    }
};

TEST_F(Window, OpensAsDesigned) {
    EXPECT_EQ(d->Text(Control::Window), "Tarvo - Generic Frontend by Quillan - Nestopia");
    EXPECT_EQ(d->ToolTip(Control::Play), emulator);
    EXPECT_EQ(d->Text(Control::Play), "Play");
    EXPECT_EQ(d->Rectangle(Control::Window), (Box{0, 0, 492, 333}));
    EXPECT_EQ(d->Rectangle(Control::List), (Box{0, 0, 164, 333}));
    EXPECT_EQ(d->Rectangle(Control::Picture), (Box{164, 0, 328, 283}));
    EXPECT_EQ(d->Rectangle(Control::Play), (Box{164, 283, 328, 50}));
    EXPECT_EQ(d->Font(Control::List), std::make_pair(9.75, false));
    EXPECT_EQ(d->Font(Control::Play), std::make_pair(12.0, true));
    const Image list = d->Grab(Control::List);
    EXPECT_TRUE(Near(list.At(0.5, 1), kWhite));
    Colour text = kWhite;  // the bluest pixel of the names
    for (const Colour& c : list.pixels) text = c.blue - c.red - c.green > text.blue - text.red - text.green ? c : text;
    EXPECT_TRUE(Near(text, kBlue)) << text;

    EXPECT_EQ(d->Rows(), (std::vector<std::string>{"a", "b", "c d", "ゲーム Ülkü"}));
    EXPECT_EQ(d->Selected(), -1);
    EXPECT_TRUE(Near(d->Grab(Control::Picture).At(0.5, 0.5), kBlue));  // the logo
    EXPECT_EQ(d->Focused(), Control::Play);
    d->Press(Key::Tab);
    EXPECT_EQ(d->Focused(), Control::List);
    d->Press(Key::Tab);
    EXPECT_EQ(d->Focused(), Control::Play);
    d->Resize(492, 40);  // too low for the button: the picture keeps its place
    EXPECT_EQ(d->Rectangle(Control::Picture), (Box{164, 0, 328, 283}));
}

TEST_F(Window, EscAndF5ActWhateverHasTheFocus) {
    d->folder.Write("shots/b.nes.gif", TestPicture("red-green.gif"));
    for (bool onList : {true, false}) {
        d->Show(emulator);
        d->Click(1);
        if (!onList) d->Press(Key::Tab);  // to Play
        d->folder.Write("roms/new " + std::to_string(onList) + ".nes", "rom");
        const std::size_t rows = d->Rows().size();
        d->Press(Key::F5, kCtrl);
        EXPECT_EQ(d->Rows().size(), rows + 1);
        EXPECT_EQ(d->Selected(), -1);
        EXPECT_TRUE(RedGreen());  // the picture stays
        d->Press(Key::Escape, kShift);
        EXPECT_FALSE(d->Open());
    }
    EXPECT_EQ(d->Launched(false), "");
}

TEST_F(Window, PlayEnterAndDoubleClicksStartTheSelection) {
    d->ClickPlay();  // nothing selected: the folder alone
    EXPECT_EQ(d->Launched(), d->folder / "roms/" + "\n" + d->folder / "app");
    EXPECT_TRUE(d->Minimized());
    d->Restore();
    d->Click(0);
    d->DoubleClick(2);  // the row under the pointer starts
    EXPECT_EQ(d->Launched(), LaunchOf("c d.nes"));
    d->Restore();  // the focus comes back with the window: the list's keys act at once
    d->Press(Key::Down);
    for (int round = 0; round < 20; ++round) {  // Enter Enter, the second while the first starts: one start
        d->Press(Key::Enter, kNone, 2);
        EXPECT_EQ(d->Launched(), LaunchOf("ゲーム Ülkü.nes")) << round;
        d->Restore();
    }
    d->Press(Key::Tab);  // to Play
    d->Press(Key::Enter);
    EXPECT_EQ(d->Launched(), LaunchOf("ゲーム Ülkü.nes"));
    d->Restore();
    d->Click(1);
    d->DoubleClickPicture();
    EXPECT_EQ(d->Launched(), LaunchOf("b.nes"));
    d->Show(emulator);  // from the start: Down, Enter plays the first ROM
    d->Press(Key::Down);
    d->Press(Key::Enter);
    EXPECT_EQ(d->Launched(), LaunchOf("a.nes"));
}

TEST_F(Window, TheEmulatorReceivesOneParameterStringUntouched) {
    for (std::string rom : {"It's $HOME (v2).zip", "PacMan.ZIP", "Ülkü.zip"}) d->folder.Write("roms/" + rom, "rom");
    d->Show(d->Emulator("mame"));  // launch mode 1: the lower-case name less four characters
    const std::string expected[] = {"it's $home (v2)", "pacman", "ülkü", ""};
    for (int row : {0, 1, 2, -1}) {
        row >= 0 ? d->Click(row) : d->Press(Key::F5);  // F5: nothing selected, no parameters at all
        d->ClickPlay();
        EXPECT_EQ(d->Launched(), expected[row < 0 ? 3 : row] + "\n" + d->folder / "app");
        d->Restore();
    }
}

TEST_F(Window, TheListBehavesAsASingleSelectionListBox) {
    d->Press(Key::Tab);
    d->Press(Key::Down);  // the first arrow selects the first row
    EXPECT_EQ(d->Selected(), 0);
    d->Click(1, kCtrl);  // the user cannot empty the selection
    EXPECT_EQ(d->Selected(), 1);
    d->Type("ゲ");  // a letter selects the next row beginning with it
    EXPECT_EQ(d->Selected(), 3);
    d->Press(Key::Space, kCtrl);
    EXPECT_EQ(d->Selected(), 3);
    d->DoubleClick(-1);  // below the last row: the selected ROM starts
    EXPECT_EQ(d->Launched(), LaunchOf("ゲーム Ülkü.nes"));
    for (std::string rom : {"b.nes", "c d.nes", "ゲーム Ülkü.nes"}) d->folder.Remove("roms/" + rom);
    for (Key key : {Key::Down, Key::Up}) {
        d->Show(emulator);  // one ROM
        d->Press(Key::Tab);
        d->Press(key);
        EXPECT_EQ(d->Selected(), 0);
    }
}

TEST_F(Window, TypedPrefixesAndTriggersFindRows) {
    for (std::string rom : {"cherry", "Star Fox", "Sunset Riders", "Super Mario World", "Super Metroid", "Zelda"}) {
        d->folder.Write("roms/" + rom + ".nes", "rom");
    }
    d->Show(emulator);  // a, b, c d, cherry, Star Fox, Sunset Riders, Super Mario World, Super Metroid, Zelda, ゲーム Ülkü
    d->Press(Key::Tab);
    d->Type("sup");  // within a second: one prefix
    EXPECT_EQ(d->Selected(), 6);
    d->WaitUntil({}, 1100);
    d->Type("S");  // after a pause, a new one; letter case ignored
    EXPECT_EQ(d->Selected(), 7);
    d->Type("x");  // "sx": no row, the selection stays
    EXPECT_EQ(d->Selected(), 7);
    d->WaitUntil({}, 1100);
    d->Type("cc");  // the same letter again: the next row with it, round the end
    EXPECT_EQ(d->Selected(), 3);
    const PadState none, right{false, false, false, false, false, false, 0, 0, 32767}, left{false, false, false, false, false, false, 0, 32767};
    d->Pad(none, 1100);  // plugged in: found within a second
    d->Click(5);  // Sunset Riders
    d->Pad(right), d->Pad(none);  // the first row of the next first letter: Zelda
    EXPECT_EQ(d->Selected(), 8);
    d->Pad(left), d->Pad(none);  // the first row of the letter before: Star Fox
    EXPECT_EQ(d->Selected(), 4);
    d->folder.Write("roms/\xF0\x9F\x8E\xAE Party.nes", "rom");  // a character beyond 16 bits, typed in two halves on Windows
    d->Press(Key::F5);
    d->Rows();
    d->Type("\xF0\x9F\x8E\xAE");
    EXPECT_EQ(d->Selected(), 10);
}

TEST_F(Window, TheFindLineNarrowsTheListAndEscGivesItBack) {
    d->Press(Key::Tab);
    d->Press(Key::Down);  // "a"
    d->Press(Key::F3);
    d->Type("ULK");  // letter case and accents ignored
    EXPECT_EQ(d->Rows(), std::vector<std::string>{"ゲーム Ülkü"});
    EXPECT_EQ(d->Selected(), 0);  // the first it keeps, "a" being gone
    const Box line = d->Rectangle(Control::Window), list = d->Rectangle(Control::List);
    EXPECT_LT(list.height, line.height - 10) << "the list not shortened for the find line";
    d->Press(Key::Enter);
    EXPECT_EQ(d->Launched(), LaunchOf("ゲーム Ülkü.nes"));
    d->Restore();
    d->Press(Key::Escape);  // the whole list, the same ROM; Tarvo stays
    EXPECT_EQ(d->Rows().size(), 4u);
    EXPECT_EQ(d->Selected(), 3);
    EXPECT_TRUE(d->Open());
    d->Press(Key::Escape);
    EXPECT_FALSE(d->Open());
}

TEST_F(Window, AGamelistRenamesReordersHidesAndShowsItsPictures) {
    d->folder.Write("roms/gamelist.xml", "<gameList>\n<game><path>./a.nes</path><name>Zeta &amp; Quest</name></game>\n"
                                         "<game><path>./b.nes</path><name>B</name><hidden>true</hidden></game>\n"
                                         "<game><path>./c d.nes</path><image>./media/mine.png</image></game>\n</gameList>\n");
    d->folder.Write("roms/media/mine.png", TestPicture("red-green.png"));
    d->Press(Key::F5);
    EXPECT_TRUE(d->WaitUntil([&] { return d->Rows() == std::vector<std::string>{"c d", "Zeta & Quest", "ゲーム Ülkü"}; }, 5000))
        << "the gamelist's names, in their order, without the hidden game";
    d->Click(0);
    EXPECT_TRUE(RedGreen()) << "the gamelist's picture";
    d->Click(1);
    d->ClickPlay();
    EXPECT_EQ(d->Launched(), LaunchOf("a.nes"));  // the file it names
}

TEST_F(Window, TheWindowComesBackWhenTheLastGameEnds) {
    auto back = [&] { return d->WaitUntil([&] { return !d->Minimized() && d->Active(); }, 5000); };
    d->Click(1);
    d->Press(Key::Enter);
    EXPECT_EQ(d->Launched(), LaunchOf("b.nes")) << "step 1: Enter started no game";
    EXPECT_TRUE(d->Minimized()) << "step 1: not minimised while the game runs";
    EXPECT_TRUE(d->EndEmulator("b.nes")) << "step 1: no game to end";
    EXPECT_TRUE(back()) << "step 1: not back, or not active, after the game ended";
    EXPECT_EQ(d->Selected(), 1) << "step 1";  // the same ROM, the keys at hand
    EXPECT_EQ(d->Focused(), Control::List) << "step 1";
    d->Press(Key::Down);
    d->Press(Key::Enter);
    EXPECT_EQ(d->Launched(), LaunchOf("c d.nes")) << "step 2: the keys did not reach the list";

    d->Restore();  // the user came back first: the window stays as the user left it
    d->Press(Key::Tab);
    EXPECT_TRUE(d->EndEmulator("c d.nes")) << "step 3";
    d->WaitUntil({}, 300);
    EXPECT_EQ(d->Focused(), Control::Play) << "step 3: the focus moved after the user came back";

    d->Click(0);  // two games: only the last end brings the window back
    d->ClickPlay();
    d->Launched();
    d->Restore();
    d->Click(1);
    d->ClickPlay();
    d->Launched();
    EXPECT_TRUE(d->EndEmulator("a.nes")) << "step 4";
    d->WaitUntil({}, 300);
    EXPECT_TRUE(d->Minimized()) << "step 4: back while a game still runs";
    EXPECT_TRUE(d->EndEmulator("b.nes")) << "step 4";
    EXPECT_TRUE(back()) << "step 4: not back, or not active, after the last game ended";

    d->ClickPlay();  // Esc while a game runs: it runs on
    d->Launched();
    d->Restore();
    d->Press(Key::Escape);
    EXPECT_FALSE(d->Open()) << "step 5: Esc did not close Tarvo";
    EXPECT_TRUE(d->EndEmulator("b.nes")) << "step 5: the game ended with Tarvo";
}

TEST_F(Window, ALaunchersGameKeepsTheWindowAwayUntilItEnds) {
    d->Show(d->Launcher("nestopia"));  // it starts the game in a session of its own and ends at once
    const PadState none, a{false, false, false, false, true};
    d->Click(1);
    d->Press(Key::Enter, kNone, 2);  // one press sequence, one start
    EXPECT_EQ(d->Launched(), LaunchOf("b.nes"));
    for (int press = 0; press < 3; ++press) d->Pad(a, 200), d->Pad(none, 200);  // the player, in the game
    EXPECT_TRUE(d->Minimized());
    EXPECT_EQ(d->Launched(false), "");
    EXPECT_TRUE(d->EndEmulator("b.nes"));
    EXPECT_TRUE(d->WaitUntil([&] { return !d->Minimized() && d->Active(); }, 5000));
}

TEST_F(Window, BackAndStartHeldDuringAGameEndIt) {
    const PadState none, a{false, false, false, false, true}, back{false, false, false, false, false, false, 0, 0, 0, true};
    const PadState quit{false, false, false, false, false, true, 0, 0, 0, true};
    auto back_ = [&](int ms) { return d->WaitUntil([&] { return !d->Minimized() && d->Active(); }, ms); };
    d->Pad(none, 1100);  // plugged in: found within a second
    d->Click(1);
    d->Press(Key::Enter);
    EXPECT_EQ(d->Launched(), LaunchOf("b.nes"));
    d->Pad(quit, 1000);  // a second: the game plays on
    for (const PadState& button : {none, a, none, back, none}) d->Pad(button, 300);  // the player's, the game's
    EXPECT_TRUE(d->Minimized()) << "held for a second";
    EXPECT_EQ(d->Launched(false), "");
    d->Pad(quit, 1700);  // held on: the game is asked to end, obeys, and Tarvo is back
    EXPECT_TRUE(back_(3000)) << "not back after the game was asked to end";
    EXPECT_EQ(d->Focused(), Control::List);
    d->Pad(quit, 500);  // Start, still held at the return: no Play until every button is let go
    EXPECT_EQ(d->Launched(false), "");
    d->folder.Write("app/stubborn", "");  // the next ignores the request: ended 5 s after
    d->Pad(none), d->Pad(a), d->Pad(none);
    EXPECT_EQ(d->Launched(), LaunchOf("b.nes"));
    d->Pad(quit, 1700);
    d->Pad(none);
    d->WaitUntil({}, 2500);
    EXPECT_TRUE(d->Minimized()) << "the stubborn game was ended before its time";
    EXPECT_TRUE(back_(4000)) << "the stubborn game was never ended";
    d->folder.Remove("app/stubborn");

    d->UseSetting("Settings", "padquit", "off");
    d->Show(emulator);
    d->Pad(none);
    d->Click(1);
    d->ClickPlay();
    EXPECT_EQ(d->Launched(), LaunchOf("b.nes"));
    d->Pad(quit, 1700);
    d->Pad(none);
    EXPECT_TRUE(d->Minimized()) << "padquit=off";
    EXPECT_TRUE(d->EndEmulator("b.nes"));
}

TEST_F(Window, APadDrivesTheListAsTheKeysDo) {
    for (int row = 10; row < 70; ++row) d->folder.Write("roms/p" + std::to_string(row) + ".nes", "rom");
    d->Show(emulator);  // a, b, c d, p10 ... p69, ゲーム Ülkü
    const PadState none, down{false, true}, pageUp{false, false, true}, pageDown{false, false, false, true};
    const PadState a{false, false, false, false, true}, stickDown{false, false, false, false, false, false, 32767};
    auto press = [&](std::initializer_list<PadState> buttons) {
        for (const PadState& button : buttons) d->Pad(button), d->Pad(none);
    };
    d->Pad(none, 1100);  // plugged in now, while Tarvo runs: found within a second
    d->Click(0);
    press({down, down, a});
    EXPECT_EQ(d->Launched(), LaunchOf("c d.nes"));  // the third row
    EXPECT_TRUE(d->EndEmulator("c d.nes"));
    d->WaitUntil([&] { return d->Active(); }, 5000);
    d->Pad(none);
    d->Pad(stickDown, 700);  // held: at once, after 400 ms, then every 80 ms
    d->Pad(none);
    EXPECT_GE(d->Selected(), 2 + 3);
    EXPECT_LE(d->Selected(), 2 + 7);
    d->Click(0);
    press({pageDown});
    EXPECT_GE(d->Selected(), 10);  // a page
    press({pageUp});
    EXPECT_EQ(d->Selected(), 0);

    d->Minimize();  // a pad in a game's hands never reaches Tarvo, then or later
    d->Pad(down);
    d->Pad(a);
    d->Restore();
    press({a});  // still held from before: no press
    d->Deactivate();
    press({down, a});
    EXPECT_EQ(d->Launched(false), "");
    EXPECT_EQ(d->Selected(), 0);
}

TEST_F(Window, PicturesFillTheAreaWhereverTheToolsPutThem) {
    for (std::string rom : {"g.nes", "m.nes", "new.nes", "Tom & Jerry (Europe).nes", "z.nes"}) d->folder.Write("roms/" + rom, "rom");
    // a, b, c d, g, m, new, Tom & Jerry (Europe), z, ゲーム Ülkü; a has no picture: the logo
    d->folder.Write("shots/b.jpg", TestPicture("red-green.jpg"));  // by the stem
    d->folder.Write("shots/c d.bmp", TestPicture("red-green.bmp"));
    d->folder.Write("shots/c d.nes.gif", "");  // 2.1 GB, sparse: no picture, whatever it holds
    std::filesystem::resize_file(std::filesystem::u8path(d->folder / "shots/c d.nes.gif"), 2100000000);
    d->folder.Write("shots/g.nes.gif", TestPicture("red-green.gif"));  // by the whole name
    d->folder.Write("shots/m/0000.png", TestPicture("red-green.png"));  // MAME
    d->folder.Write("shots/new.nes.png", TestPicture("red-green.png") + std::string(40 << 20, '\0'));  // 40 MiB, a long tail
    d->folder.Write("shots/Named_Boxarts/Tom _ Jerry.png", TestPicture("red-green.png"));  // libretro
    d->folder.Write("shots/covers/z.jpg", TestPicture("red-green.jpg"));  // ES-DE
    d->folder.Write("shots/ゲーム Ülkü.nes.gif", "GIF89a damaged");
    d->Press(Key::F5);
    for (int row : {1, 2, 3, 4, 5, 6, 7}) {
        d->Click(0);
        EXPECT_TRUE(Near(d->Grab(Control::Picture).At(0.5, 0.5), kBlue)) << row;
        d->Click(row);
        EXPECT_TRUE(RedGreen()) << row;
    }
    d->Resize(900, 600);
    EXPECT_EQ(d->Rectangle(Control::Picture), (Box{300, 0, 600, 550}));
    EXPECT_EQ(d->Rectangle(Control::Play), (Box{300, 550, 600, 50}));
    EXPECT_TRUE(Near(d->Grab(Control::Picture).At(0.02, 0.98), kRed));
    EXPECT_TRUE(Near(d->Grab(Control::Picture).At(0.98, 0.02), kGreen));
    d->Click(8);  // damaged: the logo, never the previous ROM's picture
    EXPECT_TRUE(Near(d->Grab(Control::Picture).At(0.5, 0.5), kBlue));
    d->folder.Remove("app/logo.gif");
    d->folder.Write("app/logo.png", TestPicture("red-green.png"));
    d->Click(0);  // now logo.png
    EXPECT_TRUE(RedGreen());
}

TEST_F(Window, PicturesNeverHoldTheKeys) {
    for (int row = 0; row < 10; ++row) {  // each screenshot 98 kB that would decode to 5,790 x 5,790
        d->folder.Write("roms/bomb" + std::to_string(row) + ".nes", "rom");  // but: the last, red, one row past 4,096 x 4,096
        d->folder.Write("shots/bomb" + std::to_string(row) + ".nes.png", TestPicture(row < 9 ? "bomb.png" : "one-row-too-many.png"));
    }
    d->folder.Write("shots/bomb8.nes.png", TestPicture("as-many-as-may-be.png"));  // green, 4,096 x 4,096: shown
    d->Show(emulator);  // a, b, bomb0 ... bomb9, c d, ゲーム Ülkü
    d->Click(1);
    for (int row = 2; row < 12; ++row) {
        const auto pressed = std::chrono::steady_clock::now();
        d->Press(Key::Down);
        // A bomb decoded on the window's thread held it for seconds; a loaded machine, a few hundred ms.
        EXPECT_LT(std::chrono::steady_clock::now() - pressed, std::chrono::milliseconds(1000)) << row;
        EXPECT_EQ(d->Selected(), row);
    }
    EXPECT_TRUE(Near(d->Grab(Control::Picture).At(0.5, 0.5), kBlue));  // no picture of those: the logo
    d->Press(Key::Up);
    EXPECT_TRUE(d->WaitUntil([&] { return Near(d->Grab(Control::Picture).At(0.5, 0.5), kGreen); }, 5000));
    EXPECT_LT(d->PeakMegabytes(), 150);
}

TEST_F(Window, WithoutAnyPictureTheWindowsIconFillsTheArea) {
    d->folder.Remove("app/logo.gif");
    d->Show(emulator);
    for (const Image& icon : {d->Grab(Control::Picture), d->Grab(Control::Icon)}) {
        EXPECT_TRUE(Near(icon.At(0.25, 0.25), kIconBlue)) << icon.At(0.25, 0.25);
        EXPECT_TRUE(Near(icon.At(0.5, 0.55), kIconWhite)) << icon.At(0.5, 0.55);
    }
}

TEST_F(Window, AFullArcadeSetWorksToItsLastRow) {
    d->UseRoms(TARVO_ARCADE_SET);  // r000000.nes to r069999.nes
    d->Show(emulator);
    d->Click(39000);
    d->Type("r");  // the next row from the selected one, past row 32,767
    EXPECT_EQ(d->Selected(), 39001);
    d->DoubleClick(69990);  // past row 65,535
    EXPECT_EQ(d->Launched(), TreePath(TARVO_ARCADE_SET "/r069990.nes") + "\n" + d->folder / "app");
    d->Restore();
    d->Press(Key::F3);  // the find line narrows all 70,000 to the ten rows with the word
    d->Type("R03999");
    const std::vector<std::string> found = d->Rows();
    ASSERT_EQ(found.size(), 10u);
    EXPECT_EQ(found.front() + " " + found.back(), "r039990 r039999");
    EXPECT_EQ(d->Selected(), 0);  // the selected row gone: the first it keeps
    d->Press(Key::Down);
    d->Press(Key::Enter);
    EXPECT_EQ(d->Launched(), TreePath(TARVO_ARCADE_SET "/r039991.nes") + "\n" + d->folder / "app");
    d->Restore();
    d->Press(Key::Escape);  // the whole list again, the same ROM selected
    EXPECT_EQ(d->Rows().size(), 70000u);
    EXPECT_EQ(d->Selected(), 39991);
}

// Before the case of 70,000 rows, whose window's objects go only after it.
TEST_F(Window, ScreenReadersKeepOneCopyOfTheListThroughEachF5) {
    if (!d->Listening()) GTEST_SKIP() << "no accessibility bus here";
    for (int i = 0; i < 2000; ++i) d->folder.Write("roms/r" + std::to_string(10000 + i) + ".nes", "rom");
    d->Show(emulator);
    const std::optional<Kept> kept = d->ObjectsAReaderKeeps();
    if (!kept) GTEST_SKIP() << "MSAA: a screen reader keeps nothing the window tells it";
    EXPECT_EQ(kept->objects, 2005u);  // the list and each of its rows
    EXPECT_GT(kept->visible, 1u);     // the list and the rows in its view, not those below it
    EXPECT_LT(kept->visible, 40u);
    for (int f5 = 0; f5 < 3; ++f5) {
        d->Press(Key::F5);
        EXPECT_EQ(d->Rows().size(), 2004u);
    }
    EXPECT_EQ(d->ObjectsAReaderKeeps(), kept) << "the rows of each reading are kept beside the last";
}

TEST_F(Window, ScreenReadersThatStartAfterTheListWasShownAreToldItAll) {
    if (!d->Listening()) GTEST_SKIP() << "no accessibility bus here";  // only now: the list was shown to nobody
    std::optional<Kept> kept;
    d->WaitUntil([&] { return !(kept = d->ObjectsAReaderKeeps()) || kept->objects == 5; }, 5000);
    if (!kept) GTEST_SKIP() << "MSAA: a screen reader keeps nothing the window tells it";
    EXPECT_EQ(kept->objects, 5u);  // the list and its four rows
}

TEST_F(Window, ScreenReadersHearWhereTarvoLookedWhenTheListIsEmpty) {
    if (!d->Listening()) GTEST_SKIP() << "no accessibility bus here";
    for (std::string rom : {"a.nes", "b.nes", "c d.nes", "ゲーム Ülkü.nes"}) d->folder.Remove("roms/" + rom);
    d->folder.Write("roms/read me.txt", "no ROM");  // a file: the folder is read as it is
    d->Show(emulator);
    EXPECT_TRUE(d->Rows().empty());
    EXPECT_EQ(d->Told(0).description, "No ROMs in " + d->folder / "roms" + " (*.nes;*.zip)");
}

TEST_F(Window, ScreenReadersHearTheFindLineAndWhatItKeeps) {
    if (!d->Listening()) GTEST_SKIP() << "no accessibility bus here";
    d->Show(emulator);
    d->Press(Key::F3);
    d->Type("c");
    const Heard heard = d->Told(0);
    EXPECT_EQ(heard.find, "Find");
    EXPECT_EQ(heard.findCount, "1 of 4 ROMs");
}

TEST_F(Window, ScreenReadersHearTheListItsSelectedRomAndPlay) {
    if (!d->Listening()) GTEST_SKIP() << "no accessibility bus here";
    const std::string longest = "Ülkü " + std::string(205, 'z');  // 210 characters
    d->folder.Write("roms/" + longest + ".nes", "rom");
    d->folder.Write("shots/b.png", TestPicture("red-green.png"));
    d->Show(emulator);
    Heard heard = d->Told(10);
    EXPECT_TRUE(heard.windowIsFrame && heard.listIsList);
    EXPECT_EQ(heard.list, "ROMs");
    EXPECT_EQ(heard.count, 5u);
    EXPECT_EQ(heard.rows, d->Rows());
    EXPECT_NE(std::find(heard.rows.begin(), heard.rows.end(), longest), heard.rows.end());
    EXPECT_EQ(heard.selected, "");
    EXPECT_EQ(heard.description, "No ROM selected");
    EXPECT_EQ(heard.play, "Starts Nestopia with the selected ROM");  // the path stays the tooltip's
    EXPECT_EQ(heard.picture, "Tarvo");

    d->Press(Key::Tab);  // nothing selected: the list itself
    EXPECT_EQ(d->FocusTold("ROMs", 2000), "ROMs");
    d->Type("b");
    EXPECT_EQ(d->FocusTold("b", 2000), "b");
    d->Grab(Control::Picture);  // once it has shown
    heard = d->Told(0);
    EXPECT_EQ(heard.selected, "b");
    EXPECT_EQ(heard.description, "");
    EXPECT_EQ(heard.picture, "Screenshot of b");
    d->Press(Key::Down), d->Grab(Control::Picture);  // the window's icon
    EXPECT_EQ(d->Told(0).picture, "No screenshot of c d");
    EXPECT_EQ(d->FocusesTold(), std::vector<std::string>{"c d"});  // once a key
    d->Press(Key::Up);
    d->Press(Key::Tab, kNone, 2);  // away and back: the selected ROM
    EXPECT_EQ(d->FocusTold("b", 2000), "b");
    d->Press(Key::Enter);
    EXPECT_TRUE(d->EndEmulator("b.nes"));  // back from the game: the selected ROM
    EXPECT_EQ(d->FocusTold("b", 5000), "b");

    d->UseRoms(TARVO_ARCADE_SET);  // 70,000 rows: the ROM told within a second all the same
    d->Show(emulator);
    d->Click(69000);
    d->Press(Key::Tab, kNone, 2);
    EXPECT_EQ(d->FocusTold("r069000", 1000), "r069000");
    EXPECT_EQ(d->Told(0).count, 70000u);
    // What a screen reader asks of every row (Orca: to count the items, and for the focused one) is
    // answered without a round trip a row: a walk of 70,000 rows would take a minute.
    const Walked walked = d->WalkedAsAReaderDoes();
    EXPECT_EQ(walked.items, 70000u);
    EXPECT_EQ(walked.focused, "r069000");
    EXPECT_EQ(walked.states, "available focusable focused selectable selected visible");
    EXPECT_LT(walked.seconds, 5);
}

TEST_F(Window, TheFocusShowsAndADarkThemeIsKept) {
    const Image playFocused = d->Grab(Control::Play);
    d->Press(Key::Tab);
    const Image playUnfocused = d->Grab(Control::Play);
    EXPECT_NE(playFocused.pixels, playUnfocused.pixels);  // the focus shows on Play

    const Colour black{0, 0, 0}, yellow{255, 255, 1};  // to the last bit
    d->UseSystemColours(black, yellow);  // blue on black would not read
    d->Press(Key::Down);
    const Image list = d->Grab(Control::List);
    EXPECT_TRUE(Near(list.At(0.5, 1), black)) << list.At(0.5, 1);
    const Colour marked = list.At(0.02, 0.02);  // the selected row stands out, its name readable on it
    EXPECT_FALSE(Near(marked, black)) << marked;
    EXPECT_TRUE(std::any_of(list.pixels.begin(), list.pixels.begin() + 10 * list.width, [&](const Colour& c) { return !Near(c, marked) && !Near(c, black); }));
    Colour text = black;  // the yellowest pixel of the names
    for (const Colour& c : list.pixels) text = c.red + c.green - c.blue > text.red + text.green - text.blue ? c : text;
    EXPECT_EQ(text, yellow);
}

TEST_F(Window, AnArcadeSetShowsTheTitlesItsEmulatorTells) {
    for (std::string rom : {"1943u.zip", "mspacman.zip", "pacman.zip", "zzz.zip"}) d->folder.Write("roms/" + rom, "rom");
    d->folder.Write("app/listfull", "Name:             Description:\n1943u    \"1943: The Battle of Midway (US, Rev C)\"\n"
                                    "mspacman \"Ms. Pac-Man\"\npacman   \"Pac-Man (Midway)\"\n");
    d->Show(d->Emulator("mame"));
    EXPECT_EQ(d->Rows(), (std::vector<std::string>{"1943u", "mspacman", "pacman", "zzz"}));
    d->Click(1);
    d->folder.Write("app/answer-now", "");
    EXPECT_TRUE(d->WaitUntil([&] { return d->Rows()[0] != "1943u"; }, 5000));
    EXPECT_EQ(d->Rows(), (std::vector<std::string>{"1943: The Battle of Midway (US, Rev C)", "Ms. Pac-Man", "Pac-Man (Midway)", "zzz"}));
    EXPECT_EQ(d->Selected(), 1);  // the same ROM
    const std::string asked = d->folder.Read("app/asked.pid");
    EXPECT_EQ(std::count(asked.begin(), asked.end(), '\n'), 1) << "asked once";
    d->Type("p");  // on the titles
    EXPECT_EQ(d->Selected(), 2);
    d->ClickPlay();  // the set's name starts it
    EXPECT_EQ(d->Launched(), "pacman\n" + d->folder / "app");
}

TEST_F(Window, AnArcadeSetsNonGamesLeaveTheListAsItsEmulatorTells) {
    for (std::string rom : {"neogeo.zip", "pacman.zip", "puckman.zip", "qsound.zip"}) d->folder.Write("roms/" + rom, "rom");
    d->folder.Write("app/listxml", "<?xml version=\"1.0\"?>\n<mame build=\"0.251\">\n<machine name=\"neogeo\" isbios=\"yes\"/>\n"
                                   "<machine name=\"pacman\" cloneof=\"puckman\"><driver status=\"good\"/></machine>\n"
                                   "<machine name=\"puckman\"/>\n<machine name=\"qsound\" isdevice=\"yes\" runnable=\"no\"/>\n</mame>\n");
    d->folder.Write("app/listxml.status", "5");  // a set it did not know: it lists the others all the same
    d->folder.Write("shots/puckman.png", TestPicture("red-green.png"));
    const std::string mame = d->Emulator("mame");
    d->Show(mame);
    d->Click(2);  // puckman
    d->folder.Write("app/answer-now", "");  // no titles; and the machines
    EXPECT_TRUE(d->WaitUntil([&] { return d->Rows().size() == 2; }, 5000));
    EXPECT_EQ(d->Rows(), (std::vector<std::string>{"pacman", "puckman"}));
    EXPECT_EQ(d->Selected(), 1);  // the same ROM
    d->Click(0);  // a clone without a picture of its own: its parent's
    EXPECT_TRUE(RedGreen());
    d->UseSetting("Settings", "hide", "clones");
    d->Show(mame);
    EXPECT_TRUE(d->WaitUntil([&] { return d->Rows() == std::vector<std::string>{"puckman"}; }, 5000));
}

TEST_F(Window, OneRowAGameWhateverLiesBesideItOnDisc) {
    for (std::string file : {"a.smc", "._a.smc", "Thumbs.db", "Game.cue", "Game.bin", "Game (Track 2).bin", "Saga (Disc 1).cue",
                             "Saga (Disc 2).cue"}) {
        d->folder.Write("roms/" + file, "rom");
    }
    d->folder.Write("roms/Game.cue", "FILE \"Game.bin\" BINARY\n  TRACK 01 MODE1/2352\nFILE \"Game (Track 2).bin\" BINARY\n");
    d->folder.Write("roms/Saga.m3u", "#EXTM3U\r\nSaga (Disc 1).cue\r\nSaga (Disc 2).cue\r\n");
    d->folder.Write("roms/Saga (Disc 1).cue", "FILE \"Saga (Disc 1).bin\" BINARY\n");
    const std::string runner = d->Emulator("runner");  // known to no profile: every file
    d->UseSetting("Settings", "emu", runner);
    d->Show(d->folder / "app/other");
    EXPECT_EQ(d->Rows(), (std::vector<std::string>{"a", "a", "b", "c d", "Game", "notes", "Saga", "ゲーム Ülkü"}));
}

TEST_F(Window, AnEmulatorsOwnSectionGivesItsFoldersPatternAndArguments) {
    const std::string runner = d->Emulator("runner");  // known to no profile of the table, but to the settings
    for (std::string rom : {"runner-roms/Space Game.gb", "runner-roms/notes.txt", "nes/z.nes", "arcade/pacman.zip"}) {
        d->folder.Write(rom, "rom");
    }
    d->UseSetting("Runner", "roms", d->folder / "runner-roms");
    d->UseSetting("Runner", "pattern", "*.gb;*.gbc");
    d->UseSetting("Runner", "args", "--rom \"%ROMFILE%\" --name %BASENAME% -f");
    d->UseSetting("nestopia", "roms", d->folder / "nes");  // each emulator's own folder
    d->UseSetting("MAME", "roms", d->folder / "arcade");
    d->Show(runner);
    EXPECT_EQ(d->Text(Control::Window), "Tarvo - Generic Frontend by Quillan - Runner");
    EXPECT_EQ(d->Rows(), std::vector<std::string>{"Space Game"});
    d->Click(0);
    d->ClickPlay();
    const std::string rom = d->folder / "runner-roms/Space Game.gb";
    EXPECT_EQ(d->Launched(), (d->exe.empty() ? "--rom|" + rom + "|--name|Space Game|-f" : "--rom \"" + rom + "\" --name Space Game -f") +
                                 "\n" + d->folder / "app");
    d->Show(emulator);
    EXPECT_EQ(d->Rows(), std::vector<std::string>{"z"});
    d->Show(d->Emulator("mame"));
    EXPECT_EQ(d->Rows(), std::vector<std::string>{"pacman"});
}

TEST_F(Window, AnEmulatorThatHangsOrSaysNothingUsefulLeavesTheShortNames) {
    d->folder.Write("roms/pacman.zip", "rom");
    auto asked = [&] {  // the stand-in's process, once it is asked
        d->WaitUntil([&] { return !d->folder.Read("app/asked.pid").empty(); }, 5000);
        return std::atoi(d->folder.Read("app/asked.pid").c_str());
    };
    d->Show(d->Emulator("mame"));  // it hangs: the window answers, and ending Tarvo ends it
    const int hanging = asked();
    d->Click(0);
    EXPECT_EQ(d->Selected(), 0);
    EXPECT_TRUE(d->Running(hanging));
    d->folder.Write("app/answer-now", "");
    const std::pair<std::string, std::string> answers[] = {
        {"\x7f" "ELF\x02\x01 garbage\n", "0"}, {std::string(20 << 20, 'x'), "0"}, {"Name: Description:\npacman \"Pac-Man\"\n", "1"}};
    for (const auto& [answer, status] : answers) {
        d->folder.Write("app/listfull", answer);
        d->folder.Write("app/listfull.status", status);
        d->folder.Remove("app/asked.pid");
        d->Show(d->Emulator("mame"));
        EXPECT_FALSE(d->Running(hanging));
        EXPECT_TRUE(d->WaitUntil([&, pid = asked()] { return !d->Running(pid); }, 5000));
        d->WaitUntil({}, 100);
        EXPECT_EQ(d->Rows(), std::vector<std::string>{"pacman"}) << status;
    }
}

TEST_F(Window, AFolderOnASlowShareShowsTheWindowAtOnceAndNeverHoldsIt) {
    const std::string share = SlowShare();  // 6,000 ROMs: the listing takes 2.4 s
    if (share.empty()) GTEST_SKIP() << "no slow share here (slowfs, FUSE)";
    d->UseRoms(share + "/share/roms", share + "/share/shots");
    d->Show(emulator, false);
    EXPECT_TRUE(d->Reading());  // shown while the folder is still read
    EXPECT_EQ(d->SecondStart(emulator), 0);  // and a second start finds it at once
    d->Press(Key::F5);  // read anew, to the end
    EXPECT_EQ(d->Rows().size(), 6000u);
    d->Click(0);  // their pictures on the share never hold the keys
    for (int row = 1; row <= 20; ++row) EXPECT_LT(d->Handling(Key::Down), 50) << row;
    EXPECT_EQ(d->Selected(), 20);
    d->Show(emulator, false);
    const auto escape = std::chrono::steady_clock::now();
    d->Press(Key::Escape);  // gone at once, the reading left to itself
    EXPECT_FALSE(d->Open());
    EXPECT_LT(std::chrono::steady_clock::now() - escape, std::chrono::milliseconds(300));
    d->UseRoms(share + "/drops/roms");  // a share that drops part-way: what was read is shown
    d->Show(emulator);
    EXPECT_FALSE(d->Rows().empty());
    EXPECT_LT(d->Rows().size(), 6000u);
}

TEST_F(Window, AShareThatHangsNeverHoldsTheWindowNorPilesReadingsUp) {
    const std::string share = SlowShare();
    if (share.empty()) GTEST_SKIP() << "no slow share here (slowfs, FUSE)";
    d->UseRoms(share + "/hangs/roms");  // each listing of it waits 8 s
    d->Show(emulator, false);
    const int threads = d->Threads();
    for (int held = 0; held < 100; ++held) d->Press(Key::F5), d->WaitUntil({}, 30);  // F5 held 3 s
    EXPECT_TRUE(d->Reading());
    const Image list = d->Grab(Control::List);  // the empty list says what it is waiting for
    const Colour ground = list.At(0.5, 1);
    EXPECT_TRUE(std::any_of(list.pixels.begin(), list.pixels.begin() + 20 * list.width, [&](const Colour& c) { return !Near(c, ground); }));
    EXPECT_LE(d->Threads(), threads + 1);  // one listing of the share at a time
    const auto escape = std::chrono::steady_clock::now();
    d->Press(Key::Escape);
    EXPECT_FALSE(d->Open());
    EXPECT_LT(std::chrono::steady_clock::now() - escape, std::chrono::milliseconds(300));
}

TEST_F(Window, PlayOnAShareThatStallsNeverHoldsTheWindow) {
    const std::string share = SlowShare();
    if (share.empty()) GTEST_SKIP() << "no slow share here (slowfs, FUSE)";
    if (!d->exe.empty()) GTEST_SKIP() << "Wine looks every file of a listing up: a share whose look-ups stall stalls its listing";
    d->UseRoms(share + "/stalls/roms");  // each look-up waits 3 s
    d->Show(emulator, false);
    ASSERT_EQ(d->Rows().size(), 3u);
    d->Click(0);
    d->ClickPlay();  // the ROM is looked up beside the window
    const auto escape = std::chrono::steady_clock::now();
    d->Press(Key::Escape);
    EXPECT_FALSE(d->Open());
    EXPECT_LT(std::chrono::steady_clock::now() - escape, std::chrono::milliseconds(300));
    EXPECT_EQ(d->Launched(false), "");
}

TEST_F(Window, ATarvoIniBesideTheProgramTakesThePlaceOfTheSettings) {
    const std::string sep = d->exe.empty() ? "/" : "\\", up = ".." + sep;
    d->folder.Write("portable/x y.nes", "rom");
    d->folder.Write("portable-shots/x y.png", TestPicture("red-green.png"));
    d->folder.Write("app/Tarvo.ini", "\xEF\xBB\xBF[Settings]\r\nroms=" + up + "portable\r\nshots=" + up + "portable-shots\r\n"
                                     "emu=nestopia" + d->exe + "\r\n");
    d->Show("");  // the emulator too from Tarvo.ini, beside it
    EXPECT_EQ(d->Text(Control::Window), "Tarvo - Generic Frontend by Quillan - Nestopia");
    EXPECT_EQ(d->Rows(), std::vector<std::string>{"x y"});
    d->Click(0);
    EXPECT_TRUE(RedGreen());
    d->Press(Key::Enter);
    EXPECT_EQ(d->Launched(), d->folder / "app" + sep + up + "portable" + sep + "x y.nes\n" + d->folder / "app");
    EXPECT_TRUE(d->EndEmulator("x y.nes"));

    // No settings file: the settings as they were.
    d->folder.Remove("app/Tarvo.ini"), d->folder.Write("app/Tarvo.ini/inside", "");  // a folder
    d->Show(emulator);
    EXPECT_EQ(d->Rows(), (std::vector<std::string>{"a", "b", "c d", "ゲーム Ülkü"}));
    d->folder.Remove("app/Tarvo.ini/inside"), d->folder.Remove("app/Tarvo.ini");
    d->folder.Write("app/Tarvo.ini", "[Settings]\nroms=" + up + "portable\n" + std::string(2 << 20, ';'));  // 2 MiB
    d->Show(emulator);
    EXPECT_EQ(d->Rows().size(), 4u);
#ifndef _WIN32
    d->folder.Remove("app/Tarvo.ini");
    ASSERT_EQ(mkfifo((d->folder / "app/Tarvo.ini").c_str(), 0600), 0);  // nobody writes to it: never waited for
    d->Show(emulator);
    EXPECT_EQ(d->Rows().size(), 4u);
#endif
}

TEST_F(Window, AFailedStartIsReportedAndTheWindowStays) {
    const std::string missing = d->folder / ("gone/" + std::string(1100, 'n') + "/nestopia" + d->exe);
    d->Show(missing);
    const std::string shown = d->ToolTip(Control::Play);  // shortened in the middle, so it fits the screen
    EXPECT_EQ(shown.substr(0, 40), missing.substr(0, 40));
    EXPECT_EQ(shown.substr(shown.size() - 12 - d->exe.size(), 3), "…");
    EXPECT_EQ(shown.substr(shown.size() - 8 - d->exe.size()), "nestopia" + d->exe);
    d->Click(0);
    const std::string message = d->MessageDuring([&] { d->ClickPlay(); });
    EXPECT_EQ(message.rfind("Could not start the emulator " + shown + ": ", 0), 0u) << message;
    EXPECT_GT(message.size(), shown.size() + 31);
    EXPECT_FALSE(d->Minimized());
    d->Show(emulator);  // a ROM gone since the list was read
    d->Click(1);
    d->folder.Remove("roms/b.nes");
    EXPECT_EQ(d->MessageDuring([&] { d->ClickPlay(); }),
              "Could not start the emulator " + emulator + ": the ROM b.nes is gone; F5 reads the folder again");
    EXPECT_FALSE(d->Minimized());
    EXPECT_EQ(d->Launched(false), "");
}

TEST_F(Window, AGameThatEndsAsItBeginsSaysHowOnlyWhenItFailed) {
    // The stand-in's exit code and how long it ran: whether Tarvo says so.
    const std::pair<const char*, bool> cases[] = {{"3 0.2", true}, {"0 0", false}, {"3 4", false}};
    for (const auto& [fail, told] : cases) {
        d->folder.Write("app/fail", fail);
        d->Click(1);
        const std::string message = d->MessageDuring([&] {
            d->ClickPlay();
            d->WaitUntil([&] { return d->Minimized(); }, 1000);
            d->WaitUntil([&] { return !d->Minimized(); }, 6000);
        });
        const std::string said = "The emulator nestopia" + d->exe + " ended at once (exit code 3)";
        EXPECT_EQ(message.substr(0, told ? said.size() : 0), told ? said : "") << fail << ": " << message;
        EXPECT_FALSE(d->Minimized()) << fail;
        EXPECT_EQ(d->Launched(false), LaunchOf("b.nes")) << fail;  // one press, one start, one message at most
    }
}

TEST_F(Window, AFailedStartQuotesTheLastLineTheEmulatorPrinted) {
    if (!d->exe.empty()) GTEST_SKIP() << "a Windows program the shell starts keeps its output to itself";
    d->folder.Write("app/fail", "3 0.2");
    d->Click(1);
    const std::string message = d->MessageDuring([&] { d->ClickPlay(); });
    // As printed, a tag and the line break kept.
    EXPECT_NE(message.find(": <b>b.nes</b>: starting\nb.nes: cannot be run"), std::string::npos) << message;
}

TEST_F(Window, ASecondStartBringsBackTheWindowOfItsEmulatorOnly) {
    d->Minimize();
    EXPECT_EQ(d->SecondStart(d->folder / ("other/mame" + d->exe)), 0);
    EXPECT_TRUE(d->Minimized());
    EXPECT_EQ(d->SecondStart(d->folder / ("other/NESTOPIA" + d->exe)), 0);
    EXPECT_FALSE(d->Minimized());
    EXPECT_TRUE(d->Active());
    EXPECT_TRUE(d->Open());
}

TEST_F(Window, AStartWhileTheFirstShowsItsMessageEndsWithoutAWindow) {
    d->StartOneHeldAtItsMessage();
    EXPECT_EQ(d->SecondStart(emulator), 0);
}

}  // namespace
}  // namespace tarvo::testing
