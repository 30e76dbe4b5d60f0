#pragma once
// One figure per line, comparable from run to run:
//   bench: <name> median_ms=<m> floor_ms=<f> ratio=<r>
// The floor is the same work done the plainest way, measured in the same run;
// "-" where there is none.
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

inline void benchLine(const char *name, double medianMs, double floorMs = -1)
{
    if (floorMs > 0)
        std::printf("bench: %s median_ms=%.3f floor_ms=%.3f ratio=%.2f\n", name, medianMs, floorMs,
                    medianMs / floorMs);
    else
        std::printf("bench: %s median_ms=%.3f floor_ms=- ratio=-\n", name, medianMs);
    std::fflush(stdout);
}

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The median time of RUNS runs of WORK, in milliseconds.
inline double medianMs(int runs, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    return median(times);
}
