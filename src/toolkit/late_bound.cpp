// The late-bound system functions: the library is loaded and the function looked up at its
// first call, once; the library stays loaded for the rest of the process.
#include "late_bound.h"

#include <cderr.h>
#include <dwmapi.h>
#include <mmsystem.h>

// The function of the library with the name, of the type of its declaration here.
#define LATE_BOUND(library, function) \
    static auto* const bound = SystemFunction<decltype(::function)>(library, #function)

namespace late {

HRESULT CoInitializeEx(void* reserved, DWORD flags) {
    LATE_BOUND(L"ole32.dll", CoInitializeEx);
    return bound ? bound(reserved, flags) : E_FAIL;
}

HRESULT CoDisconnectObject(IUnknown* object, DWORD reserved) {
    LATE_BOUND(L"ole32.dll", CoDisconnectObject);
    return bound ? bound(object, reserved) : E_FAIL;
}

HRESULT CoCreateInstance(REFCLSID type, IUnknown* outer, DWORD context, REFIID iid, void** out) {
    LATE_BOUND(L"ole32.dll", CoCreateInstance);
    if (bound) return bound(type, outer, context, iid, out);
    if (out) *out = nullptr;
    return E_FAIL;
}

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
    LATE_BOUND(L"oleaut32.dll", SysAllocStringLen);
    return bound ? bound(text, length) : nullptr;
}

void VariantInit(VARIANT* variant) {
    LATE_BOUND(L"oleaut32.dll", VariantInit);
    if (bound)
        bound(variant);
    else
        variant->vt = VT_EMPTY;
}

HRESULT AccessibleObjectFromWindow(HWND window, DWORD object, REFIID iid, void** out) {
    LATE_BOUND(L"oleacc.dll", AccessibleObjectFromWindow);
    if (bound) return bound(window, object, iid, out);
    if (out) *out = nullptr;
    return E_FAIL;
}

HRESULT CreateStdAccessibleObject(HWND window, LONG object, REFIID iid, void** out) {
    LATE_BOUND(L"oleacc.dll", CreateStdAccessibleObject);
    if (bound) return bound(window, object, iid, out);
    if (out) *out = nullptr;
    return E_FAIL;
}

LRESULT LresultFromObject(REFIID iid, WPARAM wParam, IUnknown* object) {
    LATE_BOUND(L"oleacc.dll", LresultFromObject);
    return bound ? bound(iid, wParam, object) : static_cast<LRESULT>(E_FAIL);
}

BOOL sndPlaySoundW(LPCWSTR sound, UINT flags) {
    LATE_BOUND(L"winmm.dll", sndPlaySoundW);
    return bound ? bound(sound, flags) : FALSE;
}

MMRESULT waveOutOpen(HWAVEOUT* device, UINT id, const WAVEFORMATEX* format, DWORD_PTR callback,
                     DWORD_PTR instance, DWORD flags) {
    LATE_BOUND(L"winmm.dll", waveOutOpen);
    return bound ? bound(device, id, format, callback, instance, flags) : MMSYSERR_NODRIVER;
}

MMRESULT waveOutPrepareHeader(HWAVEOUT device, WAVEHDR* header, UINT size) {
    LATE_BOUND(L"winmm.dll", waveOutPrepareHeader);
    return bound ? bound(device, header, size) : MMSYSERR_NODRIVER;
}

MMRESULT waveOutWrite(HWAVEOUT device, WAVEHDR* header, UINT size) {
    LATE_BOUND(L"winmm.dll", waveOutWrite);
    return bound ? bound(device, header, size) : MMSYSERR_NODRIVER;
}

MMRESULT waveOutUnprepareHeader(HWAVEOUT device, WAVEHDR* header, UINT size) {
    LATE_BOUND(L"winmm.dll", waveOutUnprepareHeader);
    return bound ? bound(device, header, size) : MMSYSERR_NODRIVER;
}

MMRESULT waveOutReset(HWAVEOUT device) {
    LATE_BOUND(L"winmm.dll", waveOutReset);
    return bound ? bound(device) : MMSYSERR_NODRIVER;
}

MMRESULT waveOutClose(HWAVEOUT device) {
    LATE_BOUND(L"winmm.dll", waveOutClose);
    return bound ? bound(device) : MMSYSERR_NODRIVER;
}

BOOL GetSaveFileNameW(OPENFILENAMEW* dialog) {
    LATE_BOUND(L"comdlg32.dll", GetSaveFileNameW);
    return bound ? bound(dialog) : FALSE;
}

DWORD CommDlgExtendedError() {
    LATE_BOUND(L"comdlg32.dll", CommDlgExtendedError);
    return bound ? bound() : CDERR_INITIALIZATION;
}

BOOL ShellExecuteExW(SHELLEXECUTEINFOW* info) {
    LATE_BOUND(L"shell32.dll", ShellExecuteExW);
    if (bound) return bound(info);
    SetLastError(ERROR_DLL_INIT_FAILED);
    return FALSE;
}

HRESULT AssocQueryStringW(ASSOCF flags, ASSOCSTR what, LPCWSTR association, LPCWSTR extra,
                          LPWSTR out, DWORD* size) {
    LATE_BOUND(L"shlwapi.dll", AssocQueryStringW);
    return bound ? bound(flags, what, association, extra, out, size) : E_FAIL;
}

DWORD GetFileVersionInfoSizeW(LPCWSTR file, DWORD* handle) {
    LATE_BOUND(L"version.dll", GetFileVersionInfoSizeW);
    return bound ? bound(file, handle) : 0;
}

BOOL GetFileVersionInfoW(LPCWSTR file, DWORD handle, DWORD size, void* data) {
    LATE_BOUND(L"version.dll", GetFileVersionInfoW);
    return bound ? bound(file, handle, size, data) : FALSE;
}

BOOL VerQueryValueW(const void* block, LPCWSTR subBlock, void** value, UINT* length) {
    LATE_BOUND(L"version.dll", VerQueryValueW);
    return bound ? bound(block, subBlock, value, length) : FALSE;
}

HRESULT SetWindowThemeAttribute(HWND window, WINDOWTHEMEATTRIBUTETYPE type, void* attribute,
                                DWORD size) {
    LATE_BOUND(L"uxtheme.dll", SetWindowThemeAttribute);
    return bound ? bound(window, type, attribute, size) : E_NOTIMPL;
}

HRESULT DwmSetWindowAttribute(HWND window, DWORD attribute, const void* value, DWORD size) {
    LATE_BOUND(L"dwmapi.dll", DwmSetWindowAttribute);
    return bound ? bound(window, attribute, value, size) : E_NOTIMPL;
}

HRESULT SetWindowTheme(HWND window, LPCWSTR application, LPCWSTR classes) {
    LATE_BOUND(L"uxtheme.dll", SetWindowTheme);
    return bound ? bound(window, application, classes) : E_NOTIMPL;
}

}  // namespace late
