// Accessible names for controls that no visible label can name, through the
// system's Dynamic Annotation: a screen reader announces the name set here
// instead of the one the system would make up for the control.
#pragma once

#include <windows.h>

#include <string>

// How a name reaches the system. Replaceable, so that tests can read the
// names back: Wine's accessibility layer neither keeps nor reports them.
using AccessibleNameSetter = void (*)(HWND control, const std::string& name);
extern AccessibleNameSetter SetAccessibleName;

// The system's way: IAccPropServices::SetHwndPropStr with PROPID_ACC_NAME for
// the control's client object, oleacc.dll loaded from the system folder.
// Does nothing where oleacc or the service is missing.
void AnnotateAccessibleName(HWND control, const std::string& name);
