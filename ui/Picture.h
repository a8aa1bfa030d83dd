// JPEG pictures decoded into device-independent bitmaps.
#pragma once

#include <windows.h>

#include <cstddef>

// Decodes a JPEG held in memory into a top-down 24-bit DIB section. Null when
// the data is not a JPEG libjpeg can read; never aborts the process.
HBITMAP DecodeJpeg(const void* data, size_t size);
