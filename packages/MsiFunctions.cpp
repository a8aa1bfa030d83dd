// The real Windows Installer functions behind the package operations.
#include "MsiFunctions.h"

const MsiFunctions RealMsiFunctions = {
    ::MsiSetInternalUI,      ::MsiEnableLogA,        ::MsiOpenDatabaseA,    ::MsiDatabaseOpenViewA,
    ::MsiViewExecute,        ::MsiViewFetch,         ::MsiRecordGetStringA, ::MsiCloseHandle,
    ::MsiQueryProductStateA, ::MsiConfigureProductA, ::MsiInstallProductA,
    ::MsiRecordGetInteger,
};

MsiFunctions Msi = RealMsiFunctions;
