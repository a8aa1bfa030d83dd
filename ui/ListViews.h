// Small helpers for report-style list views: columns, rows and their parts.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

// Adds a column at the end; width in pixels at 96 DPI, scaled to the list view's DPI.
void AddListColumn(HWND list, const char* header, int width, int format = LVCFMT_LEFT);

// Appends a row with its first-column text, image (negative: none) and data
// reference; returns its index, or -1 when the list refused it.
int AppendListRow(HWND list, const std::string& caption, int image, LPARAM data);

// Sets the text of one column of a row (subItem 1 is the second column).
void SetListText(HWND list, int row, int subItem, const std::string& text);
// Negative: no image.
void SetListImage(HWND list, int row, int image);

int ListRowCount(HWND list);
std::string ListText(HWND list, int row, int subItem);
int ListImage(HWND list, int row);
LPARAM ListData(HWND list, int row);
