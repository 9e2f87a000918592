#include "OnePoleSmoother.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace
{

//==============================================================================
// Times in samples and the coefficient built from them.

struct SmoothingTime
{
    float seconds;
    double sampleRate;
    int samples;
};

TEST(SmoothingTime, FloatConstantsTruncateToTheseSampleCounts)
{
    // The constants are floats widened to double, so several land just under a whole number.
    const SmoothingTime cases[] = {
        {0.01f, 48000.0, 479},    {0.0425f, 48000.0, 2040}, {0.05f, 48000.0, 2400},
        {0.1f, 48000.0, 4800},    {0.02f, 48000.0, 959},    {0.01f, 44100.0, 440},
        {0.0425f, 44100.0, 1874}, {0.05f, 44100.0, 2205},   {0.1f, 44100.0, 4410},
        {0.02f, 44100.0, 881},
    };
    for (const auto& c : cases)
        EXPECT_EQ(smoothingSamples(c.seconds, c.sampleRate), c.samples)
            << c.seconds << " s at " << c.sampleRate << " Hz";
}

TEST(SmoothingCoefficient, CoversOneMinusOneOverEOfAStepInNSamples)
{
    // Tolerance 2e-3 absorbs float rounding of the glide over up to 4800 steps.
    for (const int n : {1, 2, 479, 2040, 4800})
    {
        OnePoleSmoother s;
        s.coefficient = smoothingCoefficient(n);
        s.snapNext = false;
        s.SetTarget(1.0f);
        float v = 0.0f;
        for (int i = 0; i < n; ++i)
            v = s.Next();
        EXPECT_NEAR(v, 1.0 - std::exp(-1.0), 2e-3) << "glide after n = " << n << " steps";
    }
}

TEST(SmoothingCoefficient, BelowOneSampleJumpsInOneStep)
{
    for (const int n : {0, -1, -480})
    {
        EXPECT_EQ(smoothingCoefficient(n), 1.0f) << "n = " << n;
        OnePoleSmoother s;
        s.coefficient = smoothingCoefficient(n);
        s.snapNext = false;
        s.SetTarget(0.7f);
        EXPECT_EQ(s.Next(), 0.7f) << "a coefficient of 1 must reach the target at once";
    }
}

//==============================================================================
// Stepping rules, for both precisions.

template <typename Smoother>
class SmootherRules : public ::testing::Test
{
protected:
    using Value = decltype(Smoother::current);

    static Smoother gliding(Value from, Value to, float coefficient)
    {
        Smoother s;
        s.SetTarget(from);
        s.snapNext = false;
        s.coefficient = static_cast<Value>(coefficient);
        s.SetTarget(to);
        return s;
    }

    static bool isSubnormal(Value v) { return std::fpclassify(v) == FP_SUBNORMAL; }
};

using SmootherTypes = ::testing::Types<OnePoleSmoother, OnePoleSmootherDouble>;
TYPED_TEST_SUITE(SmootherRules, SmootherTypes);

TYPED_TEST(SmootherRules, GlideEndsExactlyOnTargetWithoutOvershootOrSubnormals)
{
    using Sample = typename TestFixture::Value;
    struct Glide
    {
        Sample from, to;
        float coefficient;
    };
    const float shiftCoefficient = smoothingCoefficient(2040);
    const Glide glides[] = {
        {0, 1332, shiftCoefficient},
        {1332, 0, shiftCoefficient},
        {Sample(0.25), Sample(-0.75), 0.3f},
        {1, Sample(1.001), 0.01f},
        {Sample(1e-30), 0, 0.5f},
        {0, 3, 1.0f},
    };
    for (const auto& g : glides)
    {
        auto s = TestFixture::gliding(g.from, g.to, g.coefficient);
        const long maxSteps = 5'000'000;
        long steps = 0;
        Sample previous = g.from;
        bool monotonic = true;
        bool subnormal = false;
        while (s.current != g.to && steps < maxSteps)
        {
            const Sample v = s.Next();
            monotonic = monotonic &&
                        (g.to > g.from ? v >= previous && v <= g.to : v <= previous && v >= g.to);
            subnormal =
                subnormal || TestFixture::isSubnormal(v) || TestFixture::isSubnormal(s.current);
            previous = v;
            ++steps;
        }
        EXPECT_EQ(s.current, g.to) << "glide " << g.from << " -> " << g.to
                                   << " never arrived exactly within " << maxSteps << " steps";
        EXPECT_TRUE(monotonic) << "glide " << g.from << " -> " << g.to << " overshot or reversed";
        EXPECT_FALSE(subnormal) << "glide " << g.from << " -> " << g.to
                                << " left a subnormal value";
        EXPECT_EQ(s.Next(), g.to) << "an arrived smoother must stay on its target";
    }
}

TYPED_TEST(SmootherRules, StepThatWouldBeSubnormalBecomesZero)
{
    using Sample = typename TestFixture::Value;
    const Sample smallestNormal = std::numeric_limits<Sample>::min();
    auto s = TestFixture::gliding(smallestNormal * 4, 0, 0.5f);
    EXPECT_EQ(s.Next(), smallestNormal * 2);
    EXPECT_EQ(s.Next(), smallestNormal);
    EXPECT_EQ(s.Next(), Sample(0)) << "half the smallest normal must be flushed to 0";
    EXPECT_EQ(s.current, Sample(0));
}

TYPED_TEST(SmootherRules, IdleSmootherOnInfiniteTargetStaysFinite)
{
    // An idle smoother must not compute (inf - inf), which would give NaN.
    using Sample = typename TestFixture::Value;
    TypeParam s;
    s.SetTarget(std::numeric_limits<Sample>::infinity());
    EXPECT_EQ(s.Next(), std::numeric_limits<Sample>::infinity());
}

TYPED_TEST(SmootherRules, NanTargetGlidesToZeroInsteadOfPoisoning)
{
    using Sample = typename TestFixture::Value;
    auto s = TestFixture::gliding(1, std::numeric_limits<Sample>::quiet_NaN(), 0.5f);
    for (int i = 0; i < 2000 && s.current != 0; ++i)
        ASSERT_FALSE(std::isnan(s.Next())) << "NaN target leaked into the value at step " << i;
    EXPECT_EQ(s.current, Sample(0)) << "a NaN target must act as 0";
    s.SetTarget(2);
    s.coefficient = 1;
    EXPECT_EQ(s.Next(), Sample(2)) << "the smoother must recover for a later finite target";
}

TYPED_TEST(SmootherRules, SnapNextMovesCurrentUntilCleared)
{
    TypeParam s;
    s.coefficient = 0.5;
    s.SetTarget(3);
    s.SetTarget(5);
    EXPECT_EQ(s.current, 5) << "while snapping, the last SetTarget wins";
    EXPECT_EQ(s.Next(), 5);
    s.snapNext = false;
    s.SetTarget(9);
    EXPECT_EQ(s.current, 5) << "after snapNext is cleared SetTarget must not move current";
    EXPECT_EQ(s.Next(), 7) << "half-way step with coefficient 0.5";
}

TYPED_TEST(SmootherRules, RepeatingTheTargetEachBlockDoesNotDisturbTheGlide)
{
    // The engine sets every target once per block; the glide must not depend on the block size.
    using Sample = typename TestFixture::Value;
    auto run = [](int blockSize)
    {
        TypeParam s;
        s.coefficient = static_cast<Sample>(smoothingCoefficient(479));
        std::vector<Sample> out;
        for (int i = 0; i < 6000; ++i)
        {
            if (i % blockSize == 0)
                s.SetTarget(i < 3000 ? Sample(1) : Sample(-0.5));
            s.snapNext = false;
            out.push_back(s.Next());
        }
        return out;
    };
    const auto reference = run(3000);
    for (const int blockSize : {1, 3, 8, 125, 1000})
        EXPECT_EQ(run(blockSize), reference) << "block size " << blockSize << " changed the glide";
}

} // namespace
