#include "ProcessorTestSupport.h"
#include "processor/TBIAudioProcessor.h"

#include <gtest/gtest.h>

#include <random>

namespace
{
struct RequestsTest : testing::Test
{
    void SetUp() override { processor.prepareToPlay(48000.0, 64); }

    void setAllAwayFromDefaults()
    {
        *processor.dryParam = 2.0f;
        *processor.wetParam = -12.0f;
        *processor.countParam = 1.5f;
        *processor.delayParam = 200.0f;
        *processor.timeSpreadParam = 0.3f;
        *processor.feedbackParam = 99.0f;
        *processor.shiftPathParam = false;
        *processor.shiftParam = 10.0f;
        *processor.shiftStyleParam = 6.0f;
        *processor.postLimiterParam = false;
    }

    TBIAudioProcessor processor;
    ProcessorDriver driver{processor};
    InstanceStorage& storage = *processor.getInstanceStorage();
};

void expectDefaults(TBIAudioProcessor& p, bool includingRandomized)
{
    EXPECT_EQ(p.dryParam->get(), -3.0f);
    EXPECT_EQ(p.wetParam->get(), -3.0f);
    EXPECT_TRUE(p.postLimiterParam->get());
    if (!includingRandomized)
        return;
    EXPECT_EQ(p.countParam->get(), 4.0f);
    EXPECT_EQ(p.delayParam->get(), 50.0f);
    EXPECT_FLOAT_EQ(p.timeSpreadParam->get(), 1.615f);
    EXPECT_EQ(p.feedbackParam->get(), 50.0f);
    EXPECT_TRUE(p.shiftPathParam->get());
    EXPECT_EQ(p.shiftParam->get(), 333.0f);
    EXPECT_EQ(p.shiftStyleParam->get(), 2.0f);
}
} // namespace

TEST_F(RequestsTest, ResetWaitsForTheNextBlockAndThenRestoresEveryDefault)
{
    setAllAwayFromDefaults();
    storage.resetRequested = true;
    EXPECT_EQ(processor.dryParam->get(), 2.0f) << "nothing happens before a block";

    driver.silence(0);
    expectDefaults(processor, true);
    EXPECT_FALSE(storage.resetRequested) << "the request is consumed";
    EXPECT_EQ(processor.getLatencySamples(), 48)
        << "turning Post Limiter back on reports the latency in the same block";
}

TEST_F(RequestsTest, RequestsAreCarriedOutInBypassedBlocksToo)
{
    setAllAwayFromDefaults();
    storage.resetRequested = true;
    driver.silence(16, true);
    expectDefaults(processor, true);
}

TEST_F(RequestsTest, RandomizeFollowsTheDrawRuleAndLeavesLevelsAlone)
{
    processor.seedRandomize(1234);
    storage.randomizeRequested = true;
    driver.silence(8);

    // The same draws taken independently: uniform_real_distribution<double> on a 32-bit
    // engine consumes two outputs per value.
    std::mt19937 model(1234);
    std::uniform_real_distribution<double> u;
    const auto lerp = [&](double a, double b)
    { return static_cast<float>(a + u(model) * (b - a)); };
    const auto snap = [](juce::AudioParameterFloat& p, float v)
    { return p.convertFrom0to1(p.convertTo0to1(v)); };

    EXPECT_EQ(processor.countParam->get(), lerp(1, 8));
    EXPECT_EQ(processor.delayParam->get(), snap(*processor.delayParam, lerp(10, 250)));
    EXPECT_EQ(processor.shiftPathParam->get(), u(model) >= 0.5);
    EXPECT_EQ(processor.timeSpreadParam->get(),
              snap(*processor.timeSpreadParam, lerp(0.125, (double)1.61803f)));
    EXPECT_EQ(processor.feedbackParam->get(), snap(*processor.feedbackParam, lerp(0, 100)));
    EXPECT_EQ(processor.shiftParam->get(), snap(*processor.shiftParam, lerp(0, 666)));
    EXPECT_EQ(processor.shiftStyleParam->get(), lerp(0, 6));
    expectDefaults(processor, false);

    // Fourteen outputs per randomize: the next request continues from the same point.
    storage.randomizeRequested = true;
    driver.silence(8);
    EXPECT_EQ(processor.countParam->get(), lerp(1, 8));
}

TEST_F(RequestsTest, RandomizedValuesStayInRangeAndOnTheirGrids)
{
    for (int round = 0; round < 200; ++round)
    {
        storage.randomizeRequested = true;
        driver.silence(0);
        expectDefaults(processor, false);
        EXPECT_LE(processor.timeSpreadParam->get(), 1.615f + 1e-6f);
        EXPECT_LT(processor.countParam->get(), 8.0f);
        EXPECT_LT(processor.shiftStyleParam->get(), 6.0f);
        for (auto* grid : {processor.delayParam, processor.feedbackParam, processor.shiftParam})
        {
            const auto steps = (grid->get() - grid->range.start) / 0.01f;
            EXPECT_NEAR(steps, std::round(steps), 1e-2f) << grid->getName(20);
        }
    }
}

TEST_F(RequestsTest, BothRequestsResetFirstThenRandomize)
{
    setAllAwayFromDefaults();
    storage.resetRequested = true;
    storage.randomizeRequested = true;
    driver.silence(4);
    expectDefaults(processor, false);
    EXPECT_FALSE(storage.resetRequested);
    EXPECT_FALSE(storage.randomizeRequested);
}

TEST(Requests, ProcessorsSeedTheirGeneratorsIndependently)
{
    TBIAudioProcessor a, b;
    for (auto* p : {&a, &b})
    {
        p->getInstanceStorage()->randomizeRequested = true;
        ProcessorDriver(*p).silence(0);
    }
    EXPECT_NE(a.delayParam->get() + a.shiftParam->get(), b.delayParam->get() + b.shiftParam->get());
}
