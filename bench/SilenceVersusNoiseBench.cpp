#include "BenchSignals.h"
#include "ScopedFlushToZero.h"

#include "FractionalDelayWithFeedback.h"
#include "FrequencyShift.h"
#include "OnePoleSmoother.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace
{

constexpr float sampleRate = 48000.0f;
constexpr size_t excitation = 48000;    // 1 s of noise before the measured part
constexpr size_t measured = 10 * 48000; // 10 s: long enough for every state to decay to 0

/** One tap as the engine runs it with the shift inside the loop: a 0 Hz input shifter, a
    50 ms line with 50 % feedback and a 333 Hz shifter in its feedback path. */
struct Tap
{
    FrequencyShift inputShifter{sampleRate};
    FrequencyShift feedbackShifter{sampleRate};
    FractionalDelayWithFeedback line{sampleRate, 8 * 48000};

    Tap()
    {
        inputShifter.SetFrequency(0.0f);
        feedbackShifter.SetFrequency(333.0f);
        line.feedbackProcessor = [this](float x) { return feedbackShifter.ProcessSingle(x); };
        line.SetDelayCoefficient(smoothingCoefficient(smoothingSamples(0.1f, 48000.0)));
        line.SetDelay(2400);
        line.SetFeedback(0.5f);
    }
    Tap(const Tap&) = delete;
    Tap& operator=(const Tap&) = delete;

    float ProcessSample(float x) { return line.ProcessSample(inputShifter.ProcessSingle(x)); }
};

/** 10 s of noise or of silence right after 1 s of noise, with or without flush-to-zero. The
    silent run passes through the decay of every filter and feedback state into the subnormal
    range; under flush-to-zero it must cost no more per sample than noise. */
void Tap_TenSecondsAfterNoise(benchmark::State& state)
{
    const float gain = state.range(0) != 0 ? 0.0f : 1.0f;
    ScopedFlushToZero flushMode(state.range(1) != 0);
    const auto noise = benchNoise(excitation + measured);
    float sink = 0.0f;
    for (auto _ : state)
    {
        state.PauseTiming();
        auto tap = std::make_unique<Tap>();
        for (size_t i = 0; i < excitation; ++i)
            sink += tap->ProcessSample(noise[i]);
        state.ResumeTiming();

        for (size_t i = excitation; i < excitation + measured; ++i)
            sink += tap->ProcessSample(noise[i] * gain);
        benchmark::DoNotOptimize(sink);
    }
    reportTimePerSample(state, measured);
}
BENCHMARK(Tap_TenSecondsAfterNoise)
    ->ArgNames({"silent", "ftz"})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Unit(benchmark::kMillisecond);

} // namespace
