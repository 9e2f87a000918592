#pragma once

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

/** Uniform white noise in [-0.5, 0.5], reproducible. */
inline std::vector<float> benchNoise(size_t n)
{
    std::mt19937 engine(12345);
    std::uniform_real_distribution<float> uniform(-0.5f, 0.5f);
    std::vector<float> x(n);
    for (auto& v : x)
        v = uniform(engine);
    return x;
}

/** Reports the time per processed sample as the counter "per_sample" (printed in ns). */
inline void reportTimePerSample(benchmark::State& state, size_t samplesPerIteration)
{
    state.counters["per_sample"] = benchmark::Counter(
        static_cast<double>(samplesPerIteration),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
