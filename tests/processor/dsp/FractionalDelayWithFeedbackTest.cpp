#include "FractionalDelayWithFeedback.h"

#include "FrequencyShift.h"
#include "SignalMeasure.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <random>
#include <vector>

namespace
{

using namespace signal_measure;

constexpr float rate = 48000.0f;
constexpr int eightSeconds = 384000;

std::vector<float> process(FractionalDelayWithFeedback& line, const std::vector<float>& in)
{
    std::vector<float> out;
    out.reserve(in.size());
    for (const float x : in)
        out.push_back(line.ProcessSample(x));
    return out;
}

//==============================================================================
TEST(FeedbackSoftClip, CurvePoints)
{
    struct Point
    {
        float in, out;
    };
    // Exact float results: identity up to 0.95, 0.97499996 at 1 (float rounding of 0.975),
    // 0.975 beyond, odd symmetry.
    const Point points[] = {
        {0.0f, 0.0f},          {0.5f, 0.5f},     {0.95f, 0.95f},
        {1.0f, 0.97499996f},   {1.5f, 0.975f},   {1.0e30f, 0.975f},
        {-1.0f, -0.97499996f}, {-0.95f, -0.95f}, {-4.0f, -0.975f},
    };
    for (const auto& p : points)
        EXPECT_EQ(feedbackSoftClip(p.in), p.out) << "clip(" << p.in << ")";
}

TEST(FeedbackSoftClip, IsContinuousMonotonicAndBounded)
{
    // The slope never exceeds 1: no step of the output is larger than the input's step (plus
    // one float rounding, 1e-7).
    float previousX = 0.0f;
    float previous = feedbackSoftClip(0.0f);
    for (int i = 1; i <= 150000; ++i)
    {
        const float x = static_cast<float>(i) * 1e-5f;
        const float y = feedbackSoftClip(x);
        ASSERT_GE(y, previous) << "not monotonic at " << x;
        ASSERT_LE(y - previous, x - previousX + 1e-7f) << "jump at " << x;
        ASSERT_LE(y, 0.975f) << "above the bound at " << x;
        previousX = x;
        previous = y;
    }
}

//==============================================================================
TEST(FractionalDelayWithFeedback, ImpulseReturnsAfterExactlyTheDelay)
{
    // A short line so that the longest delay reads across the end of the buffer.
    const int length = 2000;
    for (const int delay : {0, 1, 3, 1000, length - 1})
    {
        FractionalDelayWithFeedback line(rate, length);
        line.SetDelay(delay);
        line.SetFeedback(0.0f);
        std::vector<float> in(3 * length, 0.0f);
        in[5] = 1.0f;
        const auto out = process(line, in);
        for (size_t i = 0; i < out.size(); ++i)
            ASSERT_EQ(out[i], i == static_cast<size_t>(5 + delay) ? 1.0f : 0.0f)
                << "delay " << delay << ", output sample " << i;
    }
}

TEST(FractionalDelayWithFeedback, DelayOutsideTheBufferIsIgnored)
{
    FractionalDelayWithFeedback line(rate, 100);
    EXPECT_EQ(line.GetDelaySamples(), 100) << "before any SetDelay the line reports its length";
    line.SetDelay(7);
    line.SetDelay(-1);
    line.SetDelay(100);
    line.SetFeedback(0.0f);
    EXPECT_EQ(line.GetDelaySamples(), 7);
    std::vector<float> in(20, 0.0f);
    in[0] = 1.0f;
    EXPECT_EQ(process(line, in)[7], 1.0f) << "a rejected SetDelay changed the delay";
}

TEST(FractionalDelayWithFeedback, FirstDelaySnapsLaterOnesGlideOver100Milliseconds)
{
    // A ramp input turns the output into a reading of the delay: d = n - out[n].
    FractionalDelayWithFeedback line(rate, eightSeconds);
    line.SetDelayCoefficient(smoothingCoefficient(smoothingSamples(0.1f, 48000.0)));
    line.SetFeedback(0.0f);
    line.SetDelay(3);
    std::vector<double> delay;
    const int changeAt = 2000;
    for (int n = 0; n < changeAt + 4801; ++n)
    {
        if (n == changeAt)
            line.SetDelay(1000);
        delay.push_back(n - static_cast<double>(line.ProcessSample(static_cast<float>(n))));
    }
    EXPECT_EQ(delay[10], 3.0) << "the first SetDelay must apply at once";
    const double covered = (delay[changeAt + 4800] - 3.0) / 997.0;
    EXPECT_NEAR(covered, 1.0 - std::exp(-1.0), 0.01) << "share of the glide after 100 ms";
    for (int n = changeAt + 1; n <= changeAt + 4800; ++n)
        ASSERT_GE(delay[static_cast<size_t>(n)], delay[static_cast<size_t>(n - 1)] - 1e-3)
            << "the read position jumped back at sample " << n;
}

TEST(FractionalDelayWithFeedback, RepeatsLoseTheLowEndBelow1600Hertz)
{
    // A 1200-sample tone burst into a 4800-sample line with feedback 0.5: the first repeat of
    // 8 kHz keeps the feedback gain (within 0.5 dB; the Q = 1 high-pass adds a little), the
    // first repeat of 100 Hz is at least 40 dB further down.
    auto firstRepeatDb = [](double hz)
    {
        FractionalDelayWithFeedback line(rate, eightSeconds);
        line.SetDelay(4800);
        line.SetFeedback(0.5f);
        auto in = sine(hz, 48000.0, 1200);
        in.resize(3 * 4800, 0.0f);
        const auto out = process(line, in);
        // Round trip is delay + 1 sample; skip the filter's start-up at the burst's edges.
        return decibels(toneAmplitude(out, 2 * 4800 + 1 + 240, 480, hz, 48000.0));
    };
    EXPECT_NEAR(firstRepeatDb(8000.0), decibels(0.5), 0.5) << "8 kHz repeat level";
    EXPECT_LT(firstRepeatDb(100.0), decibels(0.5) - 40.0) << "100 Hz repeat was not removed";
}

TEST(FractionalDelayWithFeedback, DcInputSettlesAtTheInput)
{
    // The high-pass removes DC from the loop, so a constant input comes out as itself once the
    // repeats of its onset have died away (within 1e-6, after 4 s).
    for (const float feedback : {0.5f, 0.8f})
    {
        FractionalDelayWithFeedback line(rate, eightSeconds);
        line.SetDelay(100);
        line.SetFeedback(feedback);
        const auto out = process(line, std::vector<float>(4 * 48000, 0.5f));
        EXPECT_NEAR(out.back(), 0.5f, 1e-6f) << "feedback " << feedback;
    }
}

TEST(FractionalDelayWithFeedback, FullFeedbackKeepsDcAtTheInputAndStaysBounded)
{
    // Above about 87 % feedback the Q = 1 high-pass (up to +1.25 dB above its cutoff) gives a
    // loop gain over 1, and the onset rings on at the clipper's level instead of dying away.
    // What holds: no DC is fed back (mean within 1e-3 of the input over the last second), and
    // the clipper bounds the fed-back part to 0.975.
    for (const int delay : {100, 4800})
    {
        FractionalDelayWithFeedback line(rate, eightSeconds);
        line.SetDelay(delay);
        line.SetFeedback(1.0f);
        const auto out = process(line, std::vector<float>(10 * 48000, 0.5f));
        EXPECT_NEAR(mean(out, out.size() - 48000, 48000), 0.5, 1e-3) << "delay " << delay;
        for (const float y : out)
            ASSERT_LE(std::fabs(y - 0.5f), 0.975f) << "delay " << delay << ": loop not bounded";
    }
}

TEST(FractionalDelayWithFeedback, NanFromTheFeedbackProcessorIsTreatedAsSilence)
{
    std::mt19937 noise(1);
    std::uniform_real_distribution<float> uniform(-1.0f, 1.0f);
    std::vector<float> in(20000);
    for (auto& x : in)
        x = uniform(noise);

    FractionalDelayWithFeedback poisoned(rate, eightSeconds);
    poisoned.feedbackProcessor = [](float) { return std::numeric_limits<float>::quiet_NaN(); };
    poisoned.SetDelay(300);
    poisoned.SetFeedback(1.0f);
    FractionalDelayWithFeedback dry(rate, eightSeconds);
    dry.SetDelay(300);
    dry.SetFeedback(0.0f);
    EXPECT_EQ(process(poisoned, in), process(dry, in))
        << "a NaN fed back must act as no feedback at all";
}

TEST(FractionalDelayWithFeedback, InfiniteFeedbackValueDoesNotKillTheLoop)
{
    // One infinite value from the processor, then honest ones: the repeats must go on.
    FractionalDelayWithFeedback line(rate, eightSeconds);
    bool fired = false;
    line.feedbackProcessor = [&fired](float x)
    {
        if (x != 0.0f && !fired)
        {
            fired = true;
            return std::numeric_limits<float>::infinity();
        }
        return x;
    };
    line.SetDelay(4800);
    line.SetFeedback(0.5f);
    auto in = sine(8000.0, 48000.0, 1200);
    in.resize(4 * 4800, 0.0f);
    const auto out = process(line, in);
    for (const float y : out)
        ASSERT_TRUE(std::isfinite(y));
    EXPECT_NEAR(decibels(toneAmplitude(out, 3 * 4800 + 2 + 240, 480, 8000.0, 48000.0)),
                decibels(0.25), 1.0)
        << "the second repeat is missing: the loop stayed dead after an infinite value";
}

TEST(FractionalDelayWithFeedback, OutputDoesNotDependOnTheBlockSize)
{
    // The engine sets delay and feedback once per block; with a frequency shifter in the loop,
    // as the engine installs it, the output must be the same for any block size (the changes
    // fall on a boundary common to all of them).
    std::mt19937 noise(7);
    std::uniform_real_distribution<float> uniform(-0.5f, 0.5f);
    std::vector<float> in(4160 * 3);
    for (auto& x : in)
        x = uniform(noise);

    auto run = [&in](int blockSize)
    {
        FractionalDelayWithFeedback line(rate, eightSeconds);
        line.SetDelayCoefficient(smoothingCoefficient(smoothingSamples(0.1f, 48000.0)));
        auto shifter = std::make_shared<FrequencyShift>(rate);
        shifter->SetFrequency(-120.0f);
        line.feedbackProcessor = [shifter](float x) { return shifter->ProcessSingle(x); };
        std::vector<float> out;
        for (size_t n = 0; n < in.size(); ++n)
        {
            if (n % static_cast<size_t>(blockSize) == 0)
            {
                line.SetDelay(n < 4160 ? 300 : 1234);
                line.SetFeedback(n < 4160 ? 0.7f : 0.4f);
            }
            out.push_back(line.ProcessSample(in[n]));
        }
        return out;
    };
    const auto reference = run(4160);
    for (const int blockSize : {1, 13, 64, 832})
        EXPECT_EQ(run(blockSize), reference) << "block size " << blockSize;
}

} // namespace
