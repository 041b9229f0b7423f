#include <gtest/gtest.h>

#include <string>

#include "app/emulator_profiles.h"
#include "text/utf8.h"

namespace tarvo {
namespace {

TEST(ProfileTable, KeepsItsOrderAndOddities) {
    const auto& t = kEmulatorProfiles;
    EXPECT_STREQ(t[0].executable, "zsnesw.exe");
    EXPECT_STREQ(t[0].filePattern, "*.smc;*.bin;*.sfc;*.fig;*.1;*.2");
    EXPECT_STREQ(t[1].filePattern, "*.smc;*.bin;*.zip;*.sfc;*.fig;*.1;*.2");
    EXPECT_STREQ(t[15].captionSuffix, " - Daedaulus");
    EXPECT_STREQ(t[20].executable, "no$gmb.exe");
    EXPECT_STREQ(t[20].captionSuffix, " - Rew");
    EXPECT_STREQ(t[27].captionSuffix, " - RockNESX.exe");
    EXPECT_EQ(t[41].filePattern, nullptr);
    EXPECT_STREQ(t[46].filePattern, "*.smd;*.bin;*.zip;*.sms;*.gg;*.iso;*.bin");
    EXPECT_STREQ(t[50].executable, "ultra64*.exe");

    int modeOne = 0;
    for (int i = 0; i < kProfileCount; ++i) {
        EXPECT_EQ(t[i].match == EmulatorProfile::Match::FolderWildcard, i >= 47) << i + 1;
        EXPECT_EQ(std::string(t[i].captionSuffix).rfind(" - ", 0), 0u) << i + 1;
        modeOne += t[i].launchMode;
    }
    EXPECT_EQ(modeOne, 10);
}

// The order of the name rows can only matter for adoption: a path can end
// in at most one of their names.
TEST(ProfileTable, NoNameIsTheTailOfAnother) {
    for (int i = 0; i < 47; ++i) {
        for (int j = 0; j < 47; ++j) {
            const std::string a = ToLower(kEmulatorProfiles[i].executable);
            const std::string b = ToLower(kEmulatorProfiles[j].executable);
            if (i != j && b.size() >= a.size()) {
                EXPECT_NE(b.substr(b.size() - a.size()), a) << a << " / " << b;
            }
        }
    }
}

}  // namespace
}  // namespace tarvo
