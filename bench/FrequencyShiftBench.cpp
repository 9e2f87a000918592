#include "BenchSignals.h"
#include "ScopedFlushToZero.h"

#include "FrequencyShift.h"
#include "OnePoleSmoother.h"

#include <benchmark/benchmark.h>

namespace
{

constexpr size_t blockSize = 512;

void FrequencyShift_FixedFrequency(benchmark::State& state)
{
    ScopedFlushToZero flushToZero(true);
    const auto in = benchNoise(blockSize);
    std::vector<float> out(blockSize);
    FrequencyShift shifter(48000.0f);
    shifter.SetFrequency(333.0f);
    for (auto _ : state)
    {
        for (size_t i = 0; i < blockSize; ++i)
            out[i] = shifter.ProcessSingle(in[i]);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    reportTimePerSample(state, blockSize);
}
BENCHMARK(FrequencyShift_FixedFrequency);

/** As the engine drives a shifter: a smoother step and SetFrequency before every sample. */
void FrequencyShift_GlidingFrequency(benchmark::State& state)
{
    ScopedFlushToZero flushToZero(true);
    const auto in = benchNoise(blockSize);
    std::vector<float> out(blockSize);
    FrequencyShift shifter(48000.0f);
    OnePoleSmoother frequency;
    frequency.coefficient = smoothingCoefficient(smoothingSamples(0.0425f, 48000.0));
    frequency.SetTarget(0.0f);
    frequency.snapNext = false;
    bool up = true;
    for (auto _ : state)
    {
        frequency.SetTarget(up ? 1332.0f : -1332.0f);
        up = !up;
        for (size_t i = 0; i < blockSize; ++i)
        {
            shifter.SetFrequency(frequency.Next());
            out[i] = shifter.ProcessSingle(in[i]);
        }
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    reportTimePerSample(state, blockSize);
}
BENCHMARK(FrequencyShift_GlidingFrequency);

} // namespace
