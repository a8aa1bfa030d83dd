// Paths and names walked by character in a double-byte code page.
#include "CharText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::ElementsAre;

std::string InCodePage(const wchar_t* text, UINT codePage) {
    char bytes[256] = {};
    const int size =
        WideCharToMultiByte(codePage, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
    return std::string(bytes, size > 0 ? size - 1 : 0);
}

// Names whose last character ends in "\" (0x5C) or "|" (0x7C) in code page 932, and Latin ones.
struct Name {
    const wchar_t* Text;
    size_t LastCharacterBytes; // in code page 932
    bool TrailIsBackslash;     // the last byte is 0x5C: read as code page 1252, a separator
};
const Name Names[] = {
    {L"機能表", 2, true}, {L"ソフト", 2, false}, {L"ポータル", 2, false},    {L"竹内", 2, false},
    {L"十", 2, true},     {L"Apps", 1, false},   {L"Norvane 2.0", 1, false},
};

TEST(CoreCharText, WalksEachNameByCharacter) {
    for (const Name& row : Names) {
        const std::string name = InCodePage(row.Text, 932);
        SCOPED_TRACE(name);
        size_t characters = 0;
        for (size_t i = 0; i < name.size(); i = NextCharacter(name, i, 932))
            ++characters;
        EXPECT_EQ(characters, wcslen(row.Text));
        EXPECT_EQ(LastCharacter(name, 932), name.size() - row.LastCharacterBytes);
        EXPECT_EQ(PreviousCharacter(name + "\\", name.size() + 1, 932), name.size());
        EXPECT_EQ(WholeCharacters(name, name.size() - 1, 932),
                  name.substr(0, name.size() - row.LastCharacterBytes));

        EXPECT_FALSE(EndsWithCharacter(name, '\\', 932));
        EXPECT_TRUE(EndsWithCharacter(name + "\\", '\\', 932));
        EXPECT_EQ(EndsWithCharacter(name, '\\', 1252), row.TrailIsBackslash);

        const std::string path = "C:\\" + name + "\\x";
        EXPECT_EQ(FindCharacterOf(path, "\\|", 3, 932), 3 + name.size());
        EXPECT_EQ(FindLastCharacterOf("a\\" + name, "\\/", 932), 1u);
        EXPECT_THAT(SplitAtCharacters(path, "\\", 932), ElementsAre("C:", name, "x"));
        EXPECT_THAT(SplitAtCharacters(name + "\\", "\\", 932), ElementsAre(name, ""));
    }
}

TEST(CoreCharText, ComparesNamesOrdinallyWithoutRegardToCase) {
    struct Pair {
        const wchar_t* A;
        const wchar_t* B;
        bool Same;
    };
    for (const Pair& pair : std::initializer_list<Pair>{
             {L"ツール", L"イール", false}, // 0x83 0x63 and 0x83 0x43: "c" and "C"
             {L"ト", L"エ", false},
             {L"グ", L"バ", false},
             {L"機能表", L"機能表", true},
             {L"Apps", L"APPS", true},
             {L"ＡＰＰＳ", L"ａｐｐｓ", true}, // full-width letters fold as well
             {L"Apps", L"App", false},
         }) {
        const std::string a = InCodePage(pair.A, 932), b = InCodePage(pair.B, 932);
        EXPECT_EQ(SameNameNoCase(a, b, 932), pair.Same) << a << " / " << b;
    }
    // Two files on any file system, one word for a linguistic comparison.
    EXPECT_FALSE(SameNameNoCase(std::string("Stra\xDF") + "e", "Strasse", 1252));
    // Bytes that are no text in the code page compare as they are, only ASCII letters folded.
    EXPECT_FALSE(SameNameNoCase("\x85\x40x", "\x85\x41x", 932));
    EXPECT_TRUE(SameNameNoCase("\x85\x40x", "\x85\x40X", 932));
}

} // namespace
