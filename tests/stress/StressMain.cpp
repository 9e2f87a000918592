// make stress: ten minutes of audio (QUILLMERE_STRESS_MINUTES changes it) at 44.1, 48 and 96 kHz,
// in blocks of random sizes from 1 to 4096 samples, with all ten parameters set to random values
// before every block, so Post Limiter switches about every other block. Full-scale white noise
// goes in. It fails when an output sample is not finite or exceeds the bound of OutputBound, or
// when the CPU time per second of audio in the last minute exceeds the first minute's by half.
#include "OutputBound.h"

#include "processor/TBIAudioProcessor.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <vector>

namespace
{
constexpr int maximumBlock = 4096;
constexpr float inputPeak = 1.0f;
constexpr double allowedCpuGrowth = 1.5;

double threadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

struct Figures
{
    std::int64_t blocks = 0;
    std::int64_t nonFinite = 0;
    std::int64_t aboveBound = 0;
    double peak = 0.0;
    double limitedPeak = 0.0;
    std::vector<double> cpuPerAudioSecond;
};

Figures run(double sampleRate, int minutes, std::uint32_t seed, const OutputBound& bound)
{
    TBIAudioProcessor processor;
    processor.seedRandomize(seed);
    processor.prepareToPlay(sampleRate, maximumBlock);

    std::mt19937 engine(seed);
    std::uniform_int_distribution<int> blockSize(1, maximumBlock);
    std::uniform_real_distribution<float> noise(-inputPeak, inputPeak);
    std::uniform_real_distribution<float> normalised(0.0f, 1.0f);

    juce::AudioBuffer<float> buffer(2, maximumBlock);
    juce::MidiBuffer midi;
    Figures figures;
    const auto samplesPerMinute = static_cast<std::int64_t>(60.0 * sampleRate);
    const auto total = samplesPerMinute * minutes;
    std::int64_t done = 0;
    std::int64_t limiterOnFor = 0;
    double minuteCpu = 0.0;

    while (done < total)
    {
        const auto n = static_cast<int>(std::min<std::int64_t>(blockSize(engine), total - done));
        for (auto* parameter : processor.getParameters())
            parameter->setValueNotifyingHost(normalised(engine));
        buffer.setSize(2, n, false, false, true);
        for (int ch = 0; ch < 2; ++ch)
            for (int i = 0; i < n; ++i)
                buffer.setSample(ch, i, noise(engine));

        const auto before = threadCpuSeconds();
        processor.processBlock(buffer, midi);
        minuteCpu += threadCpuSeconds() - before;

        const bool limiterOn = processor.postLimiterParam->get();
        for (int i = 0; i < n; ++i)
        {
            const auto onFor = limiterOn ? limiterOnFor + i + 1 : 0;
            for (int ch = 0; ch < 2; ++ch)
            {
                const auto y = std::abs(static_cast<double>(buffer.getSample(ch, i)));
                if (!std::isfinite(y))
                {
                    ++figures.nonFinite;
                    continue;
                }
                figures.peak = std::max(figures.peak, y);
                const bool limited = onFor > bound.limitedAfterSamples();
                if (limited)
                    figures.limitedPeak = std::max(figures.limitedPeak, y);
                if (y > bound.anySample() || (limited && y > bound.limitedSample()))
                    ++figures.aboveBound;
            }
        }
        limiterOnFor = limiterOn ? limiterOnFor + n : 0;

        ++figures.blocks;
        const auto minuteBefore = done / samplesPerMinute;
        done += n;
        if (done / samplesPerMinute != minuteBefore || done == total)
        {
            figures.cpuPerAudioSecond.push_back(minuteCpu / 60.0);
            minuteCpu = 0.0;
        }
    }
    return figures;
}
} // namespace

int main()
{
    const auto* minutesText = std::getenv("QUILLMERE_STRESS_MINUTES");
    const int minutes = minutesText != nullptr ? std::max(1, std::atoi(minutesText)) : 10;
    bool passed = true;

    for (const auto sampleRate : {44100.0, 48000.0, 96000.0})
    {
        const OutputBound bound(sampleRate, inputPeak);
        const auto figures = run(sampleRate, minutes, 20240611u, bound);
        const auto first = figures.cpuPerAudioSecond.front();
        const auto last = figures.cpuPerAudioSecond.back();
        const auto [fewest, most] =
            std::minmax_element(figures.cpuPerAudioSecond.begin(), figures.cpuPerAudioSecond.end());
        const bool stable = last <= first * allowedCpuGrowth;
        const bool ok = figures.nonFinite == 0 && figures.aboveBound == 0 && stable;
        passed = passed && ok;

        std::printf("%s %.1f kHz: %d min of audio in %lld blocks\n", ok ? "PASS" : "FAIL",
                    sampleRate / 1000.0, minutes, static_cast<long long>(figures.blocks));
        std::printf("  output: %lld non-finite samples, %lld above the bound\n",
                    static_cast<long long>(figures.nonFinite),
                    static_cast<long long>(figures.aboveBound));
        std::printf("  peak |output| %.4f, bound %.4f (shifter peak gain %.4f)\n", figures.peak,
                    bound.anySample(), bound.shifterPeakGain());
        std::printf("  peak |output| with the limiter settled %.4f, bound %.4f\n",
                    figures.limitedPeak, bound.limitedSample());
        std::printf("  CPU seconds per second of audio: first minute %.5f, last minute %.5f "
                    "(x%.3f), range %.5f to %.5f; real-time factor %.1f\n",
                    first, last, last / first, *fewest, *most, 1.0 / last);
    }
    return passed ? 0 : 1;
}
