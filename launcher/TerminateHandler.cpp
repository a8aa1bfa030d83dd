// Replaces the library's terminate handler, which prints to a console a GUI program lacks and
// brings in the demangler (about 45 KB). RunSetup reports unexpected errors itself; whatever
// still reaches terminate ends the process at once with ExitCodeIfTerminated, not abort()'s.
#include "Launch.h"

#include <windows.h>

namespace __gnu_cxx {
void __verbose_terminate_handler() {
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(ExitCodeIfTerminated));
    for (;;) {
    }
}
} // namespace __gnu_cxx
