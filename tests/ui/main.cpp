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

// A message box or modal form that no test step answers would hold the whole run up. After
// a generous time the watchdog cancels it, so the run fails instead of hanging. The same goes for
// the mouse held long: pressed on a caption button, the system's loop waits for nothing but the
// button going up, and no test step can run until it does.
class TDialogWatchdog {
  public:
    explicit TDialogWatchdog(DWORD uiThread)
        : FThread([this, uiThread] {
              std::map<HWND, ULONGLONG> seen;
              ULONGLONG heldSince = 0;
              while (!FStop) {
                  Sleep(500);
                  std::map<HWND, ULONGLONG> now;
                  struct TScan {
                      std::map<HWND, ULONGLONG>* Seen;
                      std::map<HWND, ULONGLONG>* Now;
                  } scan{&seen, &now};
                  EnumThreadWindows(
                      uiThread,
                      [](HWND window, LPARAM data) -> BOOL {
                          auto* s = reinterpret_cast<TScan*>(data);
                          wchar_t className[16] = {};
                          GetClassNameW(window, className, 16);
                          // A message box, or a modal form: its owner waits, disabled.
                          const HWND owner = GetWindow(window, GW_OWNER);
                          const bool modal = wcscmp(className, L"#32770") == 0 ||
                                             (owner && !IsWindowEnabled(owner));
                          if (!IsWindowVisible(window) || !modal) return TRUE;
                          auto it = s->Seen->find(window);
                          (*s->Now)[window] = it == s->Seen->end() ? GetTickCount64() : it->second;
                          return TRUE;
                      },
                      reinterpret_cast<LPARAM>(&scan));
                  if (GetTickCount64() - FStart > kRunLimitMs) {
                      // Something waits for ever: end the run as a failure that a repeat can
                      // retry, rather than a time-out that holds everything up.
                      std::fprintf(stderr,
                                   "watchdog: the run took over %llu s, in \"%s\"; ending it\n",
                                   kRunLimitMs / 1000, CurrentTest.load());
                      std::fflush(stderr);
                      TerminateProcess(GetCurrentProcess(), 3);
                  }
                  // The button held, or the mouse held by a window of the test's thread.
                  GUITHREADINFO info{};
                  info.cbSize = sizeof(info);
                  const bool down = GetAsyncKeyState(VK_LBUTTON) < 0;
                  const HWND holder =
                      GetGUIThreadInfo(uiThread, &info) ? info.hwndCapture : nullptr;
                  if (!down && !holder) {
                      heldSince = 0;
                  } else if (heldSince == 0) {
                      heldSince = GetTickCount64();
                  } else if (GetTickCount64() - heldSince > 20000) {
                      std::fprintf(stderr,
                                   "watchdog: the mouse was held for 20 s, in \"%s\"; "
                                   "letting it go\n",
                                   CurrentTest.load());
                      std::fflush(stderr);
                      if (down) {
                          INPUT up{};
                          up.type = INPUT_MOUSE;
                          up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
                          SendInput(1, &up, sizeof(INPUT));
                      }
                      // A release that went to another window (it was sent before the press
                      // took the mouse) never reaches the loop that waits for it.
                      if (holder) PostMessageW(holder, WM_LBUTTONUP, 0, 0);
                      heldSince = 0;
                      FSteppedIn = true;
                  }
                  for (const auto& [window, since] : now) {
                      if (GetTickCount64() - since < 30000) continue;
                      std::fprintf(stderr,
                                   "watchdog: cancelling a dialog left open for 30 s, in \"%s\"\n",
                                   CurrentTest.load());
                      std::fflush(stderr);
                      FSteppedIn = true;
                      wchar_t className[16] = {};
                      GetClassNameW(window, className, 16);
                      if (wcscmp(className, L"#32770") == 0)
                          PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
                      PostMessageW(window, WM_CLOSE, 0, 0);
                  }
                  seen = std::move(now);
              }
          }) {}
    ~TDialogWatchdog() {
        FStop = true;
        FThread.join();
    }
    // Whether it had to step in: the run then fails even if every test passed.
    bool SteppedIn() const { return FSteppedIn; }

  private:
    static constexpr ULONGLONG kRunLimitMs = 330000;  // a whole run takes about 150 s
    const ULONGLONG FStart = GetTickCount64();
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
