#include <gtest/gtest.h>

#include "fakes.h"
#include "ui/preview.h"

namespace tarvo::testing {
namespace {

TEST(Preview, CandidatesInOrder) {
    EXPECT_EQ(PreviewCandidates("C:\\Front\\shots\\", "C:\\Front\\", "sonic.bin"),
              (std::vector<std::string>{
                  "C:\\Front\\shots\\sonic.bin.gif", "C:\\Front\\shots\\sonic.bin.jpg",
                  "C:\\Front\\shots\\sonic.bin.bmp", "C:\\Front\\shots\\sonic.gif", "C:\\Front\\shots\\sonic.jpg",
                  "C:\\Front\\shots\\sonic.bmp", "C:\\Front\\shots\\sonic.bin.png", "C:\\Front\\shots\\sonic.png",
                  "C:\\Front\\logo.gif", "C:\\Front\\logo.jpg", "C:\\Front\\logo.bmp", "C:\\Front\\logo.png"}));
    // Four characters are cut whatever the extension; without a stem, no stem candidates.
    EXPECT_EQ(PreviewCandidates("s/", "a/", "game.gb")[3], "s/gam.gif");
    EXPECT_EQ(PreviewCandidates("s/", "a/", "Ülkü.nes")[3], "s/Ülkü.gif");
    EXPECT_EQ(PreviewCandidates("s/", "a/", "abcd")[3], "s/.gif");
    EXPECT_EQ(PreviewCandidates("s/", "a/", "abc"),
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
