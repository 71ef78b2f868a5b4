// The progress wheel: a disc whose done sector grows clockwise from a start angle as Position
// moves from Min to Max, with an optional inner disc that makes it a ring and the percentage
// written across it. Drawn three times larger and averaged down for smooth edges.
#pragma once

#include <functional>
#include <string>

#include "core/wheel_model.h"
#include "toolkit/control.h"

using velkari::TGradientMode;
using velkari::TProgressAlign;
using enum velkari::TGradientMode;
using enum velkari::TProgressAlign;

// Hands a text to its handler, which may replace it.
using TStringEvent = std::function<void(TObject* sender, std::wstring& text)>;

class TProgressWheel : public TControl {
  public:
    explicit TProgressWheel(TComponent* owner);

    // Every setter clamps its value, and an unchanged value changes nothing: no repaint.
    TProgressAlign ProgressAlign() const { return FWheel.ProgressAlign(); }
    void SetProgressAlign(TProgressAlign value);
    TColor ColorDoneMin() const { return FWheel.ColorDoneMin(); }
    void SetColorDoneMin(TColor value);
    TColor ColorDoneMax() const { return FWheel.ColorDoneMax(); }
    void SetColorDoneMax(TColor value);
    TColor ColorRemain() const { return FWheel.ColorRemain(); }
    void SetColorRemain(TColor value);
    TColor ColorInner() const { return FWheel.ColorInner(); }
    void SetColorInner(TColor value);
    int StartAngle() const { return FWheel.StartAngle(); }
    void SetStartAngle(int value);
    int Min() const { return FWheel.Min(); }
    void SetMin(int value);
    int Max() const { return FWheel.Max(); }
    void SetMax(int value);
    int Position() const { return FWheel.Position(); }
    void SetPosition(int value);
    int InnerSize() const { return FWheel.InnerSize(); }
    void SetInnerSize(int value);
    bool ShowText() const { return FWheel.ShowText(); }
    void SetShowText(bool value);
    TGradientMode GradientMode() const { return FWheel.GradientMode(); }
    void SetGradientMode(TGradientMode value);

    // Lets the owner change the percentage text before it is drawn.
    TStringEvent OnText;

    // The text a paint would draw now: the percentage as OnText leaves it.
    std::wstring DisplayText();
    // Whether the cached angle-gradient image exists (exactly while the mode is gmAngle).
    bool HasGradientBitmap() const { return FWheel.GradientImage() != nullptr; }

    // A screen reader sees a progress bar whose value is the percentage done.
    long AccessibleRole() const override;
    std::wstring AccessibleValue() const override;

  protected:
    void WndProc(TMessage& message) override;
    // The gradient holds the system colours it was made with.
    void SystemLookChanged(bool colorsChanged) override;
    void Paint(HDC dc) override;

  private:
    void Changed(velkari::TWheelUpdate update);
    void RebuildGradient();
    bool HandleMessage(TMessage& message);
    bool WMSize();
    bool SkipErase(TMessage& message);
    bool ReturnFocus(const TMessage& message);
    void DrawPercentText(HDC dc);

    velkari::TWheelModel FWheel;
};
