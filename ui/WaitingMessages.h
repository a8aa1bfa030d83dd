// Serves a page's waiting messages from inside a long call on the UI thread (the service calling
// back while it installs), so that the page repaints, moves and answers other programs.
#pragma once

#include <windows.h>

// Handles this thread's waiting messages without blocking, keys through the page's dialog
// manager. Keys and clicks on the page's controls other than `button` are dropped, except Esc
// and Tab (the page's Cancel and focus moves). A quit message is left for the outer loop.
void ServeWaitingMessagesOf(HWND page, HWND button);

// True for input to the page that is dropped while it is served this way.
bool IsDroppedInput(const MSG& message, HWND page, HWND button);
