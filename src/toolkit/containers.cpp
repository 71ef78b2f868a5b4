// Panels and scroll boxes.
#include "containers.h"

#include <algorithm>

namespace {

void PaintBevel(HDC dc, RECT& r, TBevelCut cut) {
    if (cut == bvNone) return;
    if (cut == bvRaised)
        Frame3D(dc, r, clBtnHighlight, clBtnShadow);
    else
        Frame3D(dc, r, clBtnShadow, clBtnHighlight);
}

constexpr int kLineStep = 8;

}  // namespace

TPanel::TPanel(TComponent* owner) : TControl(owner) {}

void TPanel::SetBevel(TBevelCut& bevel, TBevelCut cut) {
    if (cut == bevel) return;
    bevel = cut;
    Invalidate();
}

void TPanel::CreateParams(TCreateParams& params) {
    TControl::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
    params.ExStyle |= WS_EX_CONTROLPARENT;
}

void TPanel::Paint(HDC dc) {
    RECT r = ClientRect();
    PaintBevel(dc, r, FBevelOuter);
    PaintBevel(dc, r, FBevelInner);
}

TScrollBox::TScrollBox(TComponent* owner) : TControl(owner) {}

void TScrollBox::CreateParams(TCreateParams& params) {
    TControl::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN | WS_HSCROLL | WS_VSCROLL;
    params.ExStyle |= WS_EX_CLIENTEDGE | WS_EX_CONTROLPARENT;
}

void TScrollBox::HandleCreated() {
    Realign();
}

int TScrollBox::Extent(int axis) const {
    int extent = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        const TControl* c = Controls(i);
        if (!c->Visible()) continue;
        const int end = axis == 0 ? c->Left() + c->Width() : c->Top() + c->Height();
        extent = std::max(extent, end + FPosition[axis]);
    }
    return extent;
}

int TScrollBox::PageSize(int axis) const {
    RECT client{};
    GetClientRect(FHandle, &client);
    return axis == 0 ? client.right : client.bottom;
}

void TScrollBox::Realign() {
    if (!FHandle || FRealigning) return;
    FRealigning = true;
    // Showing one bar narrows the room for the other, so settle twice.
    for (int pass = 0; pass < 2; ++pass) {
        for (int axis = 0; axis < 2; ++axis) {
            SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
            info.nMax = std::max(0, Extent(axis) - 1);
            info.nPage = static_cast<UINT>(std::max(0, PageSize(axis)));
            info.nPos = FPosition[axis];
            SetScrollInfo(FHandle, axis == 0 ? SB_HORZ : SB_VERT, &info, TRUE);
        }
    }
    FRealigning = false;
    ScrollTo(FPosition[0], FPosition[1]);
}

void TScrollBox::ScrollTo(int x, int y) {
    ScrollAxis(0, x);
    ScrollAxis(1, y);
}

void TScrollBox::ScrollAxis(int axis, int position) {
    const int limit = FHandle ? std::max(0, Extent(axis) - PageSize(axis)) : 0;
    position = std::clamp(position, 0, limit);
    const int delta = FPosition[axis] - position;
    if (delta == 0) return;
    FPosition[axis] = position;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (axis == 0)
            c->SetBounds(c->Left() + delta, c->Top(), c->Width(), c->Height());
        else
            c->SetBounds(c->Left(), c->Top() + delta, c->Width(), c->Height());
    }
    if (FHandle) SetScrollPos(FHandle, axis == 0 ? SB_HORZ : SB_VERT, position, TRUE);
}

void TScrollBox::ScrollMessage(int axis, WORD code) {
    SCROLLINFO info{sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(FHandle, axis == 0 ? SB_HORZ : SB_VERT, &info);
    int position = FPosition[axis];
    const int page = static_cast<int>(info.nPage);
    switch (code) {
        case SB_LINEUP:
            position -= kLineStep;
            break;
        case SB_LINEDOWN:
            position += kLineStep;
            break;
        case SB_PAGEUP:
            position -= page;
            break;
        case SB_PAGEDOWN:
            position += page;
            break;
        case SB_THUMBTRACK:  // the view follows the thumb while it is dragged
        case SB_THUMBPOSITION:
            position = info.nTrackPos;
            break;
        case SB_TOP:
            position = 0;
            break;
        case SB_BOTTOM:
            position = info.nMax;
            break;
        default:
            return;
    }
    ScrollAxis(axis, position);
}

bool TScrollBox::HandleMessage(TMessage& message) {
    switch (message.Msg) {
        case WM_HSCROLL:
        case WM_VSCROLL:
            return ScrollBarMessage(message);
        case WM_SIZE:
            return Resized(message);
    }
    return TControl::HandleMessage(message);
}

bool TScrollBox::ScrollBarMessage(TMessage& message) {
    if (message.LParam != 0) return TControl::HandleMessage(message);  // a scroll bar inside
    ScrollMessage(message.Msg == WM_HSCROLL ? 0 : 1, LOWORD(message.WParam));
    return true;
}

bool TScrollBox::Resized(TMessage& message) {
    // After the window's own handling of the new size.
    if (!TControl::HandleMessage(message)) DefaultHandler(message);
    Realign();
    return true;
}
