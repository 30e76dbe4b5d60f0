#pragma once
// One figure per line, comparable from run to run:
//   bench: <name> median_ms=<m> floor_ms=<f> ratio=<r>
// The floor is the same work done the plainest way, measured in the same run;
// "-" where there is none.
#include <cstdio>

inline void benchLine(const char *name, double medianMs, double floorMs = -1)
{
    if (floorMs > 0)
        std::printf("bench: %s median_ms=%.3f floor_ms=%.3f ratio=%.2f\n", name, medianMs, floorMs,
                    medianMs / floorMs);
    else
        std::printf("bench: %s median_ms=%.3f floor_ms=- ratio=-\n", name, medianMs);
    std::fflush(stdout);
}
