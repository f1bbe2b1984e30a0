// What a measured process of bench_startup shares with its parent: the clock both read start
// and event times from, the line each figure is told in, and the process's CPU time.
#pragma once

#include <QtGlobal>

#include <chrono>
#include <cstdio>
#include <sys/resource.h>

namespace measured {

inline qint64 steadyNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// One figure for the parent, on the measured process's standard output.
inline void report(const char *key, double value) {
    std::printf("BENCH %s=%.6f\n", key, value);
    std::fflush(stdout);
}

// Every thread of the process.
inline double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace measured
