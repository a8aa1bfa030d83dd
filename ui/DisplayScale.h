// The display scale of a window: its dots per inch, and the layout's values,
// given in pixels at 96 DPI, scaled to them.
#pragma once

#include <windows.h>

// The dots per inch at which the layout's pixel values hold as they are.
constexpr int LayoutDpi = 96;

// The window's DPI: that of its monitor for a per-monitor aware program, the
// system's otherwise. The functions that tell it exist from Windows 8.1 and
// 10 on and are looked up at run time; before them the screen's logical DPI.
int WindowDpi(HWND window);

// A layout value at this DPI, rounded to the nearest pixel.
int Scaled(int value, int dpi);

// A layout rectangle at this DPI. Its edges are scaled, not its size, so
// that controls that meet or keep a gap at 96 DPI do so at every scale.
RECT ScaledRect(int left, int top, int width, int height, int dpi);

// Grows a client rectangle to the window rectangle with this style at this
// DPI (the frame's metrics are those of that DPI where the system has them).
void AdjustFrameForDpi(RECT& frame, DWORD style, DWORD exStyle, int dpi);

// The work area (the monitor without the taskbar) of the monitor that holds
// the point, or when no monitor does, of the monitor under the mouse pointer.
RECT WorkAreaAt(POINT point);

// A system metric (SM_CXICON, SM_CXSMICON, ...) at this DPI.
int MetricForDpi(int index, int dpi);
