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
                  "C:\\Front\\shots\\sonic.bmp", "C:\\Front\\logo.gif", "C:\\Front\\logo.jpg", "C:\\Front\\logo.bmp"}));
    // Four characters are cut whatever the extension.
    EXPECT_EQ(PreviewCandidates("s/", "a/", "game.gb")[3], "s/gam.gif");
    EXPECT_EQ(PreviewCandidates("s/", "a/", "Ülkü.nes")[3], "s/Ülkü.gif");
    // No stem for a short name or no selection: never the current folder.
    EXPECT_EQ(PreviewCandidates("s/", "a/", "abc").size(), 6u);
    EXPECT_EQ(PreviewCandidates("s/", "a/", "")[0], "s/.gif");
    EXPECT_EQ(PreviewCandidates("s/", "a/", ".zip")[3], "s/.gif");
}

struct SonicTarvo : FakeTarvo {
    SonicTarvo() {
        services.commandLine = "C:\\Emu\\gens.exe";
        services.AddFile("C:\\Front\\roms\\sonic.bin");
        services.AddFile("C:\\Front\\roms\\tails.bin");
    }
    void Show(int k) {
        EXPECT_EQ(Load(), frmPindle::LoadResult::ShowWindow);
        Select(k);
    }
};

TEST(Preview, FirstUsableCandidateWins) {
    struct Case { std::vector<std::string> present; std::vector<std::string> empty; std::string shown; };
    const Case cases[] = {
        {{"shots\\sonic.bin.jpg", "shots\\sonic.gif"}, {}, "shots\\sonic.bin.jpg"},
        {{"shots\\sonic.gif", "shots\\sonic.jpg"}, {}, "shots\\sonic.gif"},
        {{"shots\\sonic.jpg"}, {"shots\\sonic.gif"}, "shots\\sonic.jpg"},
        {{"logo.bmp"}, {}, "logo.bmp"},
        {{"shots\\logo.gif"}, {}, FakePicture::kIcon},
        {{}, {"logo.gif"}, FakePicture::kIcon},
    };
    for (const auto& c : cases) {
        SonicTarvo t;
        for (const auto& p : c.present) t.services.AddFile("C:\\Front\\" + p);
        for (const auto& p : c.empty) t.services.AddFile("C:\\Front\\" + p, 0);
        t.Show(0);
        const std::string expected = c.shown == FakePicture::kIcon ? c.shown : "C:\\Front\\" + c.shown;
        EXPECT_EQ(t.image1.showing, expected);
    }
}

TEST(Preview, DamagedPictureCountsAsMissing) {
    SonicTarvo t;
    t.services.AddFile("C:\\Front\\shots\\tails.bin.gif");
    t.services.AddFile("C:\\Front\\shots\\sonic.gif");
    t.services.AddFile("C:\\Front\\logo.gif");
    t.image1.damaged = {"C:\\Front\\shots\\sonic.gif"};
    t.Show(1);
    EXPECT_EQ(t.image1.showing, "C:\\Front\\shots\\tails.bin.gif");
    t.Select(0);  // never the previous ROM's picture
    EXPECT_EQ(t.image1.showing, "C:\\Front\\logo.gif");
    t.image1.damaged.insert("C:\\Front\\logo.gif");
    t.Select(0);
    EXPECT_EQ(t.image1.showing, FakePicture::kIcon);
}

TEST(Preview, ShotsSettingIsReadAtEverySelection) {
    SonicTarvo t;
    t.services.settings["shots"] = "D:\\Pics";
    t.services.AddFile("D:\\Pics\\sonic.jpg");
    t.Show(0);
    EXPECT_EQ(t.image1.showing, "D:\\Pics\\sonic.jpg");
    t.services.settings["shots"] = "";  // the root
    t.services.AddFile("\\sonic.bmp");
    t.Select(0);
    EXPECT_EQ(t.image1.showing, "\\sonic.bmp");
}

}  // namespace
}  // namespace tarvo::testing
