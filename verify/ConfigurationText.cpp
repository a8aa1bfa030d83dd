// Reading the configuration file's own bytes, line by line.
#include "ConfigurationText.h"

#include "CharText.h"
#include "EncodingExample.h"
#include "Configuration.h"

#include <windows.h>

#include <cstring>

namespace {

bool ReadFileBytes(const std::string& path, std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bytes.clear();
    char buffer[65536];
    DWORD read = 0;
    bool ok = true;
    while ((ok = ReadFile(file, buffer, sizeof buffer, &read, nullptr)) && read > 0)
        bytes.append(buffer, read);
    CloseHandle(file);
    return ok;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

// The blanks the profile functions drop around names and values.
std::string Trim(const std::string& text) {
    auto blank = [](char c) { return (c >= 0x09 && c <= 0x0d) || c == 0x1a || c == ' '; };
    size_t begin = 0, end = text.size();
    while (begin < end && blank(text[begin]))
        ++begin;
    while (end > begin && blank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

std::string Unquoted(const std::string& value) {
    if (value.size() >= 2 && (value[0] == '\'' || value[0] == '"') && value.back() == value[0])
        return value.substr(1, value.size() - 2);
    return value;
}

bool HasHighBytes(const std::string& line) {
    for (char c : line)
        if (static_cast<unsigned char>(c) > 127)
            return true;
    return false;
}

// Well-formed UTF-8; called for lines with bytes above 127, so a multi-byte character is there.
bool IsUtf8(const std::string& line) {
    return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, line.data(),
                               static_cast<int>(line.size()), nullptr, 0) > 0;
}

// A file with the UTF-16 mark is read as Unicode and handed to the ANSI functions in the user's
// code page, "?" or a look-alike for what it lacks. Returns that text and the lossy lines.
std::string Utf16ToAnsi(const std::string& bytes, std::vector<int>& lossyLines) {
    std::wstring wide((bytes.size() - 2) / 2, L'\0');
    if (!wide.empty())
        memcpy(wide.data(), bytes.data() + 2, wide.size() * 2);
    std::string ansi;
    int line = 1;
    size_t start = 0;
    while (start <= wide.size()) {
        size_t end = wide.find(L'\n', start);
        if (end == std::wstring::npos)
            end = wide.size();
        const std::wstring original = wide.substr(start, end - start);
        const int length = static_cast<int>(original.size());
        const int size =
            WideCharToMultiByte(CP_ACP, 0, original.data(), length, nullptr, 0, nullptr, nullptr);
        std::string part(size, '\0');
        WideCharToMultiByte(CP_ACP, 0, original.data(), length, part.data(), size, nullptr,
                            nullptr);
        std::wstring back(part.size(), L'\0');
        back.resize(MultiByteToWideChar(CP_ACP, 0, part.data(), static_cast<int>(part.size()),
                                        back.data(), static_cast<int>(back.size())));
        if (back != original)
            lossyLines.push_back(line);
        ansi += part;
        if (end < wide.size())
            ansi += '\n';
        start = end + 1;
        ++line;
    }
    return ansi;
}

std::string Number(int value) {
    return std::to_string(value);
}

} // namespace

const WrittenSetting* FindSetting(const WrittenSection& section, const std::string& name) {
    for (const WrittenSetting& setting : section.Settings)
        if (SameProfileName(setting.Name, name))
            return &setting;
    return nullptr;
}

bool ReadConfigurationText(const std::string& path, ConfigurationText& text) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes))
        return false;

    enum { Plain, Utf8Mark, Utf16Mark } encoding = Plain;
    std::vector<int> lossyLines;
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
        encoding = Utf16Mark;
        bytes = Utf16ToAnsi(bytes, lossyLines);
    } else if (bytes.starts_with("\xEF\xBB\xBF")) {
        encoding = Utf8Mark;
        bytes.erase(0, 3);
    }

    text.Sections.clear();
    text.EncodingFindings.clear();
    const std::vector<std::string> lines = SplitLines(bytes);
    for (size_t i = 0; i < lines.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        const std::string line = Trim(lines[i]);
        std::string settingName;
        if (line.starts_with("[")) {
            const size_t close = FindCharacterOf(line, "]");
            text.Sections.push_back(
                {Trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1)),
                 number,
                 {}});
        } else if (!line.empty() && line[0] != ';' && !text.Sections.empty()) {
            const size_t equals = line.find('=');
            settingName = Trim(line.substr(0, equals));
            const std::string value =
                equals == std::string::npos ? "" : Unquoted(Trim(line.substr(equals + 1)));
            text.Sections.back().Settings.push_back({settingName, value, number});
        }

        const std::string section = text.Sections.empty() ? "" : text.Sections.back().Name;
        const std::string where = "line " + Number(number);
        if (encoding == Utf8Mark && number == 1 && line.starts_with("[")) {
            text.EncodingFindings.push_back(
                {section, "", Severity::Error,
                 "the file starts with a UTF-8 byte-order mark, which Windows does not recognize: "
                 "line 1 is not read as a section",
                 "leaves this section's component out on Windows (Wine reads it)"});
        }
        if (encoding == Utf16Mark) {
            for (int lossy : lossyLines)
                if (lossy == number)
                    text.EncodingFindings.push_back(
                        {section, settingName, Severity::Warning,
                         where + " holds characters the user's ANSI code page cannot show",
                         "shows other characters in their place (\"?\" or a look-alike)"});
        } else if (HasHighBytes(lines[i])) {
            text.EncodingFindings.push_back(
                IsUtf8(lines[i])
                    ? Finding{section, settingName, Severity::Warning,
                              where + " holds UTF-8 text in a file without a UTF-16 byte-order "
                                      "mark",
                              "reads it in the user's ANSI code page (" + Number(GetACP()) +
                                  " here), where each such character shows as others (the "
                                  "UTF-8 bytes " +
                                  Utf8Example(lines[i]) + ")"}
                    : Finding{section, settingName, Severity::Warning,
                              where + " holds characters above 127 in a file without a UTF-16 "
                                      "byte-order mark",
                              "shows them in the user's ANSI code page (" + Number(GetACP()) +
                                  " here): other characters on machines with another code page"});
        }
    }
    return true;
}
