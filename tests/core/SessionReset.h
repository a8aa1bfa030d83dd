// Puts the process-wide install session back to its start-up state.
#pragma once

#include "Installmanager.h"

inline void ResetInstallSession() {
    FreeComponents();
    InstallSession.DestinationFolder.clear();
    InstallSession.Email.clear();
    InstallSession.FirstName.clear();
    InstallSession.LastName.clear();
    InstallSession.LogEnabled = false;
}
