#include "ProcessorTestSupport.h"
#include "processor/TBIAudioProcessor.h"

#include <gtest/gtest.h>

namespace
{
using Set = juce::AudioChannelSet;

juce::AudioProcessor::BusesLayout layout(Set in, Set out, bool hasInputBus = true)
{
    juce::AudioProcessor::BusesLayout result;
    if (hasInputBus)
        result.inputBuses.add(in);
    result.outputBuses.add(out);
    return result;
}

juce::AudioBuffer<float> ramp(int numSamples)
{
    juce::AudioBuffer<float> buffer(2, numSamples);
    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < numSamples; ++i)
            buffer.setSample(ch, i, 0.001f * static_cast<float>(i + 1) * (ch == 0 ? 1.0f : -1.0f));
    return buffer;
}

bool equal(const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b)
{
    for (int ch = 0; ch < a.getNumChannels(); ++ch)
        for (int i = 0; i < a.getNumSamples(); ++i)
            if (a.getSample(ch, i) != b.getSample(ch, i))
                return false;
    return true;
}
} // namespace

TEST(HostAnswers, FixedAnswers)
{
    TBIAudioProcessor p;
    EXPECT_EQ(p.getName(), "Quillmere");
    EXPECT_EQ(p.getTailLengthSeconds(), 0.0);
    EXPECT_TRUE(p.acceptsMidi());
    EXPECT_FALSE(p.producesMidi());
    EXPECT_FALSE(p.isMidiEffect());
    EXPECT_EQ(p.getNumPrograms(), 1);
    EXPECT_EQ(p.getProgramName(0), "Default") << "validators reject a nameless program";
    EXPECT_EQ(p.getProgramName(1), "");
    p.setCurrentProgram(3);
    EXPECT_EQ(p.getCurrentProgram(), 0);
    EXPECT_EQ(p.getBus(true, 0)->getName(), "Input");
    EXPECT_EQ(p.getBus(false, 0)->getName(), "Output");
    EXPECT_EQ(p.getTotalNumInputChannels(), 2);
    EXPECT_EQ(p.getTotalNumOutputChannels(), 2);
}

TEST(HostAnswers, BusLayouts)
{
    const struct
    {
        const char* what;
        juce::AudioProcessor::BusesLayout layout;
        bool accepted;
    } cases[] = {
        {"mono/mono", layout(Set::mono(), Set::mono()), true},
        {"stereo/stereo", layout(Set::stereo(), Set::stereo()), true},
        {"mono/stereo", layout(Set::mono(), Set::stereo()), false},
        {"stereo/mono", layout(Set::stereo(), Set::mono()), false},
        {"discrete two", layout(Set::discreteChannels(2), Set::discreteChannels(2)), false},
        {"5.1", layout(Set::create5point1(), Set::create5point1()), false},
        {"no output bus", juce::AudioProcessor::BusesLayout{{Set::stereo()}, {}}, false},
        {"stereo out without input bus", layout({}, Set::stereo(), false), false},
    };
    TBIAudioProcessor p;
    for (const auto& c : cases)
        EXPECT_EQ(p.checkBusesLayoutSupported(c.layout), c.accepted) << c.what;
}

TEST(HostAnswers, LatencyFollowsPostLimiterAtPreparation)
{
    TBIAudioProcessor p;
    EXPECT_EQ(p.getLatencySamples(), 0) << "before the first preparation";

    const struct
    {
        double sampleRate;
        bool limiterOn;
        int latency;
    } cases[] = {{44100.0, true, 44}, {48000.0, true, 48}, {96000.0, true, 96},
                 {44100.0, false, 0}, {48000.0, true, 48}, {48000.0, false, 0}};
    for (const auto& c : cases)
    {
        *p.postLimiterParam = c.limiterOn;
        p.prepareToPlay(c.sampleRate, 512);
        EXPECT_EQ(p.getLatencySamples(), c.latency) << c.sampleRate << " Hz, on " << c.limiterOn;
    }
}

TEST(HostAnswers, LatencyStepRunsAtTheStartOfEveryBlock)
{
    TBIAudioProcessor p;
    ProcessorDriver driver(p);
    p.prepareToPlay(48000.0, 64);

    *p.postLimiterParam = false;
    EXPECT_EQ(p.getLatencySamples(), 48) << "a change is seen only by the next block";
    driver.silence(0);
    EXPECT_EQ(p.getLatencySamples(), 0) << "a block of zero samples still runs the step";

    *p.postLimiterParam = true;
    driver.silence(16, true);
    EXPECT_EQ(p.getLatencySamples(), 48) << "bypassed blocks run it too";

    *p.postLimiterParam = false;
    *p.postLimiterParam = true;
    driver.silence(16);
    EXPECT_EQ(p.getLatencySamples(), 48);
}

TEST(HostAnswers, UnpreparedOrBadlyPreparedProcessorPassesAudioThrough)
{
    const struct
    {
        const char* what;
        double sampleRate;
        int blockSize;
    } preparations[] = {{"never prepared", 0.0, -1},
                        {"NaN rate", std::numeric_limits<double>::quiet_NaN(), 64},
                        {"infinite rate", std::numeric_limits<double>::infinity(), 64},
                        {"zero rate", 0.0, 64},
                        {"negative rate", -48000.0, 64},
                        {"absurd rate", 1.0e12, 64},
                        {"zero block size", 48000.0, 0}};
    for (const auto& c : preparations)
    {
        TBIAudioProcessor p;
        if (c.blockSize >= 0)
            p.prepareToPlay(c.sampleRate, c.blockSize);
        auto buffer = ramp(256);
        ProcessorDriver(p).process(buffer);
        EXPECT_TRUE(equal(buffer, ramp(256))) << c.what;
    }
}

TEST(HostAnswers, MidiIsAcceptedAndIgnored)
{
    TBIAudioProcessor withMidi, without;
    for (auto* p : {&withMidi, &without})
        p->prepareToPlay(48000.0, 128);

    auto a = ramp(128);
    auto b = ramp(128);
    juce::MidiBuffer midi, none;
    midi.addEvent(juce::MidiMessage::noteOn(1, 60, 0.8f), 3);
    midi.addEvent(juce::MidiMessage::controllerEvent(1, 7, 20), 9);
    withMidi.processBlock(a, midi);
    without.processBlock(b, none);
    EXPECT_TRUE(equal(a, b));
    EXPECT_EQ(midi.getNumEvents(), 2);
}
