#include "BasicDelay.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace
{

/** A dry-path delay as the engine builds it for a look-ahead of m samples. */
BasicDelay dryDelay(int m)
{
    BasicDelay delay(2 * m);
    delay.SetDelayCoefficient(0.63212055f);
    delay.SetDelay(m);
    delay.Reset();
    return delay;
}

std::vector<float> noise(size_t n, unsigned seed)
{
    std::mt19937 engine(seed);
    std::uniform_real_distribution<float> uniform(-1.0f, 1.0f);
    std::vector<float> x(n);
    for (auto& v : x)
        v = uniform(engine);
    return x;
}

TEST(BasicDelay, DelaysByExactlyTheLookAheadFromTheFirstBlock)
{
    for (const int m : {44, 48, 96})
    {
        auto delay = dryDelay(m);
        const auto in = noise(1000, 1);
        auto out = in;
        delay.ProcessInPlace(static_cast<int>(out.size()), out.data());
        for (size_t i = 0; i < out.size(); ++i)
            ASSERT_EQ(out[i], i < static_cast<size_t>(m) ? 0.0f : in[i - static_cast<size_t>(m)])
                << "look-ahead " << m << ", sample " << i;
    }
}

TEST(BasicDelay, ZeroLookAheadPassesTheInputThrough)
{
    // A zero-length request still gets a one-sample buffer, and delay 0 returns the input.
    auto delay = dryDelay(0);
    const auto in = noise(100, 2);
    auto out = in;
    delay.ProcessInPlace(static_cast<int>(out.size()), out.data());
    EXPECT_EQ(out, in);
}

TEST(BasicDelay, DelayOutsideTheBufferIsIgnored)
{
    auto delay = dryDelay(48);
    delay.SetDelay(96);
    delay.SetDelay(-1);
    std::vector<float> x(100, 0.0f);
    x[0] = 1.0f;
    delay.ProcessInPlace(static_cast<int>(x.size()), x.data());
    EXPECT_EQ(x[48], 1.0f) << "a rejected SetDelay changed the delay";
}

TEST(BasicDelay, LaterDelayChangesGlide)
{
    // A ramp input makes the output a reading of the delay: d = n - out[n]. With coefficient
    // 1 - 1/e the first step after a change covers 63 % of it, and the glide ends on the new
    // delay within 30 samples.
    auto delay = dryDelay(48);
    std::vector<float> ramp(200);
    for (size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = static_cast<float>(i);
    auto out = ramp;
    delay.ProcessInPlace(100, out.data());
    delay.SetDelay(20);
    delay.ProcessInPlace(100, out.data() + 100);
    const double firstStep = 100.0 - static_cast<double>(out[100]);
    EXPECT_NEAR(firstStep, 48.0 - 28.0 * 0.63212055, 1e-3) << "the first step of the glide";
    EXPECT_EQ(130.0f - out[130], 20.0f) << "the glide did not end on the new delay";
}

TEST(BasicDelay, ResetDropsWhatIsStillWaitingToBeRead)
{
    // After Reset the next m outputs are silent, whether or not the pending samples wrap
    // around the end of the buffer (60 and 100 samples processed before the reset).
    for (const int before : {60, 100})
    {
        auto delay = dryDelay(48);
        std::vector<float> ones(static_cast<size_t>(before), 1.0f);
        delay.ProcessInPlace(before, ones.data());
        delay.Reset();
        std::vector<float> silence(48, 0.0f);
        delay.ProcessInPlace(48, silence.data());
        EXPECT_EQ(silence, std::vector<float>(48, 0.0f))
            << "stale samples came out after Reset (" << before << " processed before)";
    }
}

TEST(BasicDelay, OutputDoesNotDependOnHowBlocksAreSliced)
{
    // Includes a delay change (a glide) at a boundary common to all slicings, and empty or
    // negative-length blocks, which must change nothing.
    const auto in = noise(3000, 3);
    auto run = [&in](const std::vector<int>& sizes)
    {
        auto delay = dryDelay(48);
        auto data = in;
        size_t at = 0;
        for (const int size : sizes)
        {
            if (at == 1500)
                delay.SetDelay(20);
            delay.ProcessInPlace(0, data.data() + at);
            delay.ProcessInPlace(-5, data.data() + at);
            delay.ProcessInPlace(size, data.data() + at);
            at += static_cast<size_t>(size);
        }
        return data;
    };
    const auto reference = run({1500, 1500});
    EXPECT_EQ(run(std::vector<int>(3000, 1)), reference) << "sample by sample";
    EXPECT_EQ(run({7, 493, 1000, 1, 1499}), reference) << "odd pieces";
}

} // namespace
