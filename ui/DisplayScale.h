// A window's DPI, and the layout's values (pixels at 96 DPI) scaled to it.
#pragma once

#include <windows.h>

// The dots per inch at which the layout's pixel values hold as they are.
constexpr int LayoutDpi = 96;

// Its monitor's DPI for a per-monitor aware program, else the system's; the screen's logical
// DPI before Windows 8.1 (the newer functions are looked up at run time).
int WindowDpi(HWND window);

// A layout value at this DPI, rounded to the nearest pixel.
int Scaled(int value, int dpi);

// A layout rectangle at this DPI. Its edges are scaled, not its size, so
// that controls that meet or keep a gap at 96 DPI do so at every scale.
RECT ScaledRect(int left, int top, int width, int height, int dpi);

// Grows a client rectangle to the window rectangle with this style at this
// DPI (the frame's metrics are those of that DPI where the system has them).
void AdjustFrameForDpi(RECT& frame, DWORD style, DWORD exStyle, int dpi);

// The work area of the monitor holding the point, or else of the one under the mouse pointer.
RECT WorkAreaAt(POINT point);

// A system metric (SM_CXICON, SM_CXSMICON, ...) at this DPI.
int MetricForDpi(int index, int dpi);
