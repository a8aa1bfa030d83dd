// Signatures of Setup.exe and of the packages it would install.
#include "SignatureChecks.h"

#include "CharText.h"
#include "PackageSignature.h"

namespace {

// The report names the package as the distribution folder holds it, not by its full path.
std::string Relative(std::string text, const std::string& path, const std::string& file) {
    const size_t at = text.find(path);
    if (at != std::string::npos)
        text.replace(at, path.size(), file);
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z')
        text[0] = static_cast<char>(text[0] - 'A' + 'a');
    return text;
}

} // namespace

void CheckSignatures(const std::string& program, const std::string& folder,
                     const std::vector<SignedPackage>& packages, Findings& findings) {
    const FileSignature signature = ReadFileSignature(program);
    const std::string name = program.substr(FindLastCharacterOf(program, "\\") + 1);
    if (signature.State == FileSignature::Unsigned) {
        findings.push_back({"", "", Severity::Warning,
                            name + " is not signed: the distribution is unsigned",
                            "installs its packages without checking any signature, and Windows "
                            "names no publisher when it asks to run it as administrator"});
        return;
    }
    if (signature.State == FileSignature::Invalid) {
        findings.push_back({"", "", Severity::Error,
                            name + "'s signature does not verify (error " +
                                TrustResultText(signature.TrustResult) + ")",
                            "refuses every package, as no publisher can be expected"});
        return;
    }
    for (const SignedPackage& package : packages) {
        const std::string path = folder + "\\" + package.File;
        const std::string problem = PackageSignerProblem(path, signature);
        if (!problem.empty())
            findings.push_back({package.Section, "MSIFileName", Severity::Error,
                                Relative(problem, path, package.File),
                                "fails the component: a signed " + name +
                                    " installs only packages signed with its own certificate"});
    }
}
