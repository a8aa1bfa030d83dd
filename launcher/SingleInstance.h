// One installer at a time on the machine: a named mutex in the global
// namespace, held until the process ends.
#pragma once

inline constexpr const char* InstanceMutexName = "Global\\NorvaneComponentInstaller";

// True when this process now holds the mutex; false when another installer
// holds it (or it cannot be made).
bool TakeInstanceLock();

// Brings the visible page of the other installer to the front.
void BringOtherInstallerToFront();

// True when the process runs on the interactive window station, where a
// person could answer a box (a service's station is not visible).
bool OnInteractiveDesktop();
