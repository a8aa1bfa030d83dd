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

// Windows would store these under another name than the one given, or not at all.
TEST(PackagesSafeNames, RefusesTrailingDotsAndSpacesAndInvalidCharacters) {
    for (const char* name : {"trailing.", "trailing ", "x.msi.", "x.msi ", "sub.\\x", "sub \\x",
                             "a*b", "a?b", "a<b", "a>b", "a|b", "a\"b", "tab\tname", "line\nname"})
        EXPECT_FALSE(IsSafeRelativeName(name)) << name;
}

} // namespace

namespace {

// In code page 932 a trail byte may be 0x5C or 0x7C: "サポート" holds a 0x7C, "一覧表" a 0x5C.
// Neither is "|" or "\", so both names are good; read as code page 1252 they are not.
const std::string Support = "\x83\x54\x83\x7C\x81\x5B\x83\x67";
const std::string Overview = "\x88\xEA\x97\x97\x95\x5C";

TEST(PackagesSafeNames, JudgesCharactersOfDoubleByteCodePages) {
    EXPECT_TRUE(IsSafeRelativeName(Support, 932));
    EXPECT_TRUE(IsSafeRelativeName(Overview + "\\" + Support + ".msi", 932));
    EXPECT_TRUE(IsSafeFileName(Overview + ".log", 932));
    EXPECT_FALSE(IsSafeRelativeName(Support, 1252));
    EXPECT_FALSE(IsSafeFileName(Overview + ".log", 1252));
    // Real separators and ".." segments still count beside double-byte characters.
    EXPECT_FALSE(IsSafeRelativeName("..\\" + Support, 932));
    EXPECT_FALSE(IsSafeFileName(Support + "\\x.log", 932));
    EXPECT_FALSE(IsSafeRelativeName(Support + "|", 932));
}

TEST(PackagesSafeNames, AFileNameIsOneSegment) {
    EXPECT_TRUE(IsSafeFileName("Tools, Samples etc..log"));
    for (const char* name : {"Tools\\x.log", "a/b.log", "Norvane SDK: Samples.log", "..log."})
        EXPECT_FALSE(IsSafeFileName(name)) << name;
}

} // namespace
