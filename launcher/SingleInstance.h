// One installer at a time on the machine: a global named mutex, held until the process ends.
#pragma once

inline constexpr const char* InstanceMutexName = "Global\\NorvaneComponentInstaller";

// False when another installer holds the mutex (or it cannot be made).
bool TakeInstanceLock();

// Brings the visible page of the other installer to the front.
void BringOtherInstallerToFront();

// True on the interactive window station, where a person could answer a box (a service's
// station is not visible).
bool OnInteractiveDesktop();
