// Which packages a signed installer accepts. Wine 8's WinVerifyTrust checks a program's bytes
// against its signature but not a package's (Windows does both): changed bytes use a program.
#include "PackageSignature.h"
#include "TestFiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;

std::string Signed(const std::string& name) {
    return TestProgramFolder() + "\\signed\\" + name;
}

// A copy of the signed program with one byte of its code flipped.
std::string ChangedCopy(const ScratchFolder& folder) {
    std::string program = ReadTextFile(Signed("Program.exe"));
    program[program.size() / 2] ^= 0xFF;
    WriteTextFile(folder / "Changed.exe", program);
    return folder / "Changed.exe";
}

TEST(PackageSignature, ReadsTheSignerOfASignedFile) {
    const FileSignature program = ReadFileSignature(Signed("Program.exe"));
    ASSERT_EQ(program.State, FileSignature::Valid) << TrustResultText(program.TrustResult);
    EXPECT_EQ(program.SignerName, "Norvane Test Signing (throwaway)");
    EXPECT_FALSE(program.SignerCertificate.empty());
    EXPECT_EQ(ReadFileSignature(Signed("Unsigned.msi")).State, FileSignature::Unsigned);
}

TEST(PackageSignature, ASignedInstallerAcceptsOnlyPackagesOfItsOwnSigner) {
    const FileSignature program = ReadFileSignature(Signed("Program.exe"));
    ScratchFolder folder;
    const struct {
        std::string Package;
        std::string Problem; // a part of the reason; empty: accepted
    } cases[] = {
        {Signed("Same.msi"), ""},
        {Signed("Program.exe"), ""},
        {Signed("Unsigned.msi"), "it carries no signature"},
        {Signed("Other.msi"), "with another certificate"},
        {ChangedCopy(folder), "its signature does not verify (error 0x80096010)"},
    };
    for (const auto& c : cases) {
        const std::string problem = PackageSignerProblem(c.Package, program);
        if (c.Problem.empty())
            EXPECT_EQ(problem, "") << c.Package;
        else
            EXPECT_THAT(problem, AllOf(HasSubstr(c.Problem), HasSubstr(c.Package),
                                       HasSubstr("\"Norvane Test Signing (throwaway)\"")));
    }
}

TEST(PackageSignature, AnUnsignedInstallerChecksNothing) {
    const FileSignature unsignedProgram;
    EXPECT_EQ(PackageSignerProblem(Signed("Unsigned.msi"), unsignedProgram), "");
    EXPECT_EQ(PackageSignerProblem(Signed("Other.msi"), unsignedProgram), "");
}

} // namespace
