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

// A run that was killed leaves the program's global atom behind in the Wine server; the
// tests that check it is given back need a clean table.
void DeleteStaleAtoms() {
    while (ATOM atom = GlobalFindAtomW(L"Velkari")) GlobalDeleteAtom(atom);
}

// A message box that no test step answers would hold the whole run up. After a generous
// time the watchdog cancels it, so the test fails instead of hanging.
class TDialogWatchdog {
  public:
    explicit TDialogWatchdog(DWORD uiThread)
        : FThread([this, uiThread] {
              std::map<HWND, ULONGLONG> seen;
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
                          if (!IsWindowVisible(window) || wcscmp(className, L"#32770") != 0)
                              return TRUE;
                          auto it = s->Seen->find(window);
                          (*s->Now)[window] = it == s->Seen->end() ? GetTickCount64() : it->second;
                          return TRUE;
                      },
                      reinterpret_cast<LPARAM>(&scan));
                  if (GetTickCount64() - FStart > kRunLimitMs) {
                      // Something waits for ever: end the run as a failure that a repeat can
                      // retry, rather than a time-out that holds everything up.
                      std::fprintf(stderr, "watchdog: the run took over %llu s; ending it\n",
                                   kRunLimitMs / 1000);
                      std::fflush(stderr);
                      TerminateProcess(GetCurrentProcess(), 3);
                  }
                  for (const auto& [window, since] : now) {
                      if (GetTickCount64() - since < 30000) continue;
                      std::fprintf(stderr, "watchdog: cancelling a dialog left open for 30 s\n");
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

  private:
    static constexpr ULONGLONG kRunLimitMs = 330000;  // a whole run takes about 150 s
    const ULONGLONG FStart = GetTickCount64();
    std::atomic<bool> FStop{false};
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
    return context.run();
}
