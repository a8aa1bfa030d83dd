// The install session: its state and accessors.
#include "Session.h"

#include "Folders.h"

InstallSessionState InstallSession;

std::string GetEmail() {
    return InstallSession.Email;
}
void SetEmail(const std::string& text) {
    InstallSession.Email = text;
}
std::string GetFirstName() {
    return InstallSession.FirstName;
}
void SetFirstName(const std::string& text) {
    InstallSession.FirstName = text;
}
std::string GetLastName() {
    return InstallSession.LastName;
}
void SetLastName(const std::string& text) {
    InstallSession.LastName = text;
}

std::string GetDestinationFolder() {
    if (InstallSession.DestinationFolder.empty())
        SetDestinationFolder(GetProgramFilesFolder() + "\\Norvane Components");
    return InstallSession.DestinationFolder;
}

void SetDestinationFolder(const std::string& text) {
    InstallSession.DestinationFolder = text;
}

std::string GetLogFolder() {
    std::string folder = InstallSession.DestinationFolder;
    AddTrailingBackslash(folder);
    return folder + "Logs";
}

void FreeComponents() {
    InstallSession.Components.reset();
    InstallSession.ComponentCount = 0;
}
