// Making one control of a page from its definition in a layout table.
#pragma once

#include "Form.h"

// Creates the control as a child of the page with this ID, in the font its
// kind and flags ask for, with the settings of its kind (colours, list view
// and rich text options) and its flags applied. A control that starts a
// group gets WS_GROUP. Null when the system could not make it.
HWND CreatePageControl(HWND page, const ControlDefinition& definition, int id, bool startsGroup);
