// What the side-by-side benchmarks share: processor time, and the verdict line that
// tools/bench-ratios.sh reads.
#pragma once

#include <cstdio>

#include <time.h>

namespace ostrel {

// Processor time of the given clock (the process's or the thread's): on a machine shared with
// other work, wall time measures the others.
inline double ProcessorSeconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

inline bool Verdict(const char* what, double value, double goal)
{
    const bool met = value <= goal;
    std::printf("%-58s %6.2f  (goal <= %.2f)  %s\n", what, value, goal, met ? "met" : "MISSED");
    return met;
}

}  // namespace ostrel
