#pragma once

#include <QList>
#include <QString>

#include <functional>

class Connection;
class RawSqlite;

// One operation the benchmark times: `run` does it once and says whether it succeeded.
struct BenchCase {
    QString name;
    // The median it must not exceed.
    double targetMs = 0;
    std::function<bool()> run;
    int runs = 20;
    // The most memory the process may hold while it runs, in MB; 0 for no limit of its own.
    double limitMB = 0;
    // Its statements are also run through SQLite's C library, run by run; the program may
    // then take at most this many times as long (0 for no goal of its own).
    bool compareRaw = false;
    double ratioGoal = 0;
};

struct BenchResult {
    QString name;
    int runs = 0;
    double medianMs = 0;
    double worstMs = 0;
    double targetMs = 0;
    // The most memory held while the case ran (negative when unknown), and its limit.
    double peakMB = -1;
    double limitMB = 0;
    // The median of the same statements on raw SQLite (negative when not compared), and the
    // goal for the program's median over it.
    double rawMedianMs = -1;
    double ratioGoal = 0;
    // Every run succeeded.
    bool ran = false;

    double ratio() const { return rawMedianMs > 0 ? medianMs / rawMedianMs : -1; }
    bool met() const;
};

// Runs the case c.runs times, each timed on its own; stops at the first failed run. A case
// compared with raw SQLite first runs once untimed while `db` records its statements; each
// timed run is then followed by a timed replay of them on `raw`. Without `raw` (a shop on a
// server) nothing is compared and no ratio goal applies.
BenchResult measure(const BenchCase& c, Connection& db, RawSqlite* raw);

// One line on stdout, out at once (a run takes minutes).
void print(const QString& line);
// The machine's load average as the run starts: the figures mean little without it.
QString loadAverage();

// The table the benchmark prints: a heading, then one line per result, every line in the
// same columns: name, runs, median ms, worst ms, target ms, raw ms, ratio (with its goal),
// peak MB, limit MB ("-" for none), "ok" or "MISSED".
QString resultHeading();
QString resultLine(const BenchResult& r);

// The most memory the process has held since it started or since the last reset (VmHWM), in
// MB; negative when unknown.
double peakMemoryMB();
// Starts the high-water mark again from what the process holds now, where the system allows.
void resetPeakMemory();
// "peak memory", the figure, the limit and "ok" or "MISSED".
QString memoryLine(double peakMB, double limitMB);
