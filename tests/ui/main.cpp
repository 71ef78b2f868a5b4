// The Windows test runner: one application object, titled as the program, for all tests.
#define DOCTEST_CONFIG_IMPLEMENT
#include <doctest/doctest.h>

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <map>
#include <thread>

#include "toolkit/application.h"

namespace {

// The test case under way, for the watchdog's messages.
std::atomic<const char*> CurrentTest{""};

struct TCurrentTestListener : doctest::IReporter {
    explicit TCurrentTestListener(const doctest::ContextOptions&) {}
    void report_query(const doctest::QueryData&) override {}
    void test_run_start() override {}
    void test_run_end(const doctest::TestRunStats&) override {}
    void test_case_start(const doctest::TestCaseData& data) override { CurrentTest = data.m_name; }
    void test_case_reenter(const doctest::TestCaseData&) override {}
    void test_case_end(const doctest::CurrentTestCaseStats&) override {}
    void test_case_exception(const doctest::TestCaseException&) override {}
    void subcase_start(const doctest::SubcaseSignature&) override {}
    void subcase_end() override {}
    void log_assert(const doctest::AssertData&) override {}
    void log_message(const doctest::MessageData&) override {}
    void test_case_skipped(const doctest::TestCaseData&) override {}
};
REGISTER_LISTENER("current test", 1, TCurrentTestListener);

// A run that was killed leaves the program's global atom behind in the Wine server; the
// tests that check it is given back need a clean table.
void DeleteStaleAtoms() {
    while (ATOM atom = GlobalFindAtomW(L"Velkari")) GlobalDeleteAtom(atom);
}

bool IsDialogClass(HWND window) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    return wcscmp(className, L"#32770") == 0;
}

// Says what the watchdog does, naming the test under way.
void Report(const char* what) {
    std::fprintf(stderr, "watchdog: %s, in \"%s\"\n", what, CurrentTest.load());
    std::fflush(stderr);
}

// A message box or modal form that no test step answers would hold the whole run up. After
// a generous time the watchdog cancels it, so the run fails instead of hanging. The same goes
// for the mouse held long: pressed on a caption button, the system's loop waits for nothing
// but the button going up, and no test step can run until it does.
class TDialogWatchdog {
  public:
    explicit TDialogWatchdog(DWORD uiThread)
        : FThread([this, uiThread] {
              while (!FStop) {
                  Sleep(500);
                  EndOverlongRun();
                  LetGoOfHeldMouse(uiThread);
                  CancelStaleModals(uiThread);
              }
          }) {}
    ~TDialogWatchdog() {
        FStop = true;
        FThread.join();
    }
    // Whether it had to step in: the run then fails even if every test passed.
    bool SteppedIn() const { return FSteppedIn; }

  private:
    static constexpr ULONGLONG kRunLimitMs = 800000;  // a whole run takes about 400 s
    static constexpr ULONGLONG kMouseLimitMs = 20000;
    static constexpr ULONGLONG kModalLimitMs = 30000;

    // Something waits for ever: end the run as a failure that a repeat can retry, rather
    // than a time-out that holds everything up.
    void EndOverlongRun() const {
        if (GetTickCount64() - FStart <= kRunLimitMs) return;
        Report("the run took over 800 s; ending it");
        TerminateProcess(GetCurrentProcess(), 3);
    }

    // The button held, or the mouse held by one window of the test's thread all along (a
    // key holds it for the length of its tone, and with the tones on one key after another
    // may have it for most of a run).
    void LetGoOfHeldMouse(DWORD uiThread) {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        const bool down = GetAsyncKeyState(VK_LBUTTON) < 0;
        const HWND holder = GetGUIThreadInfo(uiThread, &info) ? info.hwndCapture : nullptr;
        if ((!down && !holder) || holder != FHolder) {
            FHolder = holder;
            FHeldSince = 0;
            if (!down && !holder) return;
        }
        if (FHeldSince == 0) FHeldSince = GetTickCount64();
        if (GetTickCount64() - FHeldSince <= kMouseLimitMs) return;
        Report("the mouse was held for 20 s; letting it go");
        if (down) {
            INPUT up{};
            up.type = INPUT_MOUSE;
            up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
            SendInput(1, &up, sizeof(INPUT));
        }
        // A release that went to another window (it was sent before the press took the
        // mouse) never reaches the loop that waits for it.
        if (holder) PostMessageW(holder, WM_LBUTTONUP, 0, 0);
        FHeldSince = 0;
        FSteppedIn = true;
    }

    // Message boxes and modal forms (their owner waits, disabled), with when each was
    // first seen.
    void CancelStaleModals(DWORD uiThread) {
        struct TScan {
            const std::map<HWND, ULONGLONG>* Seen;
            std::map<HWND, ULONGLONG> Now;
        } scan{&FModalsSeen, {}};
        EnumThreadWindows(
            uiThread,
            [](HWND window, LPARAM data) -> BOOL {
                auto* s = reinterpret_cast<TScan*>(data);
                const HWND owner = GetWindow(window, GW_OWNER);
                const bool modal = IsDialogClass(window) || (owner && !IsWindowEnabled(owner));
                if (!IsWindowVisible(window) || !modal) return TRUE;
                auto it = s->Seen->find(window);
                s->Now[window] = it == s->Seen->end() ? GetTickCount64() : it->second;
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&scan));
        for (const auto& [window, since] : scan.Now) {
            if (GetTickCount64() - since < kModalLimitMs) continue;
            Report("cancelling a dialog left open for 30 s");
            FSteppedIn = true;
            if (IsDialogClass(window)) PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
            PostMessageW(window, WM_CLOSE, 0, 0);
        }
        FModalsSeen = std::move(scan.Now);
    }

    const ULONGLONG FStart = GetTickCount64();
    std::map<HWND, ULONGLONG> FModalsSeen;  // used by the watchdog's thread only
    ULONGLONG FHeldSince = 0;               // likewise
    HWND FHolder = nullptr;                 // the window that had the mouse when last seen
    std::atomic<bool> FStop{false};
    std::atomic<bool> FSteppedIn{false};
    std::thread FThread;
};

}  // namespace

int main(int argc, char** argv) {
    DeleteStaleAtoms();
    TApplication application;
    application.Initialize();
    application.SetTitle(L"Velkari");
    TDialogWatchdog watchdog(GetCurrentThreadId());
    doctest::Context context(argc, argv);
    const int result = context.run();
    if (result == 0 && watchdog.SteppedIn()) {
        std::fprintf(stderr, "watchdog: it had to step in, so the run fails\n");
        return 4;
    }
    return result;
}
