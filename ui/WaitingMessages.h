// Serving a page's waiting window messages from inside a long call on the
// user-interface thread (the service calling back while it installs), so
// that the page repaints, moves and answers other programs.
#pragma once

#include <windows.h>

// Handles the messages waiting for this thread without blocking: painting,
// moving, sizing and system messages as usual, keys through the page's dialog
// manager. Keys and clicks aimed at the page's controls other than `button`
// are dropped, except Esc and Tab, which the dialog manager turns into the
// page's Cancel and focus moves. A quit message is left for the outer loop.
void ServeWaitingMessagesOf(HWND page, HWND button);

// True for input to the page that is dropped while it is served this way.
bool IsDroppedInput(const MSG& message, HWND page, HWND button);
