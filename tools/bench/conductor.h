#pragma once

#include <QString>

// The load test: several counters serving one shop at once, each a process of its own.
struct CounterRun {
    QString place;
    int counters = 4;
    int seconds = 60;
    // Kill a random counter with SIGKILL about this often and start another (0: never).
    int killEveryMs = 0;
    // Restart the throwaway server this many seconds into the run (negative: never).
    int restartServerAtS = -1;
};

// Runs the counters, then checks the whole shop against what they say they stored, and prints
// visits a second, save times, refusals by kind, the faults and "0 violations" or the list.
// The exit code: 0 for no violation.
int runCounters(const CounterRun& run);
