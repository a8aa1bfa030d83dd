// Making one control of a page from its definition in a layout table.
#pragma once

#include "Form.h"

// Creates the control as a child of the page with this ID, its layout rectangle and font scaled
// to the DPI, with its kind's settings and its flags; WS_GROUP when it starts a group. Null
// when the system could not make it.
HWND CreatePageControl(HWND page, const ControlDefinition& definition, int id, bool startsGroup,
                       int dpi);

// Moves a control to its layout rectangle at another DPI and gives it the
// font of that DPI (a label that sizes itself to its text does so again).
void RescaleControl(HWND control, const ControlDefinition& definition, int dpi);
