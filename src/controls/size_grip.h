// The size grip: a 15 x 15 square in the bottom-right corner of a window's client area
// (bottom-left when it reads right to left), drawn with ridges or dots, where a drag resizes
// the window as its frame corner would. It has no window of its own: it puts its handler in
// front of the target control's WindowProc chain and draws after the target has painted.
#pragma once

#include <windows.h>

#include <cstdint>

#include "toolkit/component.h"
#include "toolkit/control.h"

enum TSizeGripStyle : std::uint8_t { sgsClassic, sgsWinXP };

class TSizeGrip : public TComponent {
  public:
    // An owner that is a control makes the target: itself, or the parent of a control that
    // is not a window of its own. Any other owner leaves the grip without a target.
    explicit TSizeGrip(TComponent* owner);
    ~TSizeGrip() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    TControl* TargetControl() const { return FTargetControl; }
    void SetTargetControl(TControl* target);
    TSizeGripStyle Style() const { return FStyle; }
    void SetStyle(TSizeGripStyle style);

    // The square in the target's client coordinates while attached, else empty.
    const RECT& GripRect() const { return FGripRect; }
    // Whether the grip's handler stands in front of the target's.
    bool Hooked() const { return FHook.Joined(); }

  protected:
    void Notification(TComponent* component, TOperation operation) override;

    virtual RECT GetGripRect();
    virtual void PaintGrip(HDC dc, const RECT& rect);
    virtual void TargetWndProc(TMessage& message);
    // Whether the target reads right to left with its scroll bar on the left, on a system
    // that supports right-to-left languages.
    virtual bool UseRightToLeftScrollBar();

    void InvalidateGrip();
    void UpdateGrip();
    void HookTarget();
    void UnhookTarget();

  private:
    // The target's handler, behind the grip's.
    void PassOn(TMessage& message) { FHook.PassOn(message); }
    // The dpi of the target's form, which the square and its pixels are scaled to.
    int GripDpi();
    bool HandleTargetMessage(TMessage& message);
    void FollowTargetMessage(const TMessage& message);
    bool InvalidateBeforeSize();
    void FollowTargetSize();
    void PaintOverTarget(const TMessage& message);
    bool HitTestGrip(TMessage& message);

    TControl* FTargetControl = nullptr;
    bool FEnabled = true;
    TSizeGripStyle FStyle = sgsClassic;
    RECT FGripRect{0, 0, 0, 0};
    TWindowProcHook FHook;
};
