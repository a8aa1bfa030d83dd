// Shared artwork, created on first use per DPI and kept until ReleaseArtwork.
#include "Artwork.h"

#include "Picture.h"
#include "Resample.h"
#include "resource.h"

#include <vector>

namespace {

// What the pages draw with at one DPI.
struct ArtworkAtDpi {
    int Dpi;
    bool BackgroundLoaded = false;
    HBITMAP Background = nullptr;
    HBRUSH BackgroundBrush = nullptr;
    HFONT PageFont = nullptr;
    HFONT TitleFont = nullptr;
    HFONT BoldPageFont = nullptr;
};

std::vector<ArtworkAtDpi> artwork;
// The installer's icon at each size asked for.
std::vector<std::pair<int, HICON>> icons;

ArtworkAtDpi& AtDpi(int dpi) {
    for (ArtworkAtDpi& known : artwork)
        if (known.Dpi == dpi)
            return known;
    artwork.push_back({dpi});
    return artwork.back();
}

HFONT MakeVerdana(int height, int weight) {
    LOGFONTA font = {};
    font.lfHeight = height;
    font.lfWeight = weight;
    // Verdana is still chosen by name, and font linking draws the characters it lacks
    // (Japanese descriptions, say); ANSI_CHARSET would show them as boxes.
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    lstrcpynA(font.lfFaceName, "Verdana", LF_FACESIZE);
    return CreateFontIndirectA(&font);
}

HBITMAP DecodeResource(int id) {
    const std::string jpeg = LoadDataResource(id);
    return jpeg.empty() ? nullptr : DecodeJpeg(jpeg.data(), jpeg.size());
}

// The picture drawn for the nearest scale at or above the DPI (the largest
// one above 200 %), scaled to the DPI's size where it differs.
HBITMAP MakeBackground(int dpi) {
    const int width = Scaled(600, dpi), height = Scaled(400, dpi);
    HBITMAP drawn = dpi <= LayoutDpi ? nullptr : DecodeResource(IDR_BACKGROUND_200);
    if (!drawn)
        drawn = DecodeResource(IDR_BACKGROUND);
    BITMAP info = {};
    if (!drawn || !GetObjectA(drawn, sizeof info, &info) ||
        (info.bmWidth == width && info.bmHeight == height))
        return drawn;
    HBITMAP scaled = ResampledBitmap(drawn, width, height);
    DeleteObject(drawn);
    return scaled;
}

} // namespace

std::string LoadDataResource(int id) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10)); // RT_RCDATA
    if (!found)
        return "";
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        return "";
    return std::string(static_cast<const char*>(data), SizeofResource(module, found));
}

HBITMAP BackgroundPicture(int dpi) {
    ArtworkAtDpi& at = AtDpi(dpi);
    if (!at.BackgroundLoaded) {
        at.BackgroundLoaded = true;
        at.Background = MakeBackground(dpi);
    }
    return at.Background;
}

HBRUSH BackgroundBrush(int dpi) {
    HBITMAP picture = BackgroundPicture(dpi);
    ArtworkAtDpi& at = AtDpi(dpi);
    if (!at.BackgroundBrush && picture)
        at.BackgroundBrush = CreatePatternBrush(picture);
    return at.BackgroundBrush;
}

namespace {

HFONT CachedFont(int dpi, HFONT ArtworkAtDpi::*slot, int height, int weight) {
    ArtworkAtDpi& at = AtDpi(dpi);
    if (!(at.*slot))
        at.*slot = MakeVerdana(-Scaled(height, dpi), weight);
    return at.*slot;
}

} // namespace

HFONT PageFont(int dpi) {
    return CachedFont(dpi, &ArtworkAtDpi::PageFont, 11, FW_NORMAL);
}

HFONT TitleFont(int dpi) {
    return CachedFont(dpi, &ArtworkAtDpi::TitleFont, 13, FW_BOLD);
}

HFONT BoldPageFont(int dpi) {
    return CachedFont(dpi, &ArtworkAtDpi::BoldPageFont, 11, FW_BOLD);
}

HICON InstallerIcon(int size) {
    for (const auto& [known, icon] : icons)
        if (known == size)
            return icon;
    // Not shared: Windows hands a shared icon out at the size it was first
    // loaded at, whatever size is asked for later.
    auto icon = static_cast<HICON>(LoadImageA(
        GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_INSTALLER), IMAGE_ICON, size, size, 0));
    if (icon)
        icons.emplace_back(size, icon);
    return icon;
}

HIMAGELIST LoadImageStrip(int bitmapId, int dpi) {
    constexpr int Drawn = 16;
    HBITMAP strip =
        static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!strip)
        return nullptr;
    BITMAP info = {};
    GetObjectA(strip, sizeof info, &info);
    const int count = info.bmWidth / Drawn;
    const int tile = Scaled(Drawn, dpi);
    if (tile != Drawn) {
        HBITMAP scaled = ResampledBitmap(strip, count * tile, tile, true, RGB(255, 0, 255));
        DeleteObject(strip);
        if (!scaled)
            return nullptr;
        strip = scaled;
    }
    HIMAGELIST list = ImageList_Create(tile, tile, ILC_COLOR24 | ILC_MASK, count, 0);
    if (list)
        ImageList_AddMasked(list, strip, RGB(255, 0, 255));
    DeleteObject(strip);
    return list;
}

void ReleaseArtwork() {
    auto release = [](auto& object) {
        if (object)
            DeleteObject(object);
        object = nullptr;
    };
    for (ArtworkAtDpi& at : artwork) {
        release(at.BackgroundBrush);
        release(at.Background);
        release(at.PageFont);
        release(at.TitleFont);
        release(at.BoldPageFont);
    }
    artwork.clear();
    for (const auto& [size, icon] : icons)
        DestroyIcon(icon);
    icons.clear();
}
