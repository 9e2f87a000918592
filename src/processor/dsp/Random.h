#pragma once

#include <random>

namespace BAS
{

/** Uniform floats in [min, max] from a 32-bit Mersenne Twister.

    Each Generate() consumes exactly one engine output u and returns
    (float)u * 2^-32 * (max - min) + min in single precision, the same value that
    std::uniform_real_distribution<float> gives when it draws one word per call. The conversion
    rounds to nearest, so max itself can occur. A fixed seed makes the sequence reproducible;
    seed 0 asks the system's random device for one. Not thread-safe; never allocates. */
class Random
{
public:
    Random(float min, float max, unsigned int seed);

    /** Returns the next value of the sequence. */
    float Generate()
    {
        const float unit = static_cast<float>(engine()) * 0x1p-32f;
        return unit * (maxValue - minValue) + minValue;
    }

private:
    std::mt19937 engine;
    float minValue;
    float maxValue;
};

} // namespace BAS
