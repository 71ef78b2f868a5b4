// Start-up to an idle main window, in-process, as the median of a run of processes; and one
// live conversion of a full field.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "bench_clock.h"
#include "toolkit/application.h"
#include "toolkit/control.h"

namespace {

// Runs this program again with the arguments and reads the milliseconds from its exit code.
double OneStartupMs(const std::wstring& self, const std::wstring& arguments) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + self + L"\" " + arguments;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return 0;
    WaitForSingleObject(info.hProcess, 30000);
    DWORD tenths = 0;
    GetExitCodeProcess(info.hProcess, &tenths);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return tenths / 10.0;
}

// A request to the wineserver that its trace shows with this name, for tools/count-requests.
void MarkInServerTrace(const wchar_t* name) {
    GlobalDeleteAtom(GlobalAddAtomW(name));
}

// Shows the main window, waits for the first idle moment, and returns the time from entry.
double StartupMs(TApplication& application, TForm1*& form, bool markRequests) {
    if (markRequests) MarkInServerTrace(L"VelkariRequestsFrom");
    const double entry = NowMs();
    form = application.CreateForm<TForm1>();
    double idle = 0;
    application.OnIdle = [&] {
        if (idle != 0) return;
        idle = NowMs();
        if (markRequests) MarkInServerTrace(L"VelkariRequestsTo");
        application.Terminate();
    };
    application.Run();
    return idle - entry;
}

// The least a program takes here: a window of the same frame and size with one edit field
// focused, shown and brought to the front, with the same 20 ms pause at activation.
LRESULT CALLBACK BareWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static bool activated = false;
    if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE && !activated) {
        activated = true;
        Sleep(20);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

double BareStartupMs(DWORD style, DWORD exStyle, RECT bounds) {
    const double entry = NowMs();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = BareWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = L"VelkariBenchBare";
    RegisterClassW(&windowClass);
    HWND window =
        CreateWindowExW(exStyle, windowClass.lpszClassName, L"Velkari", style, bounds.left,
                        bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, nullptr,
                        nullptr, windowClass.hInstance, nullptr);
    HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                                8, 8, 200, 21, window, nullptr, windowClass.hInstance, nullptr);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(edit);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return NowMs() - entry;
}

// The median of five batches of 400 calls.
template <typename F>
double MedianMsPerCall(F&& f) {
    std::vector<double> batches;
    for (int i = 0; i < 5; ++i) batches.push_back(MsPerCall(400, f));
    std::sort(batches.begin(), batches.end());
    return batches[2];
}

// Sets the field's text again, as often as the median takes, in a bare edit field of the
// field's own size, style and font, beside it.
double BareSetTextMs(HWND field) {
    const std::wstring text = WindowText(field);
    HWND parent = GetParent(field);
    RECT place;
    GetWindowRect(field, &place);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    HWND edit =
        CreateWindowExW(static_cast<DWORD>(GetWindowLongW(field, GWL_EXSTYLE)), L"EDIT",
                        text.c_str(), static_cast<DWORD>(GetWindowLongW(field, GWL_STYLE)),
                        place.left, place.top, place.right - place.left, place.bottom - place.top,
                        parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(edit, WM_SETFONT, SendMessageW(field, WM_GETFONT, 0, 0), FALSE);
    const double ms = MedianMsPerCall([&] { SetWindowTextW(edit, text.c_str()); });
    DestroyWindow(edit);
    return ms;
}

// The median, lowest and highest of a run of start-ups, each in a process of its own.
struct TRun {
    double Median, Low, High;
    size_t Count;
};

TRun RunOfStartups(std::vector<double> runs, const std::wstring& arguments) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    while (runs.size() < 9) runs.push_back(OneStartupMs(self, arguments));
    std::sort(runs.begin(), runs.end());
    return {runs[runs.size() / 2], runs.front(), runs.back(), runs.size()};
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "--bare" && argc == 8) {
        const RECT bounds{atoi(argv[4]), atoi(argv[5]), atoi(argv[6]), atoi(argv[7])};
        return static_cast<int>(
            BareStartupMs(strtoul(argv[2], nullptr, 10), strtoul(argv[3], nullptr, 10), bounds) *
            10);
    }
    TApplication application;
    application.Initialize();
    application.SetTitle(L"Velkari");
    TForm1* form = nullptr;
    const double ms = StartupMs(application, form, mode == "--requests");
    // One start-up per process: a run of them gives the figure, the run's median.
    if (mode == "--once") return static_cast<int>(ms * 10);
    if (mode == "--requests") {
        form->Edit1->SetText(L"1-800-DIAL-NOW 1-800-DIAL-NOW!");
        MarkInServerTrace(L"VelkariChangeFrom");
        form->Edit1Change(form->Edit1);
        MarkInServerTrace(L"VelkariChangeTo");
        return 0;
    }

    const TRun own = RunOfStartups({ms}, L"--once");
    std::printf(
        "entry to main window shown and idle: %.1f ms median of %zu, %.1f-%.1f ms "
        "(goal 80 ms; 50 ms on one CPU)\n",
        own.Median, own.Count, own.Low, own.High);
    RECT bounds;
    GetWindowRect(form->Handle(), &bounds);
    wchar_t bare[128];
    swprintf(bare, 128, L"--bare %lu %lu %ld %ld %ld %ld",
             static_cast<unsigned long>(GetWindowLongW(form->Handle(), GWL_STYLE)),
             static_cast<unsigned long>(GetWindowLongW(form->Handle(), GWL_EXSTYLE)), bounds.left,
             bounds.top, bounds.right, bounds.bottom);
    const TRun floor = RunOfStartups({}, bare);
    std::printf(
        "the same for a bare window of the same frame with one edit field and the 20 ms pause: "
        "%.1f ms median of %zu, %.1f-%.1f ms\n",
        floor.Median, floor.Count, floor.Low, floor.High);

    form->Edit1->SetText(L"1-800-DIAL-NOW 1-800-DIAL-NOW!");
    const double change = MedianMsPerCall([&] { form->Edit1Change(form->Edit1); });
    std::printf(
        "Edit1Change at 30 characters: %.4f ms per call, median of 5 batches "
        "(goal 0.2 ms on one CPU)\n",
        change);
    std::printf("the same text set again in a bare edit field of that size and font: %.4f ms\n",
                BareSetTextMs(form->Edit2->Handle()));
    return 0;
}
