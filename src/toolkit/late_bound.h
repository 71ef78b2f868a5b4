// Functions of the system libraries that only some uses of the program need: a screen
// reader's (COM, the accessibility library), the tones' (the multimedia library), saving a
// picture's (the common dialogs), a call's (the shell) and a form's icon (the theme
// library, which keeps it out of a dialog frame's caption); and the version library, which
// is no known DLL of the system, so that an import of it would be looked for beside the
// program first. Each library is loaded when one
// of its functions is first called, so a start-up that needs none of them does not load
// them, nor what they load in turn (the sound codecs, the RPC runtime, the print spooler).
// A library that cannot be loaded makes the call fail as the real one would.
#pragma once

#include <windows.h>
#include <commdlg.h>
#include <mmsystem.h>
#include <oleacc.h>
#include <shellapi.h>
#include <shlwapi.h>
#include <uxtheme.h>

#include <string>

// The system library's function of the name, of the function type F, or null where this
// Windows lacks it. The library is loaded by its full path in the system folder, never from
// beside the program, and stays loaded.
template <typename F>
F* SystemFunction(const wchar_t* library, const char* name) {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::wstring path = std::wstring(folder, length) + L"\\" + library;
    HMODULE module = LoadLibraryW(path.c_str());
    if (!module) return nullptr;
    return reinterpret_cast<F*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

namespace late {

HRESULT CoInitializeEx(void* reserved, DWORD flags);
HRESULT CoDisconnectObject(IUnknown* object, DWORD reserved);
HRESULT CoCreateInstance(REFCLSID type, IUnknown* outer, DWORD context, REFIID iid, void** out);
BSTR SysAllocStringLen(const OLECHAR* text, UINT length);
void VariantInit(VARIANT* variant);
HRESULT AccessibleObjectFromWindow(HWND window, DWORD object, REFIID iid, void** out);
HRESULT CreateStdAccessibleObject(HWND window, LONG object, REFIID iid, void** out);
LRESULT LresultFromObject(REFIID iid, WPARAM wParam, IUnknown* object);
BOOL sndPlaySoundW(LPCWSTR sound, UINT flags);
MMRESULT waveOutOpen(HWAVEOUT* device, UINT id, const WAVEFORMATEX* format, DWORD_PTR callback,
                     DWORD_PTR instance, DWORD flags);
MMRESULT waveOutPrepareHeader(HWAVEOUT device, WAVEHDR* header, UINT size);
MMRESULT waveOutWrite(HWAVEOUT device, WAVEHDR* header, UINT size);
MMRESULT waveOutUnprepareHeader(HWAVEOUT device, WAVEHDR* header, UINT size);
MMRESULT waveOutReset(HWAVEOUT device);
MMRESULT waveOutClose(HWAVEOUT device);
BOOL GetSaveFileNameW(OPENFILENAMEW* dialog);
DWORD CommDlgExtendedError();
BOOL ShellExecuteExW(SHELLEXECUTEINFOW* info);
HRESULT AssocQueryStringW(ASSOCF flags, ASSOCSTR what, LPCWSTR association, LPCWSTR extra,
                          LPWSTR out, DWORD* size);
DWORD GetFileVersionInfoSizeW(LPCWSTR file, DWORD* handle);
BOOL GetFileVersionInfoW(LPCWSTR file, DWORD handle, DWORD size, void* data);
BOOL VerQueryValueW(const void* block, LPCWSTR subBlock, void** value, UINT* length);
HRESULT DwmSetWindowAttribute(HWND window, DWORD attribute, const void* value, DWORD size);
HRESULT SetWindowTheme(HWND window, LPCWSTR application, LPCWSTR classes);
HRESULT SetWindowThemeAttribute(HWND window, WINDOWTHEMEATTRIBUTETYPE type, void* attribute,
                                DWORD size);

}  // namespace late
