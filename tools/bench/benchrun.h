#pragma once

#include <QList>
#include <QString>

#include <functional>

// One operation the benchmark times: `run` does it once and says whether it succeeded.
struct BenchCase {
    QString name;
    // The median it must not exceed.
    double targetMs = 0;
    std::function<bool()> run;
};

struct BenchResult {
    QString name;
    int runs = 0;
    double medianMs = 0;
    double worstMs = 0;
    double targetMs = 0;
    // Every run succeeded.
    bool ran = false;

    bool met() const { return ran && medianMs <= targetMs; }
};

// Runs the case `runs` times, each timed on its own; stops at the first failed run.
BenchResult measure(const BenchCase& c, int runs);

// The table the benchmark prints: a heading, then one line per result, every line in the
// same columns: name, runs, median ms, worst ms, target ms, "ok" or "MISSED".
QString resultHeading();
QString resultLine(const BenchResult& r);

// The most memory the process has held so far (VmHWM), in MB; negative when unknown.
double peakMemoryMB();
// "peak memory", the figure, the limit and "ok" or "MISSED".
QString memoryLine(double peakMB, double limitMB);
