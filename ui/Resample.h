// Resizing by area averaging: each new pixel averages the part it covers, so a picture made
// smaller stays smooth and one enlarged by a whole factor stays sharp.
#pragma once

#include <windows.h>

// A new top-down 32-bit DIB section of this size; null on failure. When keyed, a new pixel half
// or more covered by the key colour keeps it, and the others average only the other colours,
// so the key colour does not bleed into the edges.
HBITMAP ResampledBitmap(HBITMAP source, int width, int height, bool keyed = false,
                        COLORREF key = RGB(255, 0, 255));
