#include <gtest/gtest.h>

#include "fakes.h"
#include "ui/preview.h"

namespace tarvo::testing {
namespace {

TEST(Preview, CandidatesInOrder) {
    EXPECT_EQ(PreviewCandidates("C:\\Front\\shots\\", "C:\\Front\\", "sonic.bin", '\\'),
              (std::vector<std::string>{
                  "C:\\Front\\shots\\sonic.bin.gif", "C:\\Front\\shots\\sonic.bin.jpg",
                  "C:\\Front\\shots\\sonic.bin.bmp", "C:\\Front\\shots\\sonic.gif", "C:\\Front\\shots\\sonic.jpg",
                  "C:\\Front\\shots\\sonic.bmp", "C:\\Front\\shots\\sonic.bin.png", "C:\\Front\\shots\\sonic.png",
                  "C:\\Front\\shots\\sonic\\0000.png", "C:\\Front\\shots\\Named_Snaps\\sonic.png",
                  "C:\\Front\\shots\\Named_Titles\\sonic.png", "C:\\Front\\shots\\Named_Boxarts\\sonic.png",
                  "C:\\Front\\shots\\screenshots\\sonic.png", "C:\\Front\\shots\\screenshots\\sonic.jpg",
                  "C:\\Front\\shots\\titlescreens\\sonic.png", "C:\\Front\\shots\\titlescreens\\sonic.jpg",
                  "C:\\Front\\shots\\covers\\sonic.png", "C:\\Front\\shots\\covers\\sonic.jpg",
                  "C:\\Front\\logo.gif", "C:\\Front\\logo.jpg", "C:\\Front\\logo.bmp", "C:\\Front\\logo.png"}));
    // libretro's names: its characters as "_", then without the tag.
    const auto tagged = PreviewCandidates("s/", "a/", "Tom & Jerry: <1/2> (USA).nes", '/');
    EXPECT_EQ(std::vector<std::string>(tagged.begin() + 9, tagged.begin() + 16),
              (std::vector<std::string>{"s/Named_Snaps/Tom _ Jerry_ _1_2_ (USA).png", "s/Named_Titles/Tom _ Jerry_ _1_2_ (USA).png",
                                        "s/Named_Boxarts/Tom _ Jerry_ _1_2_ (USA).png", "s/Named_Snaps/Tom _ Jerry_ _1_2_.png",
                                        "s/Named_Titles/Tom _ Jerry_ _1_2_.png", "s/Named_Boxarts/Tom _ Jerry_ _1_2_.png",
                                        "s/Tom _ Jerry_ _1_2_ (USA).png"}));
    EXPECT_EQ(tagged[16], "s/screenshots/Tom & Jerry: <1/2> (USA).png");
    EXPECT_EQ(PreviewCandidates("s/", "a/", "*?`|\\.zip", '/')[12], "s/_____.png");
    // Four characters are cut whatever the extension; without a stem, no stem candidates.
    EXPECT_EQ(PreviewCandidates("s/", "a/", "game.gb", '/')[3], "s/gam.gif");
    EXPECT_EQ(PreviewCandidates("s/", "a/", "Ülkü.nes", '/')[8], "s/Ülkü/0000.png");
    EXPECT_EQ(PreviewCandidates("s/", "a/", "abcd", '/'),
              (std::vector<std::string>{"s/abcd.gif", "s/abcd.jpg", "s/abcd.bmp", "s/.gif", "s/.jpg", "s/.bmp", "s/abcd.png",
                                        "s/.png", "a/logo.gif", "a/logo.jpg", "a/logo.bmp", "a/logo.png"}));
    EXPECT_EQ(PreviewCandidates("s/", "a/", "abc", '/'),
              (std::vector<std::string>{"s/abc.gif", "s/abc.jpg", "s/abc.bmp", "s/abc.png", "a/logo.gif", "a/logo.jpg",
                                        "a/logo.bmp", "a/logo.png"}));
}

TEST(Preview, TheFirstUsablePictureWins) {
    struct Case { std::vector<std::string> present, empty, damaged; std::string shown; };
    const Case cases[] = {
        {{"shots\\sonic.bin.jpg", "shots\\sonic.gif"}, {}, {}, "shots\\sonic.bin.jpg"},
        {{"shots\\sonic.gif", "shots\\sonic.jpg"}, {}, {}, "shots\\sonic.gif"},
        {{"shots\\sonic.jpg"}, {"shots\\sonic.gif"}, {}, "shots\\sonic.jpg"},
        {{"shots\\sonic.gif", "logo.bmp"}, {}, {"shots\\sonic.gif"}, "logo.bmp"},  // damaged: passed over
        {{"shots\\logo.gif"}, {"logo.gif"}, {}, "<icon>"},
        {{"logo.jpg"}, {}, {"logo.jpg"}, "<icon>"},
        {{"D:\\Pics\\sonic.jpg"}, {}, {}, "D:\\Pics\\sonic.jpg"},  // the shots setting, read at each selection
    };
    for (const auto& c : cases) {
        FakeTarvo t;
        t.services.commandLine = "C:\\Emu\\gens.exe";
        t.services.AddFile("C:\\Front\\roms\\sonic.bin");
        auto path = [](const std::string& p) { return p[1] == ':' ? p : "C:\\Front\\" + p; };
        for (const auto& p : c.present) t.services.AddFile(path(p));
        for (const auto& p : c.empty) t.services.AddFile(path(p), 0);
        for (const auto& p : c.damaged) t.image1.damaged.insert(path(p));
        ASSERT_EQ(t.Load(), frmPindle::LoadResult::ShowWindow);
        t.image1.showing = "the previous ROM's picture";
        if (c.shown[1] == ':') t.services.settings["shots"] = "D:\\Pics";
        t.Select(0);
        EXPECT_EQ(t.image1.showing, c.shown[0] == '<' ? c.shown : path(c.shown)) << c.shown;
    }
}

}  // namespace
}  // namespace tarvo::testing
