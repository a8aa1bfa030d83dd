// Authenticode checks via WinVerifyTrust (loaded from the system folder) and signer comparison.
#include "PackageSignature.h"

#include "Configuration.h"
#include "JoinText.h"
#include "SystemLibraries.h"

#include <softpub.h>
#include <wincrypt.h>
#include <wintrust.h>

namespace {

struct TrustFunctions {
    LONG(WINAPI* VerifyTrust)(HWND, GUID*, LPVOID) = nullptr;
    CRYPT_PROVIDER_DATA*(WINAPI* ProviderData)(HANDLE) = nullptr;
    CRYPT_PROVIDER_SGNR*(WINAPI* Signer)(CRYPT_PROVIDER_DATA*, DWORD, BOOL, DWORD) = nullptr;
    CRYPT_PROVIDER_CERT*(WINAPI* SignerCertificate)(CRYPT_PROVIDER_SGNR*, DWORD) = nullptr;
    DWORD(WINAPI* NameString)(PCCERT_CONTEXT, DWORD, DWORD, void*, LPSTR, DWORD) = nullptr;
};

TrustFunctions LoadTrustFunctions() {
    TrustFunctions functions;
    HMODULE wintrust = LoadSystemLibrary("wintrust.dll");
    HMODULE crypt32 = LoadSystemLibrary("crypt32.dll");
    const bool complete =
        wintrust && crypt32 && ResolveExport(wintrust, "WinVerifyTrust", functions.VerifyTrust) &&
        ResolveExport(wintrust, "WTHelperProvDataFromStateData", functions.ProviderData) &&
        ResolveExport(wintrust, "WTHelperGetProvSignerFromChain", functions.Signer) &&
        ResolveExport(wintrust, "WTHelperGetProvCertFromChain", functions.SignerCertificate) &&
        ResolveExport(crypt32, "CertGetNameStringA", functions.NameString);
    // The libraries stay loaded for the rest of the run.
    return complete ? functions : TrustFunctions{};
}

const TrustFunctions& Trust() {
    static const TrustFunctions functions = LoadTrustFunctions();
    return functions;
}

// Results that only say the chain ends at no root this machine trusts: the signed bytes verified.
bool IsChainTrustOnly(LONG result) {
    return result == CERT_E_UNTRUSTEDROOT || result == CERT_E_CHAINING ||
           result == CERT_E_UNTRUSTEDTESTROOT || result == CERT_E_UNTRUSTEDCA;
}

// The documented signs of a file without a signature.
bool MeansUnsigned(LONG result, DWORD lastError) {
    if (result == TRUST_E_SUBJECT_FORM_UNKNOWN || result == TRUST_E_PROVIDER_UNKNOWN)
        return true;
    return result == TRUST_E_NOSIGNATURE &&
           (lastError == static_cast<DWORD>(TRUST_E_NOSIGNATURE) ||
            lastError == static_cast<DWORD>(TRUST_E_SUBJECT_FORM_UNKNOWN) ||
            lastError == static_cast<DWORD>(TRUST_E_PROVIDER_UNKNOWN) || lastError == 0);
}

// The first signer's certificate from the state WinVerifyTrust kept.
bool ReadSigner(const TrustFunctions& trust, HANDLE state, FileSignature& signature) {
    CRYPT_PROVIDER_DATA* data = trust.ProviderData(state);
    CRYPT_PROVIDER_SGNR* signer = data ? trust.Signer(data, 0, FALSE, 0) : nullptr;
    CRYPT_PROVIDER_CERT* certificate = signer ? trust.SignerCertificate(signer, 0) : nullptr;
    if (!certificate || !certificate->pCert)
        return false;
    const CERT_CONTEXT& context = *certificate->pCert;
    signature.SignerCertificate.assign(context.pbCertEncoded,
                                       context.pbCertEncoded + context.cbCertEncoded);
    char name[256] = {};
    trust.NameString(&context, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, name, sizeof name);
    signature.SignerName = name;
    return true;
}

FileSignature VerifyFile(const std::wstring& path, HANDLE file) {
    FileSignature signature;
    const TrustFunctions& trust = Trust();
    if (!trust.VerifyTrust) {
        // Without the system's verifier nothing can be trusted.
        signature.State = FileSignature::Invalid;
        signature.TrustResult = static_cast<long>(HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND));
        return signature;
    }
    WINTRUST_FILE_INFO fileInfo = {};
    fileInfo.cbStruct = sizeof fileInfo;
    fileInfo.pcwszFilePath = path.c_str();
    fileInfo.hFile = file == INVALID_HANDLE_VALUE ? nullptr : file;
    WINTRUST_DATA data = {};
    data.cbStruct = sizeof data;
    data.dwUIChoice = WTD_UI_NONE;
    // Neither revocation lists nor any other network look-up: the installer
    // runs on machines without a network, and chain trust is not required.
    data.fdwRevocationChecks = WTD_REVOKE_NONE;
    data.dwProvFlags = WTD_REVOCATION_CHECK_NONE | WTD_CACHE_ONLY_URL_RETRIEVAL;
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &fileInfo;
    data.dwStateAction = WTD_STATEACTION_VERIFY;
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;

    const LONG result = trust.VerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    const DWORD lastError = GetLastError();
    signature.TrustResult = result;
    if (MeansUnsigned(result, lastError))
        signature.State = FileSignature::Unsigned;
    else if ((result == ERROR_SUCCESS || IsChainTrustOnly(result)) &&
             ReadSigner(trust, data.hWVTStateData, signature))
        signature.State = FileSignature::Valid;
    else
        signature.State = FileSignature::Invalid;

    data.dwStateAction = WTD_STATEACTION_CLOSE;
    trust.VerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    return signature;
}

std::wstring Widened(const std::string& text) {
    const int size = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(size > 0 ? size : 1, L'\0');
    if (size > 0)
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), size);
    wide.resize(wide.size() - 1);
    return wide;
}

} // namespace

FileSignature ReadFileSignature(const std::string& path, HANDLE file) {
    return VerifyFile(Widened(path), file);
}

const FileSignature& ProgramSignature() {
    static const FileSignature signature = VerifyFile(ExecutablePathWide(), INVALID_HANDLE_VALUE);
    return signature;
}

std::string TrustResultText(long result) {
    const char* digits = "0123456789ABCDEF";
    std::string text = "0x";
    for (int shift = 28; shift >= 0; shift -= 4)
        text += digits[(static_cast<unsigned long>(result) >> shift) & 0xF];
    return text;
}

std::string SignerProblem(const std::string& packageName, const FileSignature& package,
                          const FileSignature& program) {
    if (program.State == FileSignature::Unsigned)
        return "";
    if (program.State == FileSignature::Invalid)
        return JoinText({"The package ", packageName,
                         " is not installed: the installer's own signature does not verify (error ",
                         TrustResultText(program.TrustResult),
                         "), so no publisher can be expected."});
    std::string why;
    if (package.State == FileSignature::Unsigned)
        why = "it carries no signature.";
    else if (package.State == FileSignature::Invalid)
        why = JoinText(
            {"its signature does not verify (error ", TrustResultText(package.TrustResult), ")."});
    else if (package.SignerCertificate != program.SignerCertificate)
        why = JoinText({"it is signed by \"", package.SignerName, "\" with another certificate."});
    else
        return "";
    return JoinText({"The package ", packageName, " is not signed by the installer's publisher \"",
                     program.SignerName, "\": ", why});
}

std::string PackageSignerProblem(const std::string& packagePath, const FileSignature& program,
                                 HANDLE package) {
    if (program.State == FileSignature::Unsigned)
        return "";
    return SignerProblem(packagePath, ReadFileSignature(packagePath, package), program);
}
