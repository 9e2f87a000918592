#include "ProcessorTestSupport.h"
#include "processor/TBIAudioProcessor.h"
#include "processor/dsp/SignalMeasure.h"

#include <gtest/gtest.h>

namespace
{
constexpr double rate = 48000.0;

std::vector<float> impulse(size_t length)
{
    std::vector<float> x(length, 0.0f);
    x[0] = 1.0f;
    return x;
}

std::vector<float> noise(size_t length, unsigned seed = 7)
{
    std::mt19937 engine(seed);
    std::uniform_real_distribution<float> u(-0.5f, 0.5f);
    std::vector<float> x(length);
    for (auto& v : x)
        v = u(engine);
    return x;
}

double energy(const std::vector<float>& x, size_t first, size_t count)
{
    double sum = 0.0;
    for (size_t i = first; i < std::min(x.size(), first + count); ++i)
        sum += static_cast<double>(x[i]) * static_cast<double>(x[i]);
    return sum;
}

struct Engine : testing::Test
{
    // Echoes only, unshifted, no repeats, no limiter: what comes out is the bare tap pattern.
    void plainTaps()
    {
        *p.dryParam = -18.0f;
        *p.wetParam = 0.0f;
        *p.feedbackParam = 0.0f;
        *p.shiftParam = 0.0f;
        *p.shiftStyleParam = 0.0f;
        *p.postLimiterParam = false;
    }

    void prepare(int blockSize = 512) { p.prepareToPlay(rate, blockSize); }

    TBIAudioProcessor p;
    ProcessorDriver driver{p};
};
} // namespace

TEST_F(Engine, AudibleTapsComeBackAtTheirDelays)
{
    // Taps are independent and switched by exact 0/1 gains, so adding one to Count changes the
    // output from exactly that tap's delay on; the shifters' allpass tails make onsets in the
    // summed output itself hard to read.
    const auto render = [](float count)
    {
        TBIAudioProcessor processor;
        *processor.dryParam = -18.0f;
        *processor.wetParam = 0.0f;
        *processor.feedbackParam = 0.0f;
        *processor.shiftParam = 0.0f;
        *processor.postLimiterParam = false;
        *processor.countParam = count;
        processor.prepareToPlay(rate, 512);
        return ProcessorDriver(processor).run(impulse(40000), 512);
    };
    const auto firstDifference = [](const std::vector<float>& a, const std::vector<float>& b)
    { return static_cast<size_t>(std::mismatch(a.begin(), a.end(), b.begin()).first - a.begin()); };

    // Delay 50 ms and TimeSpread 1.61803: taps at multiples of about 80.9 ms.
    std::vector<float> previous(40000, 0.0f);
    const size_t expected[] = {3883, 7766, 11649, 15533};
    for (int count = 1; count <= 4; ++count)
    {
        const auto current = render(static_cast<float>(count));
        EXPECT_EQ(firstDifference(current, previous), expected[count - 1]) << "Count " << count;
        previous = current;
    }

    EXPECT_EQ(firstDifference(render(8.0f), previous), 19416u)
        << "with Count 4 the fifth tap at 19416 must be silent, and nothing before it differs";
    EXPECT_EQ(render(1.99f), render(1.0f)) << "Count 1.99 leaves only the first tap";
}

TEST_F(Engine, MutedWetLeavesTheDryInputDelayedByTheLimiterLatency)
{
    *p.wetParam = -18.0f;
    *p.dryParam = 0.0f;
    prepare(256);
    const auto in = noise(4096);
    const auto out = driver.run(in, 256);

    const auto latency = static_cast<size_t>(p.getLatencySamples());
    ASSERT_EQ(latency, 48u);
    for (size_t i = 0; i < latency; ++i)
        ASSERT_EQ(out[i], 0.0f) << i;
    for (size_t i = latency; i < out.size(); ++i)
        ASSERT_NEAR(out[i], in[i - latency], 1e-6f) << i;
}

TEST_F(Engine, BypassWithTheLimiterOutputsTheInputDelayedByTheReportedLatency)
{
    prepare(128);
    const auto in = noise(2048);
    juce::AudioBuffer<float> buffer(2, 128);
    std::vector<float> out;
    for (size_t start = 0; start < in.size(); start += 128)
    {
        for (int ch = 0; ch < 2; ++ch)
            buffer.copyFrom(ch, 0, in.data() + start, 128);
        driver.process(buffer, true);
        out.insert(out.end(), buffer.getReadPointer(1), buffer.getReadPointer(1) + 128);
    }
    const auto latency = static_cast<size_t>(p.getLatencySamples());
    for (size_t i = latency; i < out.size(); ++i)
        ASSERT_NEAR(out[i], in[i - latency], 1e-6f) << i;
}

TEST_F(Engine, LevelsMuteJustAboveTheBottomOfTheirRange)
{
    const struct
    {
        float dry, wet;
        bool drySilent, wetSilent;
    } cases[] = {
        {-17.0f, 0.0f, true, false}, {0.0f, -17.0f, false, false}, {-17.01f, -17.01f, true, true}};

    for (const auto& c : cases)
    {
        TBIAudioProcessor processor;
        ProcessorDriver d(processor);
        *processor.dryParam = c.dry;
        *processor.wetParam = c.wet;
        *processor.feedbackParam = 0.0f;
        *processor.postLimiterParam = false;
        processor.prepareToPlay(rate, 512);
        const auto out = d.run(impulse(8192), 512);
        EXPECT_EQ(std::abs(out[0]) < 1e-9f, c.drySilent) << "dry " << c.dry;
        EXPECT_EQ(energy(out, 3800, 200) < 1e-12, c.wetSilent) << "wet " << c.wet;
    }
}

TEST_F(Engine, OutputDoesNotDependOnHowTheHostSlicesBlocks)
{
    *p.shiftStyleParam = 0.0f;
    *p.feedbackParam = 80.0f;
    const auto in = noise(12000);
    prepare(4096);
    const auto reference = driver.run(in, 4096);
    for (const int blockSize : {1, 7, 333, 4096})
    {
        TBIAudioProcessor other;
        ProcessorDriver d(other);
        *other.shiftStyleParam = 0.0f;
        *other.feedbackParam = 80.0f;
        other.prepareToPlay(rate, 4096);
        EXPECT_EQ(d.run(in, blockSize), reference) << "blocks of " << blockSize;
    }
}

TEST_F(Engine, RandomStylesRepeatAfterEveryPreparation)
{
    *p.shiftStyleParam = 6.0f;
    const auto in = noise(30000);
    prepare(256);
    const auto first = driver.run(in, 256);
    prepare(256);
    EXPECT_EQ(driver.run(in, 256), first);
}

TEST_F(Engine, UpStyleShiftsEachTapByItsRatio)
{
    using namespace signal_measure;
    // One 1 kHz burst; taps 250 ms apart so every echo stands alone; shifted at the taps' inputs.
    plainTaps();
    *p.countParam = 8.0f;
    *p.delayParam = 250.0f;
    *p.timeSpreadParam = 1.0f;
    *p.shiftPathParam = false;
    *p.shiftParam = 333.0f;
    prepare();
    const auto spacing = static_cast<size_t>(p.timeSpreadParam->get() * 0.25f * (float)rate);
    auto in = sine(1000.0, rate, 9600);
    in.resize(spacing * 9, 0.0f);
    const auto out = driver.run(in, 512);

    const struct
    {
        size_t tap;
        double shiftedHz;
    } cases[] = {{2, 1333.0}, {7, 2332.0}};
    for (const auto& c : cases)
    {
        const auto start = spacing * (c.tap + 1) + 2400;
        const auto shifted = toneAmplitude(out, start, 4800, c.shiftedHz, rate);
        EXPECT_NEAR(shifted, 1.0, 0.02) << "tap " << c.tap;
        EXPECT_LT(toneAmplitude(out, start, 4800, 1000.0, rate), 0.02) << "tap " << c.tap;
    }
}

TEST_F(Engine, ANonFiniteInputSampleDoesNotPoisonTheOutput)
{
    prepare(64);
    auto in = noise(4096);
    in[100] = std::numeric_limits<float>::quiet_NaN();
    in[200] = std::numeric_limits<float>::infinity();
    const auto out = driver.run(in, 64);
    for (size_t i = 0; i < out.size(); ++i)
        ASSERT_TRUE(std::isfinite(out[i])) << i;
    EXPECT_GT(energy(out, 3900, 196), 0.0) << "the echoes go on";
}

TEST_F(Engine, HugeFiniteInputNeitherOverflowsNorStopsTheLimiter)
{
    prepare(64);
    auto in = noise(48000);
    for (size_t i = 1000; i < 1100; ++i)
        in[i] = (i % 2 == 0 ? 1.0f : -1.0f) * 1.0e38f;
    const auto out = driver.run(in, 64);
    for (size_t i = 0; i < out.size(); ++i)
        ASSERT_TRUE(std::isfinite(out[i])) << i;
    // Long after the burst the limited echoes are back under the ceiling (plus the dry part).
    for (size_t i = 40000; i < out.size(); ++i)
        ASSERT_LT(std::abs(out[i]), 2.0f) << i;
}

TEST_F(Engine, BlocksLongerThanAnnouncedAreProcessedInPieces)
{
    const auto in = noise(5000);
    prepare(64);
    const auto pieces = driver.run(in, 5000);
    TBIAudioProcessor other;
    ProcessorDriver d(other);
    other.prepareToPlay(rate, 64);
    EXPECT_EQ(d.run(in, 64), pieces);
}

TEST_F(Engine, TurningThePostLimiterBackOnRestartsTheDryDelayFromSilence)
{
    *p.wetParam = -18.0f;
    *p.dryParam = 0.0f;
    prepare(128);
    driver.run(noise(1024), 128);
    *p.postLimiterParam = false;
    driver.run(noise(128), 128);
    *p.postLimiterParam = true;
    const auto in = noise(256, 3);
    const auto out = driver.run(in, 128);
    for (size_t i = 0; i < 48; ++i)
        EXPECT_EQ(out[i], 0.0f) << i;
    EXPECT_NEAR(out[48], in[0], 1e-6f);
}

TEST(EngineParameters, ANaNFromTheHostReadsAsTheBottomOfTheRange)
{
    // JUCE's parameters keep a NaN normalised value as it is; the engine and the saved state must
    // still see a number inside the range, the same one for every reader.
    const auto in = noise(9600);
    for (int index = 0; index < 10; ++index)
    {
        TBIAudioProcessor withNaN;
        TBIAudioProcessor atBottom;
        auto* parameter = withNaN.getParameters()[index];
        if (dynamic_cast<juce::AudioParameterFloat*>(parameter) == nullptr)
            continue;
        const auto name = parameter->getName(50);
        parameter->setValue(std::numeric_limits<float>::quiet_NaN());
        auto* reference = dynamic_cast<juce::AudioParameterFloat*>(atBottom.getParameters()[index]);
        *reference = reference->range.start;

        juce::MemoryBlock savedWithNaN;
        juce::MemoryBlock savedAtBottom;
        withNaN.getStateInformation(savedWithNaN);
        atBottom.getStateInformation(savedAtBottom);
        EXPECT_EQ(savedWithNaN, savedAtBottom) << name;

        withNaN.prepareToPlay(rate, 480);
        atBottom.prepareToPlay(rate, 480);
        ProcessorDriver nanDriver(withNaN);
        ProcessorDriver bottomDriver(atBottom);
        const auto out = nanDriver.run(in, 480);
        EXPECT_EQ(out, bottomDriver.run(in, 480)) << name;
        EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](float x) { return std::isfinite(x); }))
            << name;
    }
}
