#include "FrequencyShift.h"

#include "SignalMeasure.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace
{

using namespace signal_measure;

/** Runs a sine through a shifter for one second (settling) plus a tenth of a second, which holds
    whole cycles of every multiple of 10 Hz; returns the output. */
std::vector<float> shiftedSine(double sampleRate, double inHz, float shiftHz)
{
    const int settle = static_cast<int>(sampleRate);
    const auto in = sine(inHz, sampleRate, settle + static_cast<int>(sampleRate / 10.0));
    FrequencyShift shifter(static_cast<float>(sampleRate));
    shifter.SetFrequency(shiftHz);
    std::vector<float> out;
    for (const float x : in)
        out.push_back(shifter.ProcessSingle(x));
    return out;
}

struct ShiftCase
{
    double sampleRate;
    double inHz;
    float shiftHz;
    double outHz;
    double imageHz;
    double imageLowDb, imageHighDb; // the other sideband, relative to the wanted one
};

TEST(FrequencyShift, MovesEveryToneByTheShiftAtUnchangedLevel)
{
    // The wanted tone within 0.01 dB of the input. The image is about 49 dB down at 1 kHz and
    // 48 kHz, further down at 100 Hz; at other sample rates only at least 40 dB down is asked.
    const ShiftCase cases[] = {
        {48000.0, 1000.0, 100.0f, 1100.0, 900.0, -50.0, -48.0},
        {48000.0, 1000.0, -100.0f, 900.0, 1100.0, -50.0, -48.0},
        {48000.0, 100.0, -300.0f, 200.0, 400.0, -57.0, -54.0}, // folds through 0 Hz
        {48000.0, 100.0, 300.0f, 400.0, 200.0, -57.0, -54.0},
        {44100.0, 1000.0, 100.0f, 1100.0, 900.0, -200.0, -40.0},
        {96000.0, 1000.0, 100.0f, 1100.0, 900.0, -200.0, -40.0},
    };
    for (const auto& c : cases)
    {
        const auto out = shiftedSine(c.sampleRate, c.inHz, c.shiftHz);
        const size_t first = static_cast<size_t>(c.sampleRate);
        const size_t count = out.size() - first;
        const double wanted = toneAmplitude(out, first, count, c.outHz, c.sampleRate);
        const double imageDb =
            decibels(toneAmplitude(out, first, count, c.imageHz, c.sampleRate) / wanted);
        const double input = toneAmplitude(out, first, count, c.inHz, c.sampleRate);
        SCOPED_TRACE(::testing::Message() << c.inHz << " Hz shifted by " << c.shiftHz << " Hz at "
                                          << c.sampleRate << " Hz");
        EXPECT_NEAR(decibels(wanted), 0.0, 0.01) << "wanted sideband " << c.outHz << " Hz";
        EXPECT_GE(imageDb, c.imageLowDb) << "image at " << c.imageHz << " Hz";
        EXPECT_LE(imageDb, c.imageHighDb) << "image at " << c.imageHz << " Hz";
        EXPECT_LT(decibels(input), -100.0) << "the input tone must be gone";
    }
}

TEST(FrequencyShift, ZeroHertzKeepsFrequencyAndLevel)
{
    // At 0 Hz only the allpass chain acts: the magnitude spectrum is untouched (0.01 dB).
    for (const double hz : {20.0, 1000.0, 15000.0})
    {
        const auto out = shiftedSine(48000.0, hz, 0.0f);
        EXPECT_NEAR(decibels(toneAmplitude(out, 48000, 4800, hz, 48000.0)), 0.0, 0.01)
            << hz << " Hz at 0 Hz shift";
    }
}

TEST(FrequencyShift, BadFrequencyFreezesThePhaseLikeZeroHertz)
{
    // Once the increment is 0, the phase stands still wherever it was: the output must equal,
    // sample for sample, that of a twin set to exactly 0 Hz.
    const float badFrequencies[] = {
        std::numeric_limits<float>::quiet_NaN(),
        std::numeric_limits<float>::infinity(),
        -std::numeric_limits<float>::infinity(),
        std::numeric_limits<float>::denorm_min(),
        -1.0e-40f,
    };
    const auto in = sine(1000.0, 48000.0, 9600);
    for (const float bad : badFrequencies)
    {
        FrequencyShift reference(48000.0f);
        FrequencyShift shifter(48000.0f);
        reference.SetFrequency(100.0f);
        shifter.SetFrequency(100.0f);
        for (size_t i = 0; i < 4801; ++i)
        {
            reference.ProcessSingle(in[i]);
            shifter.ProcessSingle(in[i]);
        }
        reference.SetFrequency(0.0f);
        shifter.SetFrequency(bad);
        bool same = true;
        for (size_t i = 4801; i < in.size(); ++i)
            same = same && reference.ProcessSingle(in[i]) == shifter.ProcessSingle(in[i]);
        EXPECT_TRUE(same) << "SetFrequency(" << bad << ") did not stop the phase";
    }
}

TEST(FrequencyShift, RecoversFromANonFiniteInputSample)
{
    // A NaN sample from the host must cost one sample, not the shifter's state for good.
    auto in = sine(1000.0, 48000.0, 48000 + 4800);
    in[100] = std::numeric_limits<float>::quiet_NaN();
    in[101] = std::numeric_limits<float>::infinity();
    FrequencyShift shifter(48000.0f);
    shifter.SetFrequency(100.0f);
    std::vector<float> out;
    for (const float x : in)
        out.push_back(shifter.ProcessSingle(x));
    for (size_t i = 0; i < out.size(); ++i)
        ASSERT_TRUE(std::isfinite(out[i])) << "non-finite output at sample " << i;
    EXPECT_NEAR(decibels(toneAmplitude(out, 48000, 4800, 1100.0, 48000.0)), 0.0, 0.01)
        << "the shifter did not recover its level after a bad input";
}

} // namespace
