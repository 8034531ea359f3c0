#pragma once

#include "RandomSource.h"

#include <cstdint>

// A generator of its own (splitmix64), independent of rand(): the same seed gives the
// same values on every platform.
class SeededRandom final : public RandomSource
{
public:
    explicit SeededRandom(std::uint64_t seed) : state(seed) {}

    // 31 bits, like glibc's rand().
    int next() override;

private:
    std::uint64_t state;
};
