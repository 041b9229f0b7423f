#include <gtest/gtest.h>

#include "app/emulator_profiles.h"
#include "text/utf8.h"

namespace tarvo {
namespace {

TEST(ProfileTable, RowsAsDesigned) {
    int modeOne = 0;
    for (int i = 0; i < kProfileCount; ++i) {
        const auto& row = kEmulatorProfiles[i];
        EXPECT_EQ(row.match == EmulatorProfile::Match::FolderWildcard, i >= 47) << i + 1;
        EXPECT_EQ(std::string(row.captionSuffix).rfind(" - ", 0), 0u) << i + 1;
        EXPECT_EQ(row.filePattern == nullptr, i == 41) << i + 1;
        modeOne += row.launchMode;
        // A path ends in at most one name: the order of the name rows only
        // matters for adoption.
        for (int j = 0; j < 47 && i < 47; ++j) {
            const std::string a = ToLower(row.executable), b = ToLower(kEmulatorProfiles[j].executable);
            EXPECT_TRUE(i == j || b.size() < a.size() || b.substr(b.size() - a.size()) != a) << a << " / " << b;
        }
    }
    EXPECT_EQ(modeOne, 10);
}

}  // namespace
}  // namespace tarvo
