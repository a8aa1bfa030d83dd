// Pictures redrawn at another size by area averaging: each new pixel is the
// average of the part of the picture it covers, so a picture made smaller
// stays smooth and one made larger by a whole factor stays sharp.
#pragma once

#include <windows.h>

// A new top-down 32-bit DIB section of this size holding the bitmap's picture;
// null on failure. With a key colour (transparent pixels), a new pixel that
// the key colour covers for half or more keeps it, and the others average the
// other colours only, so the key colour does not bleed into the edges.
HBITMAP ResampledBitmap(HBITMAP source, int width, int height, bool keyed = false,
                        COLORREF key = RGB(255, 0, 255));
