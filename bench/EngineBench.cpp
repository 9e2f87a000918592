#include "BenchSignals.h"

#include "processor/TBIAudioProcessor.h"

#include <benchmark/benchmark.h>

namespace
{
/** The whole processor on one second of stereo noise per iteration, in host-sized blocks, or on
    0.1 s of noise followed by 0.9 s of silence. realtime_factor is seconds of audio processed
    per second of one core. */
void Engine_OneSecond(benchmark::State& state, bool silent)
{
    const auto sampleRate = static_cast<double>(state.range(0));
    const auto blockSize = static_cast<int>(state.range(1));
    const auto style = static_cast<float>(state.range(2));
    const auto numSamples = static_cast<int>(sampleRate);

    TBIAudioProcessor processor;
    *processor.shiftStyleParam = style;
    processor.setRateAndBufferSizeDetails(sampleRate, blockSize);
    processor.prepareToPlay(sampleRate, blockSize);

    const auto noise = benchNoise(static_cast<size_t>(numSamples));
    juce::AudioBuffer<float> input(2, numSamples);
    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < numSamples; ++i)
            input.setSample(ch, i,
                            silent && i >= numSamples / 10 ? 0.0f : noise[static_cast<size_t>(i)]);

    juce::AudioBuffer<float> block(2, blockSize);
    juce::MidiBuffer midi;
    for (auto _ : state)
    {
        for (int start = 0; start + blockSize <= numSamples; start += blockSize)
        {
            for (int ch = 0; ch < 2; ++ch)
                block.copyFrom(ch, 0, input, ch, start, blockSize);
            processor.processBlock(block, midi);
            benchmark::DoNotOptimize(block.getReadPointer(0));
        }
    }
    state.counters["realtime_factor"] =
        benchmark::Counter(1.0, benchmark::Counter::kIsIterationInvariantRate);
}

void Engine_Noise(benchmark::State& state)
{
    Engine_OneSecond(state, false);
}

// In the silence every state decays towards subnormals; flush-to-zero must keep that as cheap as
// noise.
void Engine_NoiseThenSilence(benchmark::State& state)
{
    Engine_OneSecond(state, true);
}

void sampleRatesBlocksAndStyles(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"rate", "block", "style"});
    for (const auto rate : {44100, 48000, 96000})
        for (const auto blockSize : {64, 512})
            for (int style = 0; style <= 6; ++style)
                b->Args({rate, blockSize, style});
}
} // namespace

// Style 2 (OUT) is the default parameter set.
BENCHMARK(Engine_Noise)->Apply(sampleRatesBlocksAndStyles)->Unit(benchmark::kMillisecond);
BENCHMARK(Engine_NoiseThenSilence)
    ->ArgNames({"rate", "block", "style"})
    ->Args({48000, 512, 2})
    ->Unit(benchmark::kMillisecond);
