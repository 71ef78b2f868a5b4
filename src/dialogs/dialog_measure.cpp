// Measuring and placing in the dialogs.
#include "dialog_measure.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t));

velkari::TDialogUnits MeasureDialogUnits(HDC dc) {
    const auto& sample = velkari::kDialogUnitSample;
    SIZE extent{0, 0};
    // A DC that cannot measure gives zero units; every size then collapses to its pixel part.
    GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(sample.data()),
                          static_cast<int>(sample.size()), &extent);
    return velkari::DialogUnitsFromExtent(extent.cx, extent.cy);
}

TDialogCanvas::TDialogCanvas(TControl* control)
    : FDC(control->Handle()), FFont(FDC.Get(), control->Font().Handle()) {}

int TDialogCanvas::TextWidth(const std::wstring& text) const {
    SIZE extent{0, 0};
    GetTextExtentPoint32W(FDC.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
    return extent.cx;
}

int TDialogCanvas::LineHeight() const {
    TEXTMETRICW metrics{};
    GetTextMetricsW(FDC.Get(), &metrics);
    return metrics.tmHeight;
}

int TDialogCanvas::BaselineOffset(TControl* control) const {
    // The text starts below the window's frame; a control without a window has none.
    int frame = 0;
    if (control->Windowed()) {
        RECT window;
        GetWindowRect(control->Handle(), &window);
        frame = static_cast<int>(control->ClientOrigin().y - window.top);
    }
    TEXTMETRICW metrics{};
    GetTextMetricsW(FDC.Get(), &metrics);
    return frame + metrics.tmAscent + 1;
}

void Place(TControl* control, const velkari::TBox& box) {
    control->SetBounds(box.Left, box.Top, box.Width, box.Height);
}
