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

// FNV-1a, one value at a time: seeds that name exact cards and their order.
inline constexpr std::uint64_t fnvOffset = 0xCBF29CE484222325ull;
constexpr std::uint64_t fnvMix(std::uint64_t hash, std::uint64_t value)
{
    return (hash ^ value) * 0x100000001B3ull;
}
