// The clock the Windows benchmarks read: milliseconds from the performance counter.
#pragma once

#include <windows.h>

inline double NowMs() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// The mean time of one call over the rounds, after one call to warm up.
template <typename F>
double MsPerCall(int rounds, F&& f) {
    f();
    const double start = NowMs();
    for (int i = 0; i < rounds; ++i) f();
    return (NowMs() - start) / rounds;
}
