// Making one control of a page from its definition in a layout table.
#pragma once

#include "Form.h"

// Creates the control as a child of the page with this ID, at its layout
// rectangle scaled to the DPI, in the font its kind and flags ask for at that
// DPI, with the settings of its kind (colours, list view and rich text
// options) and its flags applied. A control that starts a group gets
// WS_GROUP. Null when the system could not make it.
HWND CreatePageControl(HWND page, const ControlDefinition& definition, int id, bool startsGroup,
                       int dpi);

// Moves a control to its layout rectangle at another DPI and gives it the
// font of that DPI (a label that sizes itself to its text does so again).
void RescaleControl(HWND control, const ControlDefinition& definition, int dpi);
