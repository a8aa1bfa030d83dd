// What keeps the installer, as administrator or SYSTEM, off what an ordinary user prepared:
// its folders' descriptor and the exact conversion of wide text.
#include "AnsiText.h"
#include "ProtectedFolders.h"

#include <gtest/gtest.h>

#include <sddl.h>

namespace {

bool IsWellKnown(PSID sid, WELL_KNOWN_SID_TYPE type) {
    BYTE buffer[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof buffer;
    return CreateWellKnownSid(type, nullptr, buffer, &size) && EqualSid(sid, buffer);
}

// Read from the built descriptor: Wine stores none on a folder (it reads back Wine's default
// owner and entries), so what Windows would store cannot be read from the disk here.
TEST(ProtectedFolder, OnlySystemAndAdministratorsMayWriteAndNothingIsInherited) {
    PSECURITY_DESCRIPTOR descriptor = NewProtectedFolderDescriptor();
    ASSERT_NE(descriptor, nullptr);
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    ASSERT_TRUE(GetSecurityDescriptorControl(descriptor, &control, &revision));
    EXPECT_TRUE(control & SE_DACL_PROTECTED);
    PSID owner = nullptr;
    BOOL defaulted = FALSE, present = FALSE;
    ASSERT_TRUE(GetSecurityDescriptorOwner(descriptor, &owner, &defaulted));
    EXPECT_TRUE(owner && IsWellKnown(owner, WinBuiltinAdministratorsSid));
    PACL list = nullptr;
    ASSERT_TRUE(GetSecurityDescriptorDacl(descriptor, &present, &list, &defaulted));
    ASSERT_TRUE(present && list);

    constexpr DWORD writeRights = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_EA |
                                  FILE_WRITE_ATTRIBUTES | FILE_DELETE_CHILD | DELETE | WRITE_DAC |
                                  WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL;
    constexpr DWORD readAndExecute = FILE_GENERIC_READ | FILE_GENERIC_EXECUTE;
    constexpr BYTE inherited = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;
    int fullControl = 0, readers = 0;
    for (DWORD i = 0; i < list->AceCount; ++i) {
        ACCESS_ALLOWED_ACE* entry = nullptr;
        ASSERT_TRUE(GetAce(list, i, reinterpret_cast<void**>(&entry)));
        ASSERT_EQ(entry->Header.AceType, ACCESS_ALLOWED_ACE_TYPE) << i;
        EXPECT_EQ(entry->Header.AceFlags & inherited, inherited) << i;
        PSID sid = &entry->SidStart;
        const bool administrative =
            IsWellKnown(sid, WinLocalSystemSid) || IsWellKnown(sid, WinBuiltinAdministratorsSid);
        if (entry->Mask & writeRights) {
            EXPECT_TRUE(administrative) << "entry " << i << " lets another account write";
            fullControl += administrative && entry->Mask == FILE_ALL_ACCESS;
        } else {
            EXPECT_TRUE(IsWellKnown(sid, WinBuiltinUsersSid)) << i;
            EXPECT_EQ(entry->Mask, readAndExecute) << i;
            ++readers;
        }
    }
    EXPECT_EQ(fullControl, 2);
    EXPECT_EQ(readers, 1);
    LocalFree(descriptor);
}

TEST(ExactAnsi, RefusesLookAlikesAndKeepsWhatTheCodePageHolds) {
    ASSERT_EQ(GetACP(), 1252u) << "the cases are written for the Western European code page";
    const struct {
        std::wstring Text;
        std::optional<std::string> Ansi; // none: refused
    } cases[] = {
        {L"C:\\\x03A9mega", {}},            // Greek capital omega, best fit "O"
        {L"C:\\Dist\xFF3C..\\Windows", {}}, // fullwidth backslash, best fit "\"
        {L"C:\\a\xFF02 /quiet", {}},        // fullwidth quotation mark, best fit '"'
        {L"C:\\\xD800", {}},                // a lone surrogate
        {L"C:\\Stra\u00DFe\\Caf\u00E9 \u20AC", "C:\\Stra\337e\\Caf\xE9 \x80"},
        {L"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExactAnsi(c.Text), c.Ansi) << AnsiForDisplay(c.Text);
}

} // namespace
