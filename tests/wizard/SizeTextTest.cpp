// Size texts on the selection page under a changed thousands separator; every program reads
// it, so this test runs alone.
#include "SelectionPage.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(SizeText, FollowsTheUsersThousandsSeparatorWhateverTheSize) {
    char saved[8] = {};
    ASSERT_GT(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, saved, sizeof saved), 0);
    ASSERT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, "'"));
    const std::string shown[] = {ComponentSizeText(1234567), ComponentSizeText(INT64_MAX),
                                 ComponentSizeText(INT64_MIN)};
    SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, saved);
    EXPECT_EQ(shown[0], "~1'234'567 KB");
    EXPECT_EQ(shown[1], "~9'223'372'036'854'775'807 KB");
    EXPECT_EQ(shown[2], "~-9'223'372'036'854'775'808 KB");
}

} // namespace
