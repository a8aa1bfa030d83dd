// The loader reads a section per profile call and applies the value rules itself; these tests
// hold it against one GetPrivateProfileStringA call per setting, on files hitting every rule.
#include "FuzzRunner.h"
#include "Configuration.h"
#include "Session.h"
#include "SettingValues.h"
#include "TestFiles.h"
#include "core/SessionReset.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

// The catalogue as GetPrivateProfileStringA reads it, one call per setting.
std::vector<ComponentEntry> ReferenceCatalogue(const std::string& file) {
    std::vector<char> names(1 << 16);
    DWORD length = 0;
    for (;;) {
        length = GetPrivateProfileSectionNamesA(names.data(), static_cast<DWORD>(names.size()),
                                                file.c_str());
        if (length + 2 < names.size())
            break;
        names.assign(names.size() * 2, '\0');
    }
    auto read = [&](const char* section, const char* name) {
        char value[2048] = {};
        GetPrivateProfileStringA(section, name, "", value, sizeof value, file.c_str());
        return std::string(value);
    };
    const char separator = UserDecimalSeparator();
    std::vector<ComponentEntry> entries;
    for (size_t pos = 0; pos < length && names[pos]; pos += std::strlen(&names[pos]) + 1) {
        const char* section = &names[pos];
        ComponentEntry entry;
        entry.ImageIndex = ParseIntegerSetting(read(section, "ComponentImageIndex"), -1);
        entry.Description = read(section, "ComponentDescription");
        entry.Version = read(section, "Version");
        entry.Size = ParseSizeSetting(read(section, "Size"), separator);
        entry.MSIFileName = read(section, "MSIFileName");
        entry.Required = ParseFlagSetting(read(section, "Required"));
        entry.SetupFileSubFolder = ParseFlagSetting(read(section, "SetupFileSubFolder"));
        entries.push_back(entry);
    }
    return entries;
}

// Loads the file and compares every entry with the reference reading.
void ExpectSameAsReference(const std::string& file, const std::string& label) {
    ResetInstallSession();
    ASSERT_TRUE(LoadConfigurationFrom(file)) << label;
    const std::vector<ComponentEntry> expected = ReferenceCatalogue(file);
    ASSERT_EQ(InstallSession.ComponentCount, static_cast<int32_t>(expected.size())) << label;
    for (size_t i = 0; i < expected.size(); ++i) {
        const ComponentEntry& got = InstallSession.Components[i];
        const ComponentEntry& want = expected[i];
        SCOPED_TRACE(label + ", section " + std::to_string(i));
        EXPECT_EQ(got.ImageIndex, want.ImageIndex);
        EXPECT_EQ(got.Description, want.Description);
        EXPECT_EQ(got.Version, want.Version);
        EXPECT_EQ(got.Size, want.Size);
        EXPECT_EQ(got.MSIFileName, want.MSIFileName);
        EXPECT_EQ(got.Required, want.Required);
        EXPECT_EQ(got.SetupFileSubFolder, want.SetupFileSubFolder);
        EXPECT_TRUE(got.Selected);
        EXPECT_FALSE(got.Succeeded);
    }
    ResetInstallSession();
}

class ConfigurationEquivalence : public ::testing::Test {
  protected:
    void TearDown() override { ResetInstallSession(); }
    void Check(const std::string& contents, const std::string& label) {
        WriteTextFile(ini_, contents);
        DateBack(ini_, ++serial_);
        ExpectSameAsReference(ini_, label);
    }
    ScratchFolder folder_;
    std::string ini_ = folder_ / "Setup.INI";
    long serial_ = 0;
};

TEST_F(ConfigurationEquivalence, QuotesBlanksAndRepeatedNames) {
    Check("[A]\r\nComponentDescription=\"Quoted\"\r\nVersion='1.0'\r\nMSIFileName=\"half\r\n"
          "Size=\" 12 \"\r\n[B]\r\nComponentDescription=\"\"\r\nVersion=\"\r\n"
          "MSIFileName='mixed\"\r\nRequired=\"1\"\r\n[C]\r\n  componentdescription  =  spaced  \r\n"
          "\tVersion\t=\t2\t\r\nComponentDescription=second wins not\r\n"
          "Size\r\nSize=40\r\n;Required=1\r\n#Required=1\r\n=orphan\r\n",
          "quotes and blanks");
    Check("[Dup]\r\nVersion=first\r\n[dup]\r\nVersion=second\r\n[DUP]\r\nVersion=third\r\n",
          "duplicate sections");
    Check("[ Padded ]\r\nVersion=inner\r\n[Padded]\r\nVersion=plain\r\n[   ]\r\nVersion=blank\r\n"
          "[]\r\nVersion=empty\r\n[A]]\r\nVersion=bracket\r\n[B]tail\r\nVersion=tail\r\n"
          "[NoClose\r\nVersion=unclosed\r\n",
          "section names");
    Check("Version=before any section\r\n[A]\r\nVersion=a\r\n", "lines before the first section");
}

TEST_F(ConfigurationEquivalence, ValuesAroundTheBufferSize) {
    for (size_t length : {2045u, 2046u, 2047u, 2048u, 2049u, 2050u, 4000u}) {
        const std::string plain(length, 'v');
        const std::string inner(length > 2 ? length - 2 : 0, 'q');
        Check("[Plain]\r\nComponentDescription=" + plain +
                  "\r\n[Double]\r\nComponentDescription=\"" + inner +
                  "\"\r\n[Single]\r\nComponentDescription='" + inner +
                  "'\r\n[Open]\r\nComponentDescription=\"" + inner + "\r\n",
              "length " + std::to_string(length));
    }
}

TEST_F(ConfigurationEquivalence, LineEndsControlBytesAndHighBytes) {
    Check("[A]\rVersion=cr only\r[B]\nVersion=lf only\n[C]\r\n\r\nVersion=crlf\r\n\n\r",
          "line ends");
    Check(std::string("[A]\r\nVersion=ab\0cd\r\nSize\0=5\r\nSize=6\r\n[B\0C]\r\nVersion=x\r\n", 52),
          "NUL bytes");
    Check("[A]\r\nVersion=\x1a"
          "ctrlz\x1a\r\nComponentDescription=\x80\x81\x8d\xff\xfe\r\n"
          "MSIFileName=\xc3\x28\xe2\x82\r\n[\xe9t\xe9]\r\nVersion=accent\r\n",
          "high bytes");
    Check("\xef\xbb\xbf[Utf8]\r\nVersion=caf\xc3\xa9\r\n", "UTF-8 byte order mark");
}

// Files put together at random from the pieces the rules care about.
TEST_F(ConfigurationEquivalence, RandomFiles) {
    const char* const names[] = {"ComponentImageIndex",
                                 "componentdescription",
                                 "Version",
                                 "SIZE",
                                 "MSIFileName",
                                 "Required",
                                 "SetupFileSubFolder",
                                 "Other",
                                 ""};
    const char* const values[] = {"",    "1",  "-1", "0x10", "$A",  "12.5", "abc", "\"q\"",
                                  "'q'", "\"", "'",  "\"\"", " x ", "1e3",  "+7",  "True"};
    const char* const sections[] = {"A", "a", " A", "B ", "C", "", "  "};
    std::mt19937 random(20261208);
    for (int file = 0; file < 80; ++file) {
        std::string text;
        const int lines = static_cast<int>(random() % 40);
        for (int line = 0; line < lines; ++line) {
            if (random() % 5 == 0) {
                text += std::string("[") + sections[random() % std::size(sections)] + "]";
            } else {
                text += std::string(random() % 4 == 0 ? " " : "") +
                        names[random() % std::size(names)] + (random() % 3 ? "=" : " = ");
                text += values[random() % std::size(values)];
                if (random() % 10 == 0)
                    text += std::string(2040 + random() % 12, 'L');
            }
            text += random() % 6 == 0 ? "\n" : "\r\n";
        }
        Check(text, "random file " + std::to_string(file));
        if (HasFailure())
            return;
    }
}

} // namespace
