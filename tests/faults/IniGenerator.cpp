// The generated configuration files of the fault suite.
#include "IniGenerator.h"

#include <iterator>

namespace {

const char* const SettingNames[] = {"ComponentImageIndex",
                                    "ComponentDescription",
                                    "Version",
                                    "Size",
                                    "MSIFileName",
                                    "Required",
                                    "SetupFileSubFolder",
                                    "SIZE",
                                    " version ",
                                    "Unknown",
                                    ""};

const char* const NumberTexts[] = {"0",
                                   "1",
                                   "-1",
                                   "+1",
                                   "2147483647",
                                   "2147483648",
                                   "-2147483648",
                                   "-2147483649",
                                   "4294967295",
                                   "4294967296",
                                   "99999999999999999999",
                                   "$A",
                                   "$a",
                                   "$FFFFFFFF",
                                   "$100000000",
                                   "-$1",
                                   "0x10",
                                   "0X10",
                                   "0x",
                                   "$",
                                   "0xG",
                                   "1.5",
                                   "1,5",
                                   "-0.9",
                                   "1e3",
                                   "1E+3",
                                   "1e-3",
                                   "1e",
                                   "1e400",
                                   "-1e400",
                                   "9.3e18",
                                   "-9.3e18",
                                   "9223372036854775807",
                                   "inf",
                                   "nan",
                                   "0x1p3",
                                   " 12 ",
                                   "\t7",
                                   "1 2",
                                   "--1",
                                   "+-1",
                                   ".5",
                                   "5.",
                                   ".",
                                   "-",
                                   "True",
                                   "Yes",
                                   "abc",
                                   "",
                                   "\"1\"",
                                   "'1'",
                                   "1.2.3",
                                   "１"};

std::string Pick(std::mt19937& random, const char* const* texts, size_t count) {
    return texts[random() % count];
}

std::string RandomBytes(std::mt19937& random, size_t count) {
    std::string bytes(count, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

std::string LineEnd(std::mt19937& random) {
    switch (random() % 6) {
    case 0:
        return "\n";
    case 1:
        return "\r";
    default:
        return "\r\n";
    }
}

std::string Section(const std::string& name, std::mt19937& random) {
    std::string text = "[" + name + "]" + LineEnd(random);
    const int settings = static_cast<int>(random() % 9);
    for (int i = 0; i < settings; ++i)
        text += Pick(random, SettingNames, std::size(SettingNames)) + "=" +
                Pick(random, NumberTexts, std::size(NumberTexts)) + LineEnd(random);
    return text;
}

std::string RandomTokens(std::mt19937& random) {
    static const char* const tokens[] = {
        "[",        "]",    "=",    "\r\n",    "\n",          "\r",
        " ",        "\t",   "\"",   "'",       ";",           "\\",
        "..",       ":",    "Size", "Version", "MSIFileName", "ComponentDescription",
        "Required", "1",    "0x",   "$",       "\x1a",        "\xff",
        "\x80",     "\xc3", "CON",  "NUL"};
    std::string text;
    const int count = static_cast<int>(random() % 400);
    for (int i = 0; i < count; ++i)
        text += Pick(random, tokens, std::size(tokens));
    return text;
}

std::string BufferEdges(std::mt19937& random) {
    std::string text;
    for (size_t length : {2045u, 2046u, 2047u, 2048u, 2049u}) {
        const size_t value = length - random() % 3;
        const char fill = static_cast<char>('a' + random() % 26);
        text += "[Edge " + std::to_string(value) + "]\r\n";
        switch (random() % 4) {
        case 0:
            text += "ComponentDescription=" + std::string(value, fill);
            break;
        case 1:
            text += "ComponentDescription=\"" + std::string(value, fill) + "\"";
            break;
        case 2:
            text += "MSIFileName=" + std::string(value - 4, fill) + ".msi";
            break;
        default:
            text += "Version='" + std::string(value, fill);
            break;
        }
        text += "\r\nSize=" + std::string(value, '9') + "\r\n";
    }
    return text;
}

std::string NumberFormats(std::mt19937& random) {
    std::string text;
    for (int i = 0; i < 6; ++i) {
        text += "[Numbers " + std::to_string(i) + "]\r\n";
        for (const char* name : {"ComponentImageIndex", "Size", "Required", "SetupFileSubFolder"})
            text += std::string(name) + "=" + Pick(random, NumberTexts, std::size(NumberTexts)) +
                    "\r\n";
    }
    return text;
}

std::string BadEncoding(std::mt19937& random) {
    static const char* const starts[] = {"\xef\xbb\xbf", "\xff\xfe", "\xfe\xff", "", "\xef\xbb"};
    std::string text = Pick(random, starts, std::size(starts));
    static const char* const broken[] = {"\xc3\x28",
                                         "\xa0\xa1",
                                         "\xe2\x28\xa1",
                                         "\xf0\x28\x8c\xbc",
                                         "\xf8\xa1\xa1\xa1\xa1",
                                         "\xed\xa0\x80",
                                         "\xc0\xaf",
                                         "caf\xc3\xa9",
                                         "\xe6\x97\xa5\xe6\x9c\xac"};
    for (int i = 0; i < 4; ++i) {
        text += "[" + Pick(random, broken, std::size(broken)) +
                "]\r\nComponentDescription=" + Pick(random, broken, std::size(broken)) +
                "\r\nMSIFileName=" + Pick(random, broken, std::size(broken)) + ".msi\r\n";
    }
    if (random() % 2)
        text += RandomBytes(random, random() % 64);
    return text;
}

std::string NulBytes(std::mt19937& random) {
    std::string text = Section("Nul", random) + Section("Other", random);
    const int count = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < count && !text.empty(); ++i)
        text.insert(text.begin() + static_cast<long>(random() % text.size()), '\0');
    return text;
}

} // namespace

const char* IniKindName(IniKind kind) {
    static const char* const names[] = {
        "random bytes",     "random tokens",  "huge line",    "many sections", "repeated sections",
        "2046-2049 values", "number formats", "bad encoding", "NUL bytes",     "well formed"};
    return names[static_cast<int>(kind)];
}

std::string GenerateIni(std::mt19937& random, IniKind kind, bool big) {
    switch (kind) {
    case IniKind::RandomBytes:
        return RandomBytes(random, random() % (big ? 1 << 20 : 4096));
    case IniKind::RandomTokens:
        return RandomTokens(random);
    case IniKind::HugeLine: {
        const size_t length = big ? (1 << 20) + random() % 4096 : 3000 + random() % 5000;
        std::string line(length, static_cast<char>('A' + random() % 26));
        switch (random() % 3) {
        case 0:
            return "[Huge]\r\nComponentDescription=" + line + "\r\n";
        case 1:
            return "[" + line + "]\r\nVersion=1\r\n";
        default:
            return line;
        }
    }
    case IniKind::ManySections: {
        const int count =
            big ? 1000 + static_cast<int>(random() % 4000) : 20 + static_cast<int>(random() % 80);
        std::string text;
        for (int i = 0; i < count; ++i)
            text += "[S" + std::to_string(i) + "]\r\nComponentDescription=C" + std::to_string(i) +
                    "\r\nSize=" + std::to_string(i) + "\r\n";
        return text;
    }
    case IniKind::RepeatedSections: {
        std::string text;
        const int count = 2 + static_cast<int>(random() % 50);
        for (int i = 0; i < count; ++i)
            text += Section(i % 2 ? "Same" : (i % 3 ? "SAME" : " same "), random);
        return text;
    }
    case IniKind::BufferEdges:
        return BufferEdges(random);
    case IniKind::NumberFormats:
        return NumberFormats(random);
    case IniKind::BadEncoding:
        return BadEncoding(random);
    case IniKind::NulBytes:
        return NulBytes(random);
    default: {
        std::string text;
        const int count = static_cast<int>(random() % 12);
        for (int i = 0; i < count; ++i)
            text += Section("Component " + std::to_string(i), random);
        return text;
    }
    }
}
