#pragma once

#include <QList>

#include <cstdint>
#include <random>

// The demo shop's dice: a fixed seed and a generator whose sequence the C++ standard fixes,
// so the same reference date always gives the same shop on every machine.
class DemoRandom {
public:
    // 0 .. n-1.
    int below(int n) { return n <= 1 ? 0 : int(m_engine() % std::uint32_t(n)); }
    // lo .. hi inclusive.
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    bool percent(int p) { return below(100) < p; }
    template <typename T> const T& pick(const QList<T>& list) {
        return list.at(below(int(list.size())));
    }

private:
    std::mt19937 m_engine{20040607u};
};
