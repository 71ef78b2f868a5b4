// Small routines of the main window: the caption's version text and the key states that
// decide a letter's case.
#pragma once

#include <string>

// The version text of a file's version resource ("2.9", "2.9 (Build 1.17)"); the program's
// own executable when the name is empty; empty when the file has no version resource.
std::wstring GetVersionText(const std::wstring& fileName = L"");

// The Caps Lock toggle and the Shift key, as this thread's input last saw them.
bool IsCapsLockOn();
bool IsShiftDown();

// Between the toolkit's UTF-16 wchar_t text and the core's char16_t text.
std::u16string ToU16(const std::wstring& text);
std::wstring FromU16(const std::u16string& text);
