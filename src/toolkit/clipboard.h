// The clipboard as Unicode text.
#pragma once

#include <windows.h>

#include <string>

// Replaces the clipboard's contents with the text; raises an error when the clipboard
// cannot be opened or the memory cannot be had.
void SetClipboardText(HWND owner, const std::wstring& text);
// The clipboard's text, or empty when it holds none.
std::wstring GetClipboardText(HWND owner);
