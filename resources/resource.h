/* Resource identifiers of the installer's executable, shared by the resource
   scripts and the wizard's code. */
#pragma once

/* The icon of every window (48, 40, 32, 24, 20 and 16 pixels, 16 colours). */
#define IDI_INSTALLER 1

/* The 600 x 400 JPEG background picture of every page (RCDATA), and the
   same picture drawn at 1200 x 800 for larger display scales. */
#define IDR_BACKGROUND 101
#define IDR_BACKGROUND_200 105

/* The licence agreement: plain text, code page 1252, CRLF lines (RCDATA). */
#define IDR_LICENSE 102

/* Strips of 16 x 16 images, magenta (255, 0, 255) transparent:
   the three row states of the progress and completion pages, and the eleven
   component tiles of the selection page. */
#define IDB_STATUS 103
#define IDB_COMPONENTS 104
