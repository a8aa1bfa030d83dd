// Accessible names, set by Dynamic Annotation, for controls that no visible label names; a
// screen reader announces them instead of a name the system makes up.
#pragma once

#include <windows.h>

#include <string>

// How a name reaches the system; replaceable so that tests can read names back (Wine's
// accessibility layer neither keeps nor reports them).
using AccessibleNameSetter = void (*)(HWND control, const std::string& name);
extern AccessibleNameSetter SetAccessibleName;

// IAccPropServices::SetHwndPropStr(PROPID_ACC_NAME) on the control's client object, oleacc.dll
// loaded from the system folder; does nothing where oleacc or the service is missing.
void AnnotateAccessibleName(HWND control, const std::string& name);
