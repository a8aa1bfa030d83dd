// The pages' colours in the user's scheme: in high contrast no picture and no fixed colour, only
// the window and window-text colours; otherwise the picture, white panel and navy titles.
#pragma once

#include <windows.h>

// True while the high-contrast setting is on, as last read.
bool HighContrast();
// Reads the setting again, when the system says it may have changed.
void RefreshHighContrast();

// The background of labels' panel, radio buttons, check boxes, the group
// box, the lists and the agreement: white, or the window colour.
COLORREF PanelColour();
HBRUSH PanelBrush();
// The titles' colour: navy, or the window-text colour.
COLORREF TitleColour();

// Gives a list view or the agreement box the panel's colours; again after
// a change of the scheme.
void ApplyListColours(HWND list);
void ApplyRichTextColours(HWND box);

// Draws a control (and a list view's header) without visual styles, or with them again.
// High contrast turns them off by itself; told explicitly, a control also draws in the
// scheme's colours where they stay on.
void SetClassicLook(HWND control, bool classic);
