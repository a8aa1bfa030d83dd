// The installer's handler for an exception that nothing catches.
//
// The standard library's own handler prints the exception's demangled type
// name to the console, which a GUI program does not have, and brings in the
// whole name demangler (about 45 KB). The program reports unexpected errors
// in a message box itself (RunSetup), so anything that still reaches
// terminate ends the process at once, with the installer's exit code (0 for
// the wizard, a failure for an unattended run) rather than abort()'s.
#include "Launch.h"

#include <windows.h>

namespace __gnu_cxx {
void __verbose_terminate_handler() {
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(ExitCodeIfTerminated));
    for (;;) {
    }
}
} // namespace __gnu_cxx
