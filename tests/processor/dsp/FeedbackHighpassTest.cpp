#include "FeedbackHighpass.h"

#include "SignalMeasure.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace
{

using namespace signal_measure;

TEST(TanApprox, FollowsTanOverTheUsedRange)
{
    // The formula's own value at 0.5 (tan 0.5 = 0.5463025); 1e-6 separates it from both.
    EXPECT_NEAR(tanApprox(0.5), 0.546291, 1e-6);
    // 1600 Hz at 8 kHz and above means w <= 0.63; the approximation stays within 0.01 % there
    // and within 0.1 % up to 1.2.
    for (double w = 0.001; w < 1.2; w += 0.001)
        ASSERT_NEAR(tanApprox(w) / std::tan(w), 1.0, w < 0.63 ? 1e-4 : 1e-3) << "w = " << w;
}

double gainAt(double hz, double sampleRate)
{
    // Settle for half a second, then measure over a tenth of a second (whole cycles of
    // multiples of 10 Hz).
    const int settle = static_cast<int>(sampleRate / 2.0);
    const int count = static_cast<int>(sampleRate / 10.0);
    const auto in = sine(hz, sampleRate, settle + count);
    FeedbackHighpass filter(static_cast<float>(sampleRate));
    std::vector<float> out;
    for (const float x : in)
        out.push_back(filter.ProcessSample(static_cast<double>(x)));
    return decibels(toneAmplitude(out, static_cast<size_t>(settle), static_cast<size_t>(count), hz,
                                  sampleRate));
}

TEST(FeedbackHighpass, IsA1600HertzQOfOneHighpassAtEverySampleRate)
{
    // Q = 1: unity gain at the cutoff, the +1.25 dB peak half an octave above, 12 dB/octave
    // below (-48.2 dB four octaves down), close to unity high above. Tolerances 0.05 dB at the
    // cutoff and the peak, 0.3 dB far below it, 0.15 dB in the passband.
    struct Point
    {
        double hz;
        double db;
        double tolerance;
    };
    const Point points[] = {
        {1600.0, 0.0, 0.05}, {2260.0, 1.25, 0.05}, {100.0, -48.16, 0.3}, {10000.0, 0.0, 0.15}};
    for (const double sampleRate : {44100.0, 48000.0, 96000.0})
        for (const auto& p : points)
            EXPECT_NEAR(gainAt(p.hz, sampleRate), p.db, p.tolerance)
                << "gain at " << p.hz << " Hz, sample rate " << sampleRate;
}

TEST(FeedbackHighpass, RemovesDc)
{
    FeedbackHighpass filter(48000.0f);
    float out = 1.0f;
    for (int i = 0; i < 48000; ++i)
        out = filter.ProcessSample(0.5);
    EXPECT_NEAR(out, 0.0f, 1e-7f) << "a constant input must decay to 0";
}

TEST(FeedbackHighpass, NonFiniteInputDoesNotLockTheFilter)
{
    // inf followed by finite input would otherwise leave inf - inf = NaN in the state for good.
    // After the bad samples, the output must converge on that of a filter that never saw them
    // (within 1e-6 once the start-up transient has decayed).
    FeedbackHighpass filter(48000.0f);
    FeedbackHighpass clean(48000.0f);
    ASSERT_FALSE(std::isnan(filter.ProcessSample(std::numeric_limits<double>::infinity())));
    ASSERT_FALSE(std::isnan(filter.ProcessSample(std::numeric_limits<double>::quiet_NaN())));
    float difference = 0.0f;
    for (const float x : sine(5000.0, 48000.0, 9600))
    {
        const float y = filter.ProcessSample(static_cast<double>(x));
        ASSERT_FALSE(std::isnan(y)) << "the high-pass produced NaN";
        difference = std::fabs(y - clean.ProcessSample(static_cast<double>(x)));
    }
    EXPECT_LT(difference, 1e-6f) << "the filter did not recover after a non-finite input";
}

} // namespace
