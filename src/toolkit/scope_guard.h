// Restore-on-exit: runs an action when the scope ends, also when an exception leaves it.
#pragma once

#include <utility>

template <typename F>
class [[nodiscard]] TScopeGuard {
  public:
    explicit TScopeGuard(F action) : FAction(std::move(action)) {}
    TScopeGuard(const TScopeGuard&) = delete;
    TScopeGuard& operator=(const TScopeGuard&) = delete;
    ~TScopeGuard() {
        if (FActive) FAction();
    }
    // The action is no longer wanted.
    void Dismiss() { FActive = false; }

  private:
    F FAction;
    bool FActive = true;
};
