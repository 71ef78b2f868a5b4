// Reaching into a shown input query dialog from a test step: the form, its fields and
// buttons, and clicks and text that arrive as a user's would.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "controls/list_combo_box.h"
#include "modal_script.h"
#include "dialogs/input_query.h"
#include "toolkit/std_controls.h"

// The shown query dialog with this title, or null.
TInputQueryForm* FindQueryDialog(const std::wstring& title);
// The dialog's fields (edits and combo boxes) and labels, top to bottom.
std::vector<TControl*> QueryFields(TInputQueryForm* dialog);
std::vector<TLabel*> QueryLabels(TInputQueryForm* dialog);
// The dialog's Cancel button.
TButton* CancelButton(TInputQueryForm* dialog);
// Presses a button as a click would, without waiting for the click to be handled.
void PostClick(TControl* button);
// A field's text, whichever kind it is.
std::wstring FieldText(TControl* field);
// The window that takes the keyboard in a field: the edit, or the combo box's edit part.
HWND FieldKeyWindow(TControl* field);
// The client rectangle of a window in screen coordinates.
RECT ScreenClientRect(HWND window);
// Moves the mouse to a screen point as real input.
void MoveMouseTo(int x, int y);
// Presses or releases the left mouse button at a screen point as real input.
void LeftButtonAt(int x, int y, bool down);
// Types text as key presses without handling messages: the modal loop that called the
// step will.
void SendText(const std::wstring& text);
// The whole screen saved as a 24-bit BMP file.
void SaveScreen(const std::wstring& path);
// Where a screenshot of that name goes: VELKARI_SCREENSHOT_DIR (a Windows path), or empty
// when it is not set.
std::wstring ScreenshotPath(const wchar_t* name);

// A step that waits until the dialog with the title is up, in front, with the focus in its
// first field; it leaves the dialog in the variable.
TModalScript::TStep WaitForQueryDialog(const wchar_t* title, TInputQueryForm*& dialog);
// The dialog's first field as a list field, or null when it is a plain one.
TMyComboBox* FirstListField(TInputQueryForm* dialog);
