// Containers: a panel with bevels, and a scroll box whose scroll bars reach the parts of its
// controls that lie outside it.
#pragma once

#include "control.h"

enum TBevelCut { bvNone, bvLowered, bvRaised };

class TPanel : public TControl {
  public:
    explicit TPanel(TComponent* owner);

    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut cut) { SetBevel(FBevelInner, cut); }
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut cut) { SetBevel(FBevelOuter, cut); }

  protected:
    void CreateParams(TCreateParams& params) override;
    void Paint(HDC dc) override;

  private:
    // A bevel takes a new cut; the panel paints again when it differs.
    void SetBevel(TBevelCut& bevel, TBevelCut cut);

    TBevelCut FBevelInner = bvNone;
    TBevelCut FBevelOuter = bvRaised;
};

// Scrolling moves the controls inside, as their Left and Top show; the scroll ranges cover
// the controls' extent at position 0. A sunken border, like the system's list boxes.
class TScrollBox : public TControl {
  public:
    explicit TScrollBox(TComponent* owner);

    int HorzPosition() const { return FPosition[0]; }
    int VertPosition() const { return FPosition[1]; }
    void ScrollTo(int x, int y);
    // Fits the scroll bars to the controls; call after a control inside changed its size.
    void Realign();

  protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    bool HandleMessage(TMessage& message) override;

  private:
    // Axis 0 is horizontal, 1 vertical.
    int Extent(int axis) const;
    int PageSize(int axis) const;
    void ScrollAxis(int axis, int position);
    void ScrollMessage(int axis, WORD code);
    bool ScrollBarMessage(TMessage& message);
    bool Resized(TMessage& message);

    int FPosition[2] = {0, 0};
    bool FRealigning = false;  // showing a bar resizes the box, which realigns again
};
