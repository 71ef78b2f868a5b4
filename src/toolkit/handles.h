// Move-only owners of Win32 handles. Every handle the program creates is held by one of
// these, so it is released on every path, exceptions included. Each kind keeps a count of
// its live handles, which the soak tests read to prove that nothing leaks.
#pragma once

#include <windows.h>

#include <utility>

template <typename Traits>
class TUnique {
  public:
    using Handle = typename Traits::Handle;

    TUnique() noexcept = default;
    explicit TUnique(Handle handle) noexcept : FHandle(handle) {
        if (*this) ++FLive;
    }
    TUnique(const TUnique&) = delete;
    TUnique& operator=(const TUnique&) = delete;
    TUnique(TUnique&& other) noexcept : FHandle(other.Release()) {
        if (*this) ++FLive;
    }
    TUnique& operator=(TUnique&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    ~TUnique() { Reset(); }

    Handle Get() const noexcept { return FHandle; }
    explicit operator bool() const noexcept { return FHandle != Traits::Invalid(); }

    // Gives up ownership without closing.
    Handle Release() noexcept {
        if (*this) --FLive;
        return std::exchange(FHandle, Traits::Invalid());
    }

    void Reset(Handle handle = Traits::Invalid()) noexcept {
        if (handle == FHandle) return;
        if (*this) {
            --FLive;
            Traits::Close(FHandle);
        }
        FHandle = handle;
        if (*this) ++FLive;
    }

    static int LiveCount() noexcept { return FLive; }

  private:
    Handle FHandle = Traits::Invalid();
    static inline int FLive = 0;  // the program has one thread; no atomics needed
};

template <typename H, auto CloseFn, H InvalidValue = nullptr>
struct THandleTraits {
    using Handle = H;
    static constexpr Handle Invalid() noexcept { return InvalidValue; }
    static void Close(Handle h) noexcept { CloseFn(h); }
};

inline void DeleteGdiObject(HGDIOBJ h) noexcept {
    DeleteObject(h);
}
inline void DeleteAtomValue(ATOM a) noexcept {
    GlobalDeleteAtom(a);
}

using TFontHandle = TUnique<THandleTraits<HFONT, DeleteGdiObject>>;
using TBitmapHandle = TUnique<THandleTraits<HBITMAP, DeleteGdiObject>>;
using TPenHandle = TUnique<THandleTraits<HPEN, DeleteGdiObject>>;
using TBrushHandle = TUnique<THandleTraits<HBRUSH, DeleteGdiObject>>;
using TRegionHandle = TUnique<THandleTraits<HRGN, DeleteGdiObject>>;
using TIconHandle = TUnique<THandleTraits<HICON, DestroyIcon>>;
using TMemoryDC = TUnique<THandleTraits<HDC, DeleteDC>>;
using TGlobalMemory = TUnique<THandleTraits<HGLOBAL, GlobalFree>>;
using TGlobalAtom = TUnique<THandleTraits<ATOM, DeleteAtomValue, ATOM{0}>>;
using TWindowHandle = TUnique<THandleTraits<HWND, DestroyWindow>>;
using TEventHandle = TUnique<THandleTraits<HANDLE, CloseHandle>>;

// A DC from GetDC, released to its window.
class TWindowDC {
  public:
    explicit TWindowDC(HWND window) noexcept : FWindow(window), FDC(GetDC(window)) {}
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    ~TWindowDC() {
        if (FDC) ReleaseDC(FWindow, FDC);
    }
    HDC Get() const noexcept { return FDC; }
    explicit operator bool() const noexcept { return FDC != nullptr; }

  private:
    HWND FWindow;
    HDC FDC;
};

// BeginPaint/EndPaint.
class TPaintDC {
  public:
    explicit TPaintDC(HWND window) noexcept : FWindow(window) { FDC = BeginPaint(window, &FPaint); }
    TPaintDC(const TPaintDC&) = delete;
    TPaintDC& operator=(const TPaintDC&) = delete;
    ~TPaintDC() { EndPaint(FWindow, &FPaint); }
    HDC Get() const noexcept { return FDC; }
    const RECT& PaintRect() const noexcept { return FPaint.rcPaint; }

  private:
    HWND FWindow;
    PAINTSTRUCT FPaint{};
    HDC FDC = nullptr;
};

// Selects an object into a DC and puts the previous one back.
class TSelectObject {
  public:
    TSelectObject(HDC dc, HGDIOBJ object) noexcept : FDC(dc), FOld(SelectObject(dc, object)) {}
    TSelectObject(const TSelectObject&) = delete;
    TSelectObject& operator=(const TSelectObject&) = delete;
    ~TSelectObject() {
        if (FOld && FOld != HGDI_ERROR) SelectObject(FDC, FOld);
    }

  private:
    HDC FDC;
    HGDIOBJ FOld;
};

// A registered hot key, unregistered with its window and identifier.
class THotKey {
  public:
    THotKey() noexcept = default;
    THotKey(const THotKey&) = delete;
    THotKey& operator=(const THotKey&) = delete;
    ~THotKey() { Unregister(); }
    bool Register(HWND window, int id, UINT modifiers, UINT key) noexcept {
        Unregister();
        if (!RegisterHotKey(window, id, modifiers, key)) return false;
        FWindow = window;
        FId = id;
        FRegistered = true;
        return true;
    }
    void Unregister() noexcept {
        if (FRegistered) UnregisterHotKey(FWindow, FId);
        FRegistered = false;
    }
    bool Registered() const noexcept { return FRegistered; }

  private:
    HWND FWindow = nullptr;
    int FId = 0;
    bool FRegistered = false;
};

// The clipboard, open for as long as the object lives.
class TClipboardOpen {
  public:
    explicit TClipboardOpen(HWND owner) noexcept : FOpen(OpenClipboard(owner) != FALSE) {}
    TClipboardOpen(const TClipboardOpen&) = delete;
    TClipboardOpen& operator=(const TClipboardOpen&) = delete;
    ~TClipboardOpen() {
        if (FOpen) CloseClipboard();
    }
    explicit operator bool() const noexcept { return FOpen; }

  private:
    bool FOpen;
};

// Global memory locked for as long as the object lives.
template <typename T>
class TGlobalLock {
  public:
    explicit TGlobalLock(HGLOBAL memory) noexcept
        : FMemory(memory), FData(static_cast<T*>(GlobalLock(memory))) {}
    TGlobalLock(const TGlobalLock&) = delete;
    TGlobalLock& operator=(const TGlobalLock&) = delete;
    ~TGlobalLock() {
        if (FData) GlobalUnlock(FMemory);
    }
    T* Get() const noexcept { return FData; }

  private:
    HGLOBAL FMemory;
    T* FData;
};
