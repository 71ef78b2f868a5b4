// Reaching into a shown input query dialog from a test step.
#include "query_support.h"

#include <doctest/doctest.h>

#include "core/bmp.h"
#include "toolkit/handles.h"
#include "toolkit/buttons.h"
#include "ui_support.h"

TInputQueryForm* FindQueryDialog(const std::wstring& title) {
    return dynamic_cast<TInputQueryForm*>(TControl::FromHandle(FindThreadWindow(title)));
}

std::vector<TControl*> QueryFields(TInputQueryForm* dialog) {
    std::vector<TControl*> fields;
    for (int i = 0; i < dialog->ControlCount(); ++i) {
        TControl* c = dialog->Controls(i);
        if (dynamic_cast<TEdit*>(c) || dynamic_cast<TComboBox*>(c)) fields.push_back(c);
    }
    return fields;
}

std::vector<TLabel*> QueryLabels(TInputQueryForm* dialog) {
    std::vector<TLabel*> labels;
    for (int i = 0; i < dialog->ControlCount(); ++i)
        if (auto* label = dynamic_cast<TLabel*>(dialog->Controls(i))) labels.push_back(label);
    return labels;
}

TButton* CancelButton(TInputQueryForm* dialog) {
    for (int i = 0; i < dialog->ControlCount(); ++i)
        if (auto* button = dynamic_cast<TButton*>(dialog->Controls(i)); button && button->Cancel())
            return button;
    return nullptr;
}

void PostClick(TControl* button) {
    PostMessageW(button->Handle(), BM_CLICK, 0, 0);
}

std::wstring FieldText(TControl* field) {
    if (auto* edit = dynamic_cast<TEdit*>(field)) return edit->Text();
    if (auto* combo = dynamic_cast<TComboBox*>(field)) return combo->Text();
    return L"<not a field>";
}

HWND FieldKeyWindow(TControl* field) {
    if (auto* combo = dynamic_cast<TMyComboBox*>(field)) return combo->EditHandle();
    return field->Handle();
}

RECT ScreenClientRect(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The whole screen as a 24-bit BMP file.
void SaveScreen(const std::wstring& path) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    TWindowDC screen(nullptr);
    TBitmapHandle bitmap(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    TMemoryDC memory(CreateCompatibleDC(screen.Get()));
    REQUIRE(bitmap);
    {
        TSelectObject select(memory.Get(), bitmap.Get());
        BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), 0, 0, SRCCOPY);
        GdiFlush();
    }
    velkari::TPixelImage image(width, height);
    const auto* pixels = static_cast<const DWORD*>(bits);
    for (int i = 0; i < width * height; ++i)
        image.Pixels[static_cast<size_t>(i)] = pixels[i] & 0xFFFFFF;
    const auto bytes = velkari::EncodeBmp24(image);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    REQUIRE(file != INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    CHECK(written == bytes.size());
}

std::wstring ScreenshotPath(const wchar_t* name) {
    const wchar_t* dir = _wgetenv(L"VELKARI_SCREENSHOT_DIR");
    return dir ? std::wstring(dir) + L"\\" + name : std::wstring();
}

TModalScript::TStep WaitForQueryDialog(const wchar_t* title, TInputQueryForm*& dialog) {
    return [title, &dialog] {
        dialog = FindQueryDialog(title);
        if (!dialog || GetForegroundWindow() != dialog->Handle()) return false;
        const auto fields = QueryFields(dialog);
        return !fields.empty() && GetFocus() == FieldKeyWindow(fields[0]);
    };
}

TMyComboBox* FirstListField(TInputQueryForm* dialog) {
    return dynamic_cast<TMyComboBox*>(QueryFields(dialog).at(0));
}

TModalScript::TStep WhenListFieldShows(TInputQueryForm*& dialog, std::wstring text,
                                       std::function<void()> action) {
    return When(
        [&dialog, text = std::move(text)] { return FirstListField(dialog)->Text() == text; },
        std::move(action));
}

bool RunListQuery(std::wstring& value, const std::vector<std::wstring>* list,
                  std::vector<TModalScript::TStep> steps) {
    const int components = Application->ComponentCount();
    TModalScript script(std::move(steps));
    const bool result = InputQueryList(kQueryTitle, L"Font Name", value, list);
    CHECK(script.Finished());
    CHECK_FALSE(script.TimedOut());
    CHECK(FindThreadWindow(kQueryTitle) == nullptr);
    CHECK(Application->ComponentCount() == components);
    return result;
}

RECT OuterRect(TControl* control) {
    RECT r;
    GetWindowRect(control->Handle(), &r);
    return r;
}
