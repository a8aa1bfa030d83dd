// Which component names may become part of a staging or log path.
#include "SafeNames.h"

#include <gtest/gtest.h>

namespace {

TEST(PackagesSafeNames, AcceptsNamesThatStayInside) {
    for (const char* name :
         {"Core Runtime", "Tools\\Extras", "Tools/Extras", "a.b.c", "x.msi", "sub\\x.msi",
          ".hidden", "Version 2.0", "CONSOLE", "COM10", "LPT0", "AUXILIARY", "NULL.msi", "my con"})
        EXPECT_TRUE(IsSafeRelativeName(name)) << name;
}

TEST(PackagesSafeNames, RefusesNamesThatLeaveTheFolder) {
    for (const char* name : {"",
                             ".",
                             "..",
                             "...",
                             ". .",
                             " ",
                             "..\\up",
                             "a\\..\\..\\up",
                             "a/../../up",
                             "a\\.",
                             "a\\",
                             "a\\\\b",
                             "C:\\Windows",
                             "C:relative",
                             "x.msi:stream",
                             "\\rooted",
                             "/rooted",
                             "\\\\server\\share",
                             "//server/share",
                             "\\\\?\\C:\\x"})
        EXPECT_FALSE(IsSafeRelativeName(name)) << name;
}

TEST(PackagesSafeNames, RefusesReservedDeviceNamesAsAnySegment) {
    for (const char* name :
         {"CON", "con", "PRN", "AUX", "NUL", "COM1", "com9", "LPT1", "LPT9", "NUL.log", "con.msi",
          "CON .log", "Aux.tar.gz", "tools\\NUL", "LPT3\\x.msi", "nul.", "COM1 "})
        EXPECT_FALSE(IsSafeRelativeName(name)) << name;
}

// Windows would store these under another name than the one given, or not
// at all.
TEST(PackagesSafeNames, RefusesTrailingDotsAndSpacesAndInvalidCharacters) {
    for (const char* name : {"trailing.", "trailing ", "x.msi.", "x.msi ", "sub.\\x", "sub \\x",
                             "a*b", "a?b", "a<b", "a>b", "a|b", "a\"b", "tab\tname", "line\nname"})
        EXPECT_FALSE(IsSafeRelativeName(name)) << name;
}

} // namespace
