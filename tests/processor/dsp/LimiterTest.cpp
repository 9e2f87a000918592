#include "Limiter.h"

#include "SignalMeasure.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace
{

using namespace signal_measure;

constexpr float ceiling = 0.84139514f;

/** A limiter as the engine builds it: the ring buffer requested as trunc(fs / 750). */
Limiter engineLimiter(double sampleRate)
{
    return Limiter(sampleRate, static_cast<unsigned>(sampleRate / 750.0));
}

std::vector<float> process(Limiter& limiter, const std::vector<float>& in)
{
    std::vector<float> out;
    for (const float x : in)
        out.push_back(limiter.ProcessSample(x));
    return out;
}

struct LatencyCase
{
    double sampleRate;
    int latency;
    int bufferSize;
};

TEST(Limiter, QuietSignalPassesUnchangedAfterTheLatency)
{
    // Below 750 Hz the size request is 0; the limiter still gets a one-sample buffer and its
    // reported latency matches what it does.
    const LatencyCase cases[] = {
        {44100.0, 44, 64}, {48000.0, 48, 64}, {96000.0, 96, 128}, {900.0, 1, 1}, {500.0, 1, 1}};
    std::mt19937 noise(3);
    std::uniform_real_distribution<float> uniform(-0.84f, 0.84f);
    std::vector<float> in(3000);
    for (auto& x : in)
        x = uniform(noise);

    for (const auto& c : cases)
    {
        auto limiter = engineLimiter(c.sampleRate);
        EXPECT_EQ(limiter.GetLatencySamples(), c.latency) << "at " << c.sampleRate << " Hz";
        EXPECT_EQ(limiter.GetBufferSize(), c.bufferSize) << "at " << c.sampleRate << " Hz";
        const auto out = process(limiter, in);
        const auto delay = static_cast<size_t>(c.latency);
        for (size_t i = 0; i < out.size(); ++i)
            ASSERT_EQ(out[i], i < delay ? 0.0f : in[i - delay])
                << "at " << c.sampleRate << " Hz, sample " << i
                << ": a signal below the ceiling must come out exactly, delayed by the latency";
    }
}

TEST(Limiter, FullScaleStepOvershootsBrieflyThenSettlesOnTheCeiling)
{
    // The 0.5 ms attack is not fully closed within the 1 ms look-ahead: about 0.859 (within
    // 0.001), then exactly the ceiling.
    for (const double sampleRate : {44100.0, 48000.0})
    {
        auto limiter = engineLimiter(sampleRate);
        const int stepAt = 100;
        std::vector<float> in(static_cast<size_t>(sampleRate / 10.0), 0.0f);
        std::fill(in.begin() + stepAt, in.end(), 1.0f);
        const auto out = process(limiter, in);

        const auto firstNonZero =
            std::find_if(out.begin(), out.end(), [](float y) { return y != 0.0f; });
        EXPECT_EQ(firstNonZero - out.begin(), stepAt + limiter.GetHoldSamples())
            << "at " << sampleRate << " Hz the step arrived at the wrong time";
        EXPECT_NEAR(*std::max_element(out.begin(), out.end()), 0.859f, 0.001f)
            << "overshoot at " << sampleRate << " Hz";
        EXPECT_EQ(out.back(), ceiling) << "settled level at " << sampleRate << " Hz";
    }
}

TEST(Limiter, LoudSinePeaksAtTheCeiling)
{
    // A 1 kHz sine of amplitude 2: after 100 ms of settling, peaks within 0.001 of the ceiling.
    for (const double sampleRate : {44100.0, 48000.0})
    {
        auto limiter = engineLimiter(sampleRate);
        const auto n = static_cast<int>(sampleRate / 5.0);
        const auto out = process(limiter, sine(1000.0, sampleRate, n, 2.0));
        float peak = 0.0f;
        for (size_t i = static_cast<size_t>(n / 2); i < out.size(); ++i)
            peak = std::max(peak, std::fabs(out[i]));
        EXPECT_NEAR(peak, ceiling, 0.001f) << "at " << sampleRate << " Hz";
    }
}

TEST(Limiter, NanInputDoesNotDisturbTheGain)
{
    // A NaN passes through as one NaN output sample but must not reach the envelope: once it
    // has left the buffer, quiet input passes unchanged again.
    auto limiter = engineLimiter(48000.0);
    const auto in = sine(1000.0, 48000.0, 1000, 0.5);
    limiter.ProcessSample(std::numeric_limits<float>::quiet_NaN());
    for (int i = 0; i < limiter.GetBufferSize(); ++i)
        limiter.ProcessSample(0.0f);
    const auto out = process(limiter, in);
    const auto delay = static_cast<size_t>(limiter.GetLatencySamples());
    for (size_t i = delay; i < out.size(); ++i)
        ASSERT_EQ(out[i], in[i - delay]) << "sample " << i << " was changed after a NaN input";
}

} // namespace
