#include "BenchSignals.h"
#include "ScopedFlushToZero.h"

#include "FractionalDelayWithFeedback.h"
#include "FrequencyShift.h"
#include "OnePoleSmoother.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace
{

constexpr size_t blockSize = 512;
constexpr float sampleRate = 48000.0f;

/** The feedback path the engine installs: a smoother step, SetFrequency and the shifter. */
struct FeedbackShift
{
    OnePoleSmoother frequency;
    FrequencyShift shifter{sampleRate};

    float operator()(float x)
    {
        frequency.snapNext = false;
        shifter.SetFrequency(frequency.Next());
        return shifter.ProcessSingle(x);
    }
};

std::unique_ptr<FractionalDelayWithFeedback> engineLine(FeedbackShift* feedbackShift)
{
    auto line = std::make_unique<FractionalDelayWithFeedback>(sampleRate, 8 * 48000);
    line->SetDelayCoefficient(smoothingCoefficient(smoothingSamples(0.1f, 48000.0)));
    line->SetDelay(12000);
    line->SetFeedback(0.7f);
    if (feedbackShift != nullptr)
    {
        feedbackShift->frequency.coefficient =
            smoothingCoefficient(smoothingSamples(0.0425f, 48000.0));
        feedbackShift->frequency.SetTarget(333.0f);
        line->feedbackProcessor = [feedbackShift](float x) { return (*feedbackShift)(x); };
    }
    return line;
}

void runLine(benchmark::State& state, FractionalDelayWithFeedback& line)
{
    const auto in = benchNoise(blockSize);
    std::vector<float> out(blockSize);
    for (auto _ : state)
    {
        for (size_t i = 0; i < blockSize; ++i)
            out[i] = line.ProcessSample(in[i]);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    reportTimePerSample(state, blockSize);
}

void FractionalDelayWithFeedback_ShifterInLoop(benchmark::State& state)
{
    ScopedFlushToZero flushToZero(true);
    FeedbackShift feedbackShift;
    auto line = engineLine(&feedbackShift);
    runLine(state, *line);
}
BENCHMARK(FractionalDelayWithFeedback_ShifterInLoop);

/** The line alone (identity feedback processor), to separate its cost from the shifter's. */
void FractionalDelayWithFeedback_IdentityInLoop(benchmark::State& state)
{
    ScopedFlushToZero flushToZero(true);
    auto line = engineLine(nullptr);
    runLine(state, *line);
}
BENCHMARK(FractionalDelayWithFeedback_IdentityInLoop);

} // namespace
