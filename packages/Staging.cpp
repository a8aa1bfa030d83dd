// Copies the selected packages, and the cabinets they keep outside themselves, into the staging
// folder. Each file goes to a new, exclusively created temporary beside its target, is checked,
// then moved over it: a planted link is replaced, never written through, and a failed copy
// leaves the earlier staged package as it was.
#include "Staging.h"

#include "CharText.h"
#include "Configuration.h"
#include "ExternalCabinets.h"
#include "Folders.h"
#include "JoinText.h"
#include "PackagePaths.h"
#include "PackageSignature.h"
#include "ProtectedFolders.h"

#include <vector>

namespace {

// The documented value; older SDK headers lack it.
constexpr DWORD ErrorInvalidImageHash = 577; // ERROR_INVALID_IMAGE_HASH

std::vector<StagingOutcome> Outcomes;
std::vector<HANDLE> HeldFolders;
std::string LogProblem;

// Volume and file index: which file a handle holds.
struct FileIdentity {
    DWORD Volume = 0, High = 0, Low = 0;
    bool operator==(const FileIdentity&) const = default;
};

FileIdentity IdentityOf(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info = {};
    if (!GetFileInformationByHandle(file, &info))
        return {};
    return {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

constexpr DWORD AnySharing = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Opens an existing file itself: a link at the path is opened, not followed.
HANDLE OpenNotFollowing(const std::string& path, DWORD access, DWORD share) {
    return CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                       FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

HANDLE OpenForReading(const std::string& path, DWORD share) {
    return OpenNotFollowing(path, GENERIC_READ, share);
}

// Opens the folder as a protected folder held until the run ends (HoldSubfolders: each level
// of a subfolder); "" or the reason it cannot.
std::string HoldFolder(const std::string& folder) {
    std::string reason;
    HANDLE held = OpenProtectedFolder(folder, reason);
    if (held != INVALID_HANDLE_VALUE)
        HeldFolders.push_back(held);
    return reason;
}

std::string HoldSubfolders(const std::string& stagingFolder, const std::string& relative) {
    for (size_t end = FindCharacterOf(relative, "\\/");;
         end = FindCharacterOf(relative, "\\/", end + 1)) {
        const std::string reason =
            HoldFolder(JoinText({stagingFolder, "\\", std::string_view(relative).substr(0, end)}));
        if (!reason.empty() || end == std::string::npos)
            return reason;
    }
}

// A new file beside the target, created exclusively: never one already there, a link least of all.
HANDLE CreateTemporaryBeside(const std::string& folder, std::string& path) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = JoinText({folder, "\\~nvn", std::to_string(GetCurrentProcessId()), "-",
                         std::to_string(++counter), ".tmp"});
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

bool CopyContents(HANDLE from, HANDLE to) {
    std::vector<char> buffer(1 << 16);
    for (;;) {
        DWORD read = 0, written = 0;
        if (!ReadFile(from, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr))
            return false;
        if (read == 0)
            return true;
        if (!WriteFile(to, buffer.data(), read, &written, nullptr) || written != read)
            return false;
    }
}

// An earlier copy from read-only media is read-only and could not be replaced. The attribute is
// cleared only on a plain file: a link would pass the change on to its target.
void AllowReplacing(const std::string& target) {
    HANDLE existing = OpenNotFollowing(target, FILE_READ_ATTRIBUTES, AnySharing);
    if (existing == INVALID_HANDLE_VALUE)
        return;
    BY_HANDLE_FILE_INFORMATION info = {};
    const bool plainReadOnly = GetFileInformationByHandle(existing, &info) &&
                               (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) &&
                               !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                               !IsLinkedFile(target, existing);
    CloseHandle(existing);
    if (plainReadOnly)
        SetFileAttributesA(target.c_str(), info.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY);
}

// One file on its way into the staging folder: its copy under a temporary
// name, held against writers (it may still be renamed) while it is checked.
struct StagedFile {
    std::string Target;
    std::string Temporary;
    HANDLE Copy = INVALID_HANDLE_VALUE;
    FileIdentity Written;
};

void Discard(StagedFile& file) {
    if (file.Copy != INVALID_HANDLE_VALUE)
        CloseHandle(file.Copy);
    file.Copy = INVALID_HANDLE_VALUE;
    if (!file.Temporary.empty())
        DeleteFileA(file.Temporary.c_str());
}

// Copies source into a new temporary file beside the target. Empty when
// done, else why not (and error); kind names the source ("The package ").
std::string CopyToTemporary(const char* kind, const std::string& source, StagedFile& file,
                            DWORD& error) {
    // Nobody writes to the source while it is copied.
    HANDLE from = CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (from == INVALID_HANDLE_VALUE) {
        error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
            return JoinText({kind, source, " cannot be read ", ErrorNumberText(error), "."});
        // A missing package fails as the service would have failed it.
        error = ERROR_INSTALL_PACKAGE_OPEN_FAILED;
        return JoinText({kind, source, " is missing."});
    }
    const std::string folder = file.Target.substr(0, FindLastCharacterOf(file.Target, "\\"));
    HANDLE to = CreateTemporaryBeside(folder, file.Temporary);
    if (to == INVALID_HANDLE_VALUE) {
        error = GetLastError();
        file.Temporary.clear();
        CloseHandle(from);
        return JoinText({kind, source, " cannot be copied: no file can be created in ", folder, " ",
                         ErrorNumberText(error), "."});
    }
    const bool copied = CopyContents(from, to);
    error = GetLastError();
    file.Written = IdentityOf(to);
    CloseHandle(from);
    CloseHandle(to);
    if (!copied)
        return JoinText({kind, source, " cannot be copied ", ErrorNumberText(error), "."});
    file.Copy = OpenForReading(file.Temporary, FILE_SHARE_READ | FILE_SHARE_DELETE);
    if (file.Copy == INVALID_HANDLE_VALUE || !(IdentityOf(file.Copy) == file.Written)) {
        error = ErrorInvalidImageHash;
        return JoinText({"The copy of ", source, " changed before it was staged."});
    }
    return "";
}

// Moves the checked copy over the target (a link there included) and holds the target open for
// reading only: no writer or deleter until its installation has ended.
std::string MoveIntoPlace(StagedFile& file, HANDLE& held, DWORD& error) {
    AllowReplacing(file.Target);
    if (!MoveFileExA(file.Temporary.c_str(), file.Target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        error = GetLastError();
        return JoinText(
            {"The staged file ", file.Target, " cannot be replaced ", ErrorNumberText(error), "."});
    }
    file.Temporary.clear();
    held = OpenForReading(file.Target, FILE_SHARE_READ);
    if (held != INVALID_HANDLE_VALUE && IdentityOf(held) == file.Written)
        return "";
    if (held != INVALID_HANDLE_VALUE)
        CloseHandle(held);
    held = INVALID_HANDLE_VALUE;
    error = ErrorInvalidImageHash;
    return JoinText({"The staged file ", file.Target, " changed after its copy."});
}

// Stages the package and its external cabinets (Windows Installer looks for them beside it).
// Every copy is made and checked before any is moved into place: when one fails, the earlier
// staged files stay as they were and the outcome says why.
void StagePackage(const std::string& sourceFolder, const std::string& name,
                  const std::string& folder, const FileSignature& program,
                  StagingOutcome& outcome) {
    std::vector<StagedFile> files(1);
    files[0].Target = outcome.Path;
    DWORD error = ErrorInvalidImageHash;
    std::string problem = CopyToTemporary("The package ", sourceFolder + name, files[0], error);
    if (problem.empty() && program.State != FileSignature::Unsigned)
        problem = SignerProblem(sourceFolder + name,
                                ReadFileSignature(files[0].Temporary, files[0].Copy), program);
    if (problem.empty())
        for (const std::string& cabinet : ExternalCabinets(files[0].Temporary)) {
            files.push_back({JoinText({folder, "\\", cabinet}), "", INVALID_HANDLE_VALUE, {}});
            problem = CopyToTemporary("The cabinet ", sourceFolder + cabinet, files.back(), error);
            if (!problem.empty())
                break;
        }
    for (size_t i = 0; problem.empty() && i < files.size(); ++i) {
        HANDLE held = INVALID_HANDLE_VALUE;
        problem = MoveIntoPlace(files[i], held, error);
        (i == 0 ? outcome.Package : outcome.Cabinets.emplace_back()) = held;
    }
    for (StagedFile& file : files)
        Discard(file);
    if (!problem.empty()) {
        outcome.Error = error ? error : ERROR_INSTALL_FAILURE;
        outcome.Problem = problem;
    }
}

// A package an earlier component staged at the same path: shared, not copied over the held file.
bool ShareEarlierCopy(StagingOutcome& outcome) {
    for (const StagingOutcome& earlier : Outcomes) {
        if (earlier.Package == INVALID_HANDLE_VALUE ||
            CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, earlier.Path.c_str(), -1,
                           outcome.Path.c_str(), -1) != CSTR_EQUAL)
            continue;
        DuplicateHandle(GetCurrentProcess(), earlier.Package, GetCurrentProcess(), &outcome.Package,
                        0, FALSE, DUPLICATE_SAME_ACCESS);
        return true;
    }
    return false;
}

} // namespace

void StageSetupFiles() {
    const std::string executable = ExecutablePath();
    const size_t separator = FindLastCharacterOf(executable, "\\");
    StageSetupFilesFrom(separator == std::string::npos ? std::string()
                                                       : executable.substr(0, separator));
}

void StageSetupFilesFrom(const std::string& sourceFolder) {
    StageSetupFilesFrom(sourceFolder, ProgramSignature());
}

void StageSetupFilesFrom(const std::string& sourceFolder, const FileSignature& program) {
    ReleaseStagedPackages();
    const std::string stagingFolder = StagingFolder(GetDestinationFolder());
    // Held until the run ends; when it cannot be had, no package is staged.
    const std::string stagingProblem = HoldFolder(stagingFolder);

    for (int32_t i = 0; i < InstallSession.ComponentCount; ++i) {
        const ComponentEntry& entry = InstallSession.Components[i];
        if (!entry.Selected || !HasSafeNames(entry))
            continue;
        StagingOutcome outcome;
        outcome.Entry = &entry;
        const std::string targetFolder = PackageFolder(stagingFolder, entry);
        outcome.Path = PackageFile(targetFolder, entry);
        outcome.Problem = stagingProblem.empty() && entry.SetupFileSubFolder
                              ? HoldSubfolders(stagingFolder, entry.Description)
                              : stagingProblem;
        outcome.Error = outcome.Problem.empty() ? 0 : ERROR_CANNOT_MAKE;
        if (outcome.Problem.empty() && !ShareEarlierCopy(outcome)) {
            std::string source = sourceFolder;
            AddTrailingBackslash(source);
            StagePackage(source, entry.MSIFileName, targetFolder, program, outcome);
        }
        Outcomes.push_back(std::move(outcome));
    }
}

const StagingOutcome* FindStagingOutcome(const ComponentEntry& entry) {
    for (const StagingOutcome& outcome : Outcomes)
        if (outcome.Entry == &entry)
            return &outcome;
    return nullptr;
}

static void ReleaseOutcome(StagingOutcome& outcome) {
    outcome.Cabinets.push_back(outcome.Package);
    for (HANDLE held : outcome.Cabinets)
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
    outcome.Cabinets.clear();
    outcome.Package = INVALID_HANDLE_VALUE;
}

void ReleaseStagedPackage(const ComponentEntry& entry) {
    for (StagingOutcome& outcome : Outcomes)
        if (outcome.Entry == &entry)
            ReleaseOutcome(outcome);
}

void ReleaseStagedPackages() {
    for (StagingOutcome& outcome : Outcomes)
        ReleaseOutcome(outcome);
    Outcomes.clear();
    for (HANDLE folder : HeldFolders)
        CloseHandle(folder);
    HeldFolders.clear();
}

bool PrepareLogFolder(const std::string& folder) {
    LogProblem = HoldFolder(folder);
    return LogProblem.empty();
}

const std::string& LogFolderProblem() {
    return LogProblem;
}

bool ReadyForPackageLog(const std::string& path) {
    HANDLE file = OpenNotFollowing(path, FILE_READ_ATTRIBUTES, AnySharing);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    const bool linked = IsLinkedFile(path, file);
    CloseHandle(file);
    return !linked || DeleteFileA(path.c_str());
}
