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

inline double elapsedMs(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

// The program's work and its floor, run turn about RUNS times each (which
// goes first alternates, so neither always meets a warm or a cold cache);
// SETUP, when given, runs untimed before each of them.
struct Medians
{
    double ours = 0;
    double floor = 0;
};
inline Medians interleaved(int runs, const std::function<void()> &ours,
                           const std::function<void()> &floor,
                           const std::function<void()> &setUp = {})
{
    std::vector<double> oursMs;
    std::vector<double> floorMs;
    for (int i = 0; i < runs; ++i) {
        for (int turn = 0; turn < 2; ++turn) {
            const bool oursNow = (turn == 0) == (i % 2 == 0);
            if (setUp)
                setUp();
            (oursNow ? oursMs : floorMs).push_back(elapsedMs(oursNow ? ours : floor));
        }
    }
    return {median(oursMs), median(floorMs)};
}

inline void benchLine(const char *name, const Medians &figures)
{
    benchLine(name, figures.ours, figures.floor);
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
