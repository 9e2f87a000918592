#include "PluginHost.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{
const juce::File bundle{QUILLMERE_VST3_BUNDLE};

struct HostedPlugin : testing::Test
{
    std::unique_ptr<juce::AudioPluginInstance> load(double sampleRate = 48000.0,
                                                    int blockSize = 512)
    {
        return PluginHost::load(bundle, sampleRate, blockSize);
    }

    // Parameter changes reach a VST3 plug-in with the next processed block, as in a DAW.
    static void processOneBlock(juce::AudioPluginInstance& instance, int numSamples = 64)
    {
        juce::AudioBuffer<float> buffer(2, numSamples);
        buffer.clear();
        juce::MidiBuffer midi;
        instance.processBlock(buffer, midi);
    }

    static void setPostLimiter(juce::AudioPluginInstance& instance, bool on)
    {
        auto& parameter = PluginHost::parameter(instance, "Post Limiter");
        parameter.setValueNotifyingHost(on ? 1.0f : 0.0f);
    }
};

/** Points HOME at a new temporary folder for its lifetime: opening the plug-in's editor creates
    its preferences file there instead of in the user's own folders. */
class ScopedTemporaryHome
{
public:
    ScopedTemporaryHome()
    {
        if (const char* home = std::getenv("HOME"))
            previous = home;
        folder.createDirectory();
        setenv("HOME", folder.getFullPathName().toRawUTF8(), 1);
    }

    ~ScopedTemporaryHome()
    {
        if (previous.isNotEmpty())
            setenv("HOME", previous.toRawUTF8(), 1);
        else
            unsetenv("HOME");
        folder.deleteRecursively();
    }

    const juce::File folder = juce::File::getSpecialLocation(juce::File::tempDirectory)
                                  .getNonexistentChildFile("home", "");

private:
    juce::String previous;
};
} // namespace

TEST_F(HostedPlugin, FactoryPublishesTheIdentity)
{
    const auto description = PluginHost::describe(bundle);
    EXPECT_EQ(description.name, "Quillmere");
    EXPECT_EQ(description.descriptiveName, "Quillmere");
    EXPECT_EQ(description.manufacturerName, "Tallowbark Industries");
    EXPECT_EQ(description.category, "Fx");
    EXPECT_EQ(description.version, "1.0.0");
    EXPECT_EQ(description.pluginFormatName, "VST3");
    EXPECT_FALSE(description.isInstrument);
    EXPECT_EQ(description.numInputChannels, 2);
    EXPECT_EQ(description.numOutputChannels, 2);
}

TEST_F(HostedPlugin, ListsTheTenParametersWithTheirDefaultTexts)
{
    const auto instance = load();
    const std::pair<const char*, const char*> expected[] = {
        {"Dry", "-3.00"},           {"Wet", "-3.00"},       {"Count", "4"},
        {"Delay", "50.00"},         {"TimeSpread", "1.62"}, {"Feedback", "50.00"},
        {"Shift Path", "FEEDBACK"}, {"Shift", "333.00"},    {"Shift Style", "OUT"},
        {"Post Limiter", "On"}};

    const auto& parameters = instance->getParameters();
    ASSERT_EQ(parameters.size(), 11) << "the ten parameters and the wrapper's bypass, no MIDI CCs";
    for (int index = 0; index < 10; ++index)
    {
        EXPECT_EQ(parameters[index]->getName(100), expected[index].first) << index;
        EXPECT_EQ(parameters[index]->getCurrentValueAsText(), expected[index].second)
            << expected[index].first;
    }
    EXPECT_EQ(parameters[10], instance->getBypassParameter());
}

TEST_F(HostedPlugin, StateSavedByTheHostRestoresIntoAnotherInstance)
{
    const auto source = load();
    const std::pair<const char*, float> changes[] = {
        {"Dry", 0.2f},        {"Count", 0.9f},        {"Delay", 0.33f},
        {"Shift Path", 0.0f}, {"Shift Style", 0.75f}, {"Post Limiter", 0.0f}};
    for (const auto& [name, value] : changes)
        PluginHost::parameter(*source, name).setValueNotifyingHost(value);
    processOneBlock(*source);

    juce::MemoryBlock state;
    source->getStateInformation(state);

    const auto target = load();
    target->setStateInformation(state.getData(), static_cast<int>(state.getSize()));
    processOneBlock(*target);

    for (int index = 0; index < 10; ++index)
        EXPECT_EQ(target->getParameters()[index]->getCurrentValueAsText(),
                  source->getParameters()[index]->getCurrentValueAsText())
            << source->getParameters()[index]->getName(100);
    EXPECT_EQ(PluginHost::parameter(*target, "Shift Path").getCurrentValueAsText(), "INPUT");
}

TEST_F(HostedPlugin, ReportsTheLimiterLatencyAfterPreparing)
{
    const struct
    {
        double sampleRate;
        bool limiterOn;
        int latency;
    } cases[] = {
        {44100.0, true, 44}, {48000.0, true, 48}, {44100.0, false, 0}, {48000.0, false, 0}};

    for (const auto& c : cases)
    {
        const auto instance = load(c.sampleRate);
        setPostLimiter(*instance, c.limiterOn);
        processOneBlock(*instance);
        instance->releaseResources();
        instance->prepareToPlay(c.sampleRate, 512);
        // The wrapper reports a latency change asynchronously, as DAWs expect.
        PluginHost::deliverHostNotifications();
        EXPECT_EQ(instance->getLatencySamples(), c.latency)
            << c.sampleRate << " Hz, Post Limiter " << c.limiterOn;
    }
}

TEST_F(HostedPlugin, AcceptsOnlyMatchingMonoOrStereoLayouts)
{
    using Set = juce::AudioChannelSet;
    const struct
    {
        const char* what;
        Set in, out;
        bool accepted;
    } cases[] = {{"mono/mono", Set::mono(), Set::mono(), true},
                 {"stereo/stereo", Set::stereo(), Set::stereo(), true},
                 {"mono/stereo", Set::mono(), Set::stereo(), false},
                 {"stereo/mono", Set::stereo(), Set::mono(), false},
                 {"5.1/5.1", Set::create5point1(), Set::create5point1(), false}};

    const auto instance = load();
    for (const auto& c : cases)
    {
        juce::AudioProcessor::BusesLayout layout;
        layout.inputBuses.add(c.in);
        layout.outputBuses.add(c.out);
        EXPECT_EQ(instance->checkBusesLayoutSupported(layout), c.accepted) << c.what;
    }
}

TEST_F(HostedPlugin, ProcessesAudioAndBypassesThroughTheHost)
{
    constexpr int blockSize = 512;
    const auto instance = load(48000.0, blockSize);
    instance->prepareToPlay(48000.0, blockSize);
    PluginHost::deliverHostNotifications();
    ASSERT_EQ(instance->getLatencySamples(), 48);

    juce::Random random(3);
    std::vector<float> input, output;
    const auto run = [&](int numBlocks)
    {
        juce::AudioBuffer<float> buffer(2, blockSize);
        juce::MidiBuffer midi;
        for (int block = 0; block < numBlocks; ++block)
        {
            for (int i = 0; i < blockSize; ++i)
            {
                const auto x = random.nextFloat() - 0.5f;
                input.push_back(x);
                buffer.setSample(0, i, x);
                buffer.setSample(1, i, x);
            }
            instance->processBlock(buffer, midi);
            output.insert(output.end(), buffer.getReadPointer(0),
                          buffer.getReadPointer(0) + blockSize);
        }
    };

    run(20);
    double difference = 0.0;
    for (size_t i = 48; i < output.size(); ++i)
        difference += std::abs(output[i] - input[i - 48] * 0.70794578f);
    EXPECT_GT(difference / static_cast<double>(output.size()), 0.01)
        << "the echoes are missing: the output is only the dry signal";

    instance->getBypassParameter()->setValueNotifyingHost(1.0f);
    const auto bypassStart = output.size();
    run(20);
    // After the 10 ms crossfade the host's bypass leaves the input, delayed by the latency.
    for (auto i = bypassStart + 4800; i < output.size(); ++i)
        ASSERT_NEAR(output[i], input[i - 48], 1e-6f) << i;
}

TEST_F(HostedPlugin, OpensScalesAndClosesItsEditorTenTimesInARow)
{
    const ScopedTemporaryHome home;
    const auto instance = load();
    ASSERT_TRUE(instance->hasEditor());

    for (int opening = 0; opening < 10; ++opening)
    {
        std::unique_ptr<juce::AudioProcessorEditor> editor(instance->createEditorIfNeeded());
        ASSERT_NE(editor, nullptr) << "opening " << opening;
        EXPECT_EQ(editor->getWidth(), 808) << "opening " << opening;
        EXPECT_EQ(editor->getHeight(), 712) << "opening " << opening;
        // What the host does on a 200 % display: the whole face at twice the size, not cropped.
        editor->setScaleFactor(2.0f);
        PluginHost::deliverHostNotifications(20);
        EXPECT_EQ(editor->getWidth(), 1616) << "opening " << opening;
        EXPECT_EQ(editor->getHeight(), 1424) << "opening " << opening;
        editor.reset();
        PluginHost::deliverHostNotifications(20);
        EXPECT_EQ(instance->getActiveEditor(), nullptr) << "opening " << opening;
    }
    EXPECT_TRUE(home.folder.getChildFile(".config/Tallowbark/Orrery_pref.json").existsAsFile())
        << "the plug-in's own editor was not opened";
}
