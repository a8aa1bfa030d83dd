// The colours of the pages in the user's colour scheme. While high contrast
// is on, the pages draw no picture and no fixed colour: every background is
// the window colour and every text the window-text colour of the scheme. In
// the normal scheme the pages keep their own look: the picture, the white
// panel and the navy titles.
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

// Draws a control (and a list view's header) without visual styles
// (classic), or with them again. In
// high contrast Windows turns the styles off by itself; a control told so
// explicitly draws in the scheme's colours also where they stay on.
void SetClassicLook(HWND control, bool classic);
