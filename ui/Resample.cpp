// Area-averaging resampling over 32-bit pixels.
#include "Resample.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// The source pixels that one new pixel covers along one axis, with the
// length of each covered part.
struct Cover {
    int First, Last;
    std::vector<double> Weights;
};

std::vector<Cover> Covers(int from, int to) {
    std::vector<Cover> covers(static_cast<size_t>(to));
    const double step = static_cast<double>(from) / to;
    for (int i = 0; i < to; ++i) {
        const double start = i * step, end = (i + 1) * step;
        Cover& cover = covers[static_cast<size_t>(i)];
        cover.First = static_cast<int>(start);
        cover.Last = std::min(from - 1, static_cast<int>(end - 1e-9));
        for (int s = cover.First; s <= cover.Last; ++s)
            cover.Weights.push_back(std::min<double>(end, s + 1) - std::max<double>(start, s));
    }
    return covers;
}

// A 32-bit top-down bitmap of the size.
BITMAPINFO TopDownHeader(int width, int height) {
    BITMAPINFO header = {};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = width;
    header.bmiHeader.biHeight = -height;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    return header;
}

HBITMAP TopDownSection(int width, int height, void** bits) {
    BITMAPINFO header = TopDownHeader(width, height);
    return CreateDIBSection(nullptr, &header, DIB_RGB_COLORS, bits, nullptr, 0);
}

} // namespace

HBITMAP ResampledBitmap(HBITMAP source, int width, int height, bool keyed, COLORREF key) {
    BITMAP info = {};
    if (!source || width <= 0 || height <= 0 || !GetObjectA(source, sizeof info, &info))
        return nullptr;
    const int sw = info.bmWidth, sh = info.bmHeight;
    BITMAPINFO header = TopDownHeader(sw, sh);
    std::vector<uint32_t> pixels(static_cast<size_t>(sw) * static_cast<size_t>(sh));
    HDC screen = GetDC(nullptr);
    const int rows =
        GetDIBits(screen, source, 0, static_cast<UINT>(sh), pixels.data(), &header, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    void* bits = nullptr;
    HBITMAP result = rows == sh ? TopDownSection(width, height, &bits) : nullptr;
    if (!result)
        return nullptr;

    // Pixels are 0x00RRGGBB, COLORREFs 0x00BBGGRR.
    const uint32_t keyPixel = (GetRValue(key) << 16) | (GetGValue(key) << 8) | GetBValue(key);
    const std::vector<Cover> across = Covers(sw, width), down = Covers(sh, height);
    auto* out = static_cast<uint32_t*>(bits);
    for (int y = 0; y < height; ++y) {
        const Cover& row = down[static_cast<size_t>(y)];
        for (int x = 0; x < width; ++x) {
            const Cover& column = across[static_cast<size_t>(x)];
            double sum[3] = {0, 0, 0}, total = 0, keyWeight = 0;
            for (int sy = row.First; sy <= row.Last; ++sy)
                for (int sx = column.First; sx <= column.Last; ++sx) {
                    const double weight = row.Weights[static_cast<size_t>(sy - row.First)] *
                                          column.Weights[static_cast<size_t>(sx - column.First)];
                    const uint32_t pixel =
                        pixels[static_cast<size_t>(sy) * static_cast<size_t>(sw) +
                               static_cast<size_t>(sx)] &
                        0xFFFFFFu;
                    if (keyed && pixel == keyPixel) {
                        keyWeight += weight;
                        continue;
                    }
                    for (int c = 0; c < 3; ++c)
                        sum[c] += weight * ((pixel >> (8 * c)) & 0xFF);
                    total += weight;
                }
            uint32_t pixel = keyPixel;
            if (total > 0 && !(keyed && keyWeight >= total)) {
                pixel = 0;
                for (int c = 0; c < 3; ++c)
                    pixel |= static_cast<uint32_t>(sum[c] / total + 0.5) << (8 * c);
            }
            out[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
                pixel;
        }
    }
    return result;
}
