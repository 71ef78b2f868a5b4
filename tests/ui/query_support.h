// Reaching into a shown input query dialog from a test step: the form, its fields and
// buttons, posted clicks, steps that wait for it, and pictures of the screen.
#pragma once

#include <windows.h>

#include <functional>
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
// A step that waits until the dialog's first field, a list field, shows the text, then does
// the action.
TModalScript::TStep WhenListFieldShows(TInputQueryForm*& dialog, std::wstring text,
                                       std::function<void()> action);

// The title the tests give their query dialogs, and a list of font names to offer.
inline constexpr wchar_t kQueryTitle[] = L"Query Under Test";
inline const std::vector<std::wstring> kQueryFonts{L"Arial", L"Courier New", L"Tahoma",
                                                   L"Times New Roman"};
// Runs InputQueryList with the steps, then checks that the script ran to its end and the
// dialog is gone.
bool RunListQuery(std::wstring& value, const std::vector<std::wstring>* list,
                  std::vector<TModalScript::TStep> steps);
// A control's window rectangle on the screen, frame included.
RECT OuterRect(TControl* control);
