// Shared artwork, created on first use and kept until ReleaseArtwork.
#include "Artwork.h"

#include "Picture.h"
#include "resource.h"

namespace {

HBITMAP background = nullptr;
bool backgroundLoaded = false;
HBRUSH backgroundBrush = nullptr;
HFONT pageFont = nullptr;
HFONT titleFont = nullptr;
HFONT boldPageFont = nullptr;

HFONT MakeVerdana(int height, int weight) {
    LOGFONTA font = {};
    font.lfHeight = height;
    font.lfWeight = weight;
    font.lfCharSet = ANSI_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    lstrcpynA(font.lfFaceName, "Verdana", LF_FACESIZE);
    return CreateFontIndirectA(&font);
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

HBITMAP BackgroundPicture() {
    if (!backgroundLoaded) {
        backgroundLoaded = true;
        const std::string jpeg = LoadDataResource(IDR_BACKGROUND);
        if (!jpeg.empty())
            background = DecodeJpeg(jpeg.data(), jpeg.size());
    }
    return background;
}

HBRUSH BackgroundBrush() {
    if (!backgroundBrush && BackgroundPicture())
        backgroundBrush = CreatePatternBrush(background);
    return backgroundBrush;
}

HFONT PageFont() {
    if (!pageFont)
        pageFont = MakeVerdana(-11, FW_NORMAL);
    return pageFont;
}

HFONT TitleFont() {
    if (!titleFont)
        titleFont = MakeVerdana(-13, FW_BOLD);
    return titleFont;
}

HFONT BoldPageFont() {
    if (!boldPageFont)
        boldPageFont = MakeVerdana(-11, FW_BOLD);
    return boldPageFont;
}

HICON InstallerIcon(int size) {
    // Shared icons come from the module's own resources and are never freed.
    return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_INSTALLER),
                                         IMAGE_ICON, size, size, LR_SHARED));
}

HIMAGELIST LoadImageStrip(int bitmapId) {
    constexpr int Tile = 16;
    HBITMAP strip =
        static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!strip)
        return nullptr;
    BITMAP info = {};
    GetObjectA(strip, sizeof info, &info);
    const int count = info.bmWidth / Tile;
    HIMAGELIST list = ImageList_Create(Tile, Tile, ILC_COLOR24 | ILC_MASK, count, 0);
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
    release(backgroundBrush);
    release(background);
    release(pageFont);
    release(titleFont);
    release(boldPageFont);
    backgroundLoaded = false;
}
