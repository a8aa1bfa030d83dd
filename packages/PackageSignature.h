// Authenticode signatures of the installer and its packages. A signed Setup.exe installs only
// packages signed with its very certificate; chain trust is left to Windows' elevation prompt,
// so a publisher's own (or test) certificate works. An unsigned (developer) build checks nothing.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct FileSignature {
    enum Kind {
        Unsigned, // the file carries no signature
        Valid,    // the file's bytes are what was signed (chain trust not required)
        Invalid,  // a signature that does not verify: changed bytes, a distrusted certificate
    };
    Kind State = Unsigned;
    // Valid only: the signer's certificate (encoded bytes) and its subject's display name.
    std::vector<unsigned char> SignerCertificate;
    std::string SignerName;
    // WinVerifyTrust's result: 0, or the error of an invalid signature, or
    // the chain error that a valid signature was accepted with.
    long TrustResult = 0;
};

// Reads and verifies a file's signature: the bytes of the open handle when given, else of the
// path. WinVerifyTrust and the certificate functions come from the system folder.
FileSignature ReadFileSignature(const std::string& path, HANDLE file = INVALID_HANDLE_VALUE);

// The signature of the running program's own file, read once.
const FileSignature& ProgramSignature();

// Empty when this program may install the package: the program is unsigned, or the package's
// signature verifies and its signer certificate is byte for byte the program's. Otherwise why
// not, naming the package and the expected publisher.
std::string PackageSignerProblem(const std::string& packagePath, const FileSignature& program,
                                 HANDLE package = INVALID_HANDLE_VALUE);

// The same judgement on a signature already read; packageName names the package in the reason.
std::string SignerProblem(const std::string& packageName, const FileSignature& package,
                          const FileSignature& program);

// The error text of a WinVerifyTrust result, e.g. "0x80096010".
std::string TrustResultText(long result);
