#pragma once

#include <QList>

#include <cstdint>
#include <random>

// The dice of a made-up shop: a generator whose sequence the C++ standard fixes, so the same
// seed gives the same shop on every machine.
class ShopRandom {
public:
    static constexpr std::uint32_t DemoSeed = 20040607u;

    explicit ShopRandom(std::uint32_t seed = DemoSeed) : m_engine(seed) {}

    // 0 .. n-1.
    int below(int n) { return n <= 1 ? 0 : int(m_engine() % std::uint32_t(n)); }
    // lo .. hi inclusive.
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    bool percent(int p) { return below(100) < p; }
    template <typename T> const T& pick(const QList<T>& list) {
        return list.at(below(int(list.size())));
    }

private:
    std::mt19937 m_engine;
};
