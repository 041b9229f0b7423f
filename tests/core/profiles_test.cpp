#include <gtest/gtest.h>

#include <string>

#include "app/emulator_profiles.h"
#include "text/utf8.h"

namespace tarvo {
namespace {

TEST(ProfileTable, ShapeOfTheTable) {
    int modeOne = 0;
    for (int i = 0; i < kProfileCount; ++i) {
        const auto& row = kEmulatorProfiles[i];
        EXPECT_EQ(row.match == EmulatorProfile::Match::FolderWildcard, i >= 47) << i + 1;
        EXPECT_EQ(std::string(row.captionSuffix).rfind(" - ", 0), 0u) << i + 1;
        EXPECT_EQ(row.filePattern == nullptr, i == 41) << i + 1;
        modeOne += row.launchMode;
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
