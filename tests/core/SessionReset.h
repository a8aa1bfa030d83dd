// Puts the process-wide install session back to its start-up state.
#pragma once

#include "Session.h"

inline void ResetInstallSession() {
    FreeComponents();
    InstallSession.DestinationFolder.clear();
    InstallSession.Email.clear();
    InstallSession.FirstName.clear();
    InstallSession.LastName.clear();
    InstallSession.LogEnabled = false;
}
