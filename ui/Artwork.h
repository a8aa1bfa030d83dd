// The artwork all pages share, loaded from the executable's resources: the
// background picture, the fonts, the icon, image strips and text resources.
#pragma once

#include "DisplayScale.h"

#include <windows.h>
#include <commctrl.h>

#include <string>

// The background picture at this DPI (600 x 400 at 96 DPI), made once per DPI from the drawing
// for the nearest scale at or above it (100 % or 200 %), area-averaged where the sizes differ;
// null when the resource is missing or unreadable (pages then show the button-face colour).
HBITMAP BackgroundPicture(int dpi = LayoutDpi);

// A pattern brush of that picture, painted behind transparent labels (aligned to the label
// with SetBrushOrgEx); null without a picture.
HBRUSH BackgroundBrush(int dpi = LayoutDpi);

// Verdana 8 point (11 pixels at 96 DPI): every control's font.
HFONT PageFont(int dpi = LayoutDpi);
// Verdana bold 10 point (13 pixels at 96 DPI): the page titles.
HFONT TitleFont(int dpi = LayoutDpi);
// Verdana bold 8 point: labels that stand out.
HFONT BoldPageFont(int dpi = LayoutDpi);

// The installer's icon at this size in pixels, made from the image of the
// icon resource nearest to it, kept until ReleaseArtwork; null when missing.
HICON InstallerIcon(int size);

// An image list cut from a strip of 16 x 16 images in a bitmap resource, magenta (255, 0, 255)
// transparent, area-averaged to the DPI; null when the resource is missing. The caller owns it
// (a list view given it without LVS_SHAREIMAGELISTS destroys it).
HIMAGELIST LoadImageStrip(int bitmapId, int dpi = LayoutDpi);

// The bytes of an RCDATA resource; empty when missing.
std::string LoadDataResource(int id);

// Releases every DPI's pictures, brushes, fonts and icons at exit, once no window uses them.
void ReleaseArtwork();
