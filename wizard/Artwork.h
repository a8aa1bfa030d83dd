// The artwork all pages share, loaded from the executable's resources: the
// background picture, the fonts, the icon, image strips and text resources.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

// The 600 x 400 background picture, decoded once; null when the resource is
// missing or unreadable (pages then show the button-face colour).
HBITMAP BackgroundPicture();

// A pattern brush of the background picture: what a transparent label paints
// behind its text (aligned with SetBrushOrgEx to the label's place). Null
// without a picture.
HBRUSH BackgroundBrush();

// Verdana 8 point (11 pixels), ANSI character set: every control's font.
HFONT PageFont();
// Verdana bold 10 point (13 pixels): the page titles.
HFONT TitleFont();
// Verdana bold 8 point: labels that stand out.
HFONT BoldPageFont();

// The installer's icon at 32 or 16 pixels; null when missing.
HICON InstallerIcon(int size);

// An image list of 16 x 16 images cut from a bitmap strip resource, magenta
// (255, 0, 255) transparent; null when the resource is missing. The caller
// owns it (a list view given it without LVS_SHAREIMAGELISTS destroys it).
HIMAGELIST LoadImageStrip(int bitmapId);

// The bytes of an RCDATA resource; empty when missing.
std::string LoadDataResource(int id);

// Releases the pictures, brushes and fonts at exit.
void ReleaseArtwork();
