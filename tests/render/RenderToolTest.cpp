#include "processor/TBIAudioProcessor.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <gtest/gtest.h>

namespace
{
const juce::File tool{QUILLMERE_RENDER_TOOL};
const juce::File vst3Bundle{QUILLMERE_VST3_BUNDLE};
const juce::File lv2Bundle{QUILLMERE_LV2_BUNDLE};

struct Result
{
    int exitStatus;
    juce::String output;
};

struct RenderTool : testing::Test
{
    void SetUp() override { folder.createDirectory(); }
    void TearDown() override { folder.deleteRecursively(); }

    juce::File file(const juce::String& name) const { return folder.getChildFile(name); }

    Result run(juce::StringArray arguments) const
    {
        arguments.insert(0, tool.getFullPathName());
        arguments.add("--quiet");
        juce::ChildProcess process;
        if (!process.start(arguments))
            return {-1, "could not start " + tool.getFullPathName()};
        const auto output = process.readAllProcessOutput();
        if (!process.waitForProcessToFinish(60000))
            return {-1, "still running after a minute"};
        return {static_cast<int>(process.getExitCode()), output};
    }

    juce::File write(const juce::String& name, const juce::AudioBuffer<float>& samples,
                     double sampleRate = 48000.0) const
    {
        const auto target = file(name);
        juce::WavAudioFormat wav;
        auto stream = target.createOutputStream();
        std::unique_ptr<juce::AudioFormatWriter> writer(
            wav.createWriterFor(stream.release(), sampleRate,
                                static_cast<unsigned>(samples.getNumChannels()), 32, {}, 0));
        writer->writeFromAudioSampleBuffer(samples, 0, samples.getNumSamples());
        return target;
    }

    static juce::AudioBuffer<float> read(const juce::File& source)
    {
        juce::AudioFormatManager formats;
        formats.registerBasicFormats();
        std::unique_ptr<juce::AudioFormatReader> reader(formats.createReaderFor(source));
        juce::AudioBuffer<float> samples(static_cast<int>(reader->numChannels),
                                         static_cast<int>(reader->lengthInSamples));
        reader->read(&samples, 0, samples.getNumSamples(), 0, true, true);
        return samples;
    }

    static juce::AudioBuffer<float> impulse(int numChannels, int length, float height = 0.5f)
    {
        juce::AudioBuffer<float> samples(numChannels, length);
        samples.clear();
        for (int ch = 0; ch < numChannels; ++ch)
            samples.setSample(ch, 0, height);
        return samples;
    }

    static juce::AudioBuffer<float> noise(int length)
    {
        juce::AudioBuffer<float> samples(2, length);
        juce::Random random(11);
        for (int ch = 0; ch < 2; ++ch)
            for (int i = 0; i < length; ++i)
                samples.setSample(ch, i, random.nextFloat() - 0.5f);
        return samples;
    }

    static int firstNonZero(const juce::AudioBuffer<float>& samples, int channel)
    {
        for (int i = 0; i < samples.getNumSamples(); ++i)
            if (samples.getSample(channel, i) != 0.0f)
                return i;
        return -1;
    }

    const juce::File folder = juce::File::getSpecialLocation(juce::File::tempDirectory)
                                  .getNonexistentChildFile("quillmere-render-test", "");
};

const juce::StringArray onlyFirstTap{"--set",   "Dry=-18", "--set",      "Wet=0", "--set",
                                     "Count=1", "--set",   "Feedback=0", "--set", "Shift=0"};
} // namespace

TEST_F(RenderTool, OutputIsAlignedWithTheInputLikeABounce)
{
    const auto input = write("in.wav", impulse(2, 48000));
    auto arguments = onlyFirstTap;
    arguments.addArray(
        {"--tail", "0.5", input.getFullPathName(), file("out.wav").getFullPathName()});
    ASSERT_EQ(run(arguments).exitStatus, 0);
    const auto out = read(file("out.wav"));
    EXPECT_EQ(out.getNumSamples(), 48000 + 24000) << "input plus the tail";
    EXPECT_EQ(firstNonZero(out, 0), 3883) << "the first tap's delay, with the latency removed";

    arguments.add("--no-latency-compensation");
    arguments.move(arguments.size() - 1, arguments.size() - 3);
    ASSERT_EQ(run(arguments).exitStatus, 0);
    EXPECT_EQ(firstNonZero(read(file("out.wav")), 1), 3883 + 48);
}

TEST_F(RenderTool, MonoStaysMonoAndSettingsGoByValueOrText)
{
    const auto input = write("in.wav", impulse(1, 4800));
    const auto result =
        run({"--set", "Delay=120", "--set", "shift style=wander", "--set", "Shift Path=INPUT",
             "--set", "Post Limiter=off", "--save-state", file("state.bin").getFullPathName(),
             "--tail", "0", input.getFullPathName(), file("out.flac").getFullPathName()});
    ASSERT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_EQ(read(file("out.flac")).getNumChannels(), 1);

    juce::MemoryBlock state;
    ASSERT_TRUE(file("state.bin").loadFileAsData(state));
    TBIAudioProcessor restored;
    restored.setStateInformation(state.getData(), static_cast<int>(state.getSize()));
    EXPECT_EQ(restored.delayParam->get(), 120.0f);
    EXPECT_EQ(restored.shiftStyleParam->get(), 6.0f);
    EXPECT_FALSE(restored.shiftPathParam->get());
    EXPECT_FALSE(restored.postLimiterParam->get());
}

TEST_F(RenderTool, SavedStateRendersLikeTheSettingsThatMadeIt)
{
    const auto input = write("in.wav", noise(9600));
    const auto state = file("state.bin").getFullPathName();
    ASSERT_EQ(run({"--set", "Shift Style=STAR", "--set", "Feedback=80", "--save-state", state,
                   "--tail", "1", input.getFullPathName(), file("a.wav").getFullPathName()})
                  .exitStatus,
              0);
    ASSERT_EQ(run({"--state", state, "--save-state", file("again.bin").getFullPathName(), "--tail",
                   "1", input.getFullPathName(), file("b.wav").getFullPathName()})
                  .exitStatus,
              0);
    EXPECT_TRUE(file("a.wav").hasIdenticalContentTo(file("b.wav")));
    EXPECT_TRUE(file("state.bin").hasIdenticalContentTo(file("again.bin")));
}

TEST_F(RenderTool, BuiltInVst3AndLv2GiveTheSameSamples)
{
    const auto input = write("in.wav", noise(24000));
    const juce::StringArray settings{"--set",   "Shift Style=JUMBLE",
                                     "--set",   "Feedback=90",
                                     "--set",   "Count=8",
                                     "--block", "333",
                                     "--float"};
    const struct
    {
        const char* name;
        juce::StringArray plugin;
    } hosts[] = {{"built-in", {}},
                 {"VST3", {"--plugin", vst3Bundle.getFullPathName()}},
                 {"LV2", {"--plugin", lv2Bundle.getFullPathName()}}};

    std::vector<juce::AudioBuffer<float>> outputs;
    for (const auto& host : hosts)
    {
        auto arguments = settings;
        arguments.addArray(host.plugin);
        const auto out = file(juce::String(host.name) + ".wav");
        arguments.addArray({"--tail", "1", input.getFullPathName(), out.getFullPathName()});
        const auto result = run(arguments);
        ASSERT_EQ(result.exitStatus, 0) << host.name << ": " << result.output;
        outputs.push_back(read(out));
    }
    for (size_t h = 1; h < outputs.size(); ++h)
        for (int ch = 0; ch < 2; ++ch)
            for (int i = 0; i < outputs[0].getNumSamples(); ++i)
                ASSERT_NEAR(outputs[h].getSample(ch, i), outputs[0].getSample(ch, i), 1e-6f)
                    << hosts[h].name << " channel " << ch << " sample " << i;
}

TEST_F(RenderTool, BypassPassesTheInputThrough)
{
    const auto input = write("in.wav", noise(4800));
    ASSERT_EQ(run({"--bypass", "--tail", "0", "--float", input.getFullPathName(),
                   file("out.wav").getFullPathName()})
                  .exitStatus,
              0);
    const auto in = read(input);
    const auto out = read(file("out.wav"));
    for (int i = 0; i < in.getNumSamples(); ++i)
        ASSERT_NEAR(out.getSample(0, i), in.getSample(0, i), 1e-6f) << i;
}

TEST_F(RenderTool, ErrorsSayWhatFailedAndLeaveNoOutput)
{
    const auto input = write("in.wav", impulse(2, 480)).getFullPathName();
    const auto surround = write("surround.wav", impulse(3, 480)).getFullPathName();
    file("garbage.wav").replaceWithText("this is no audio");
    const auto out = file("out.wav").getFullPathName();

    const struct
    {
        const char* what;
        juce::StringArray arguments;
        const char* message;
    } cases[] = {
        {"missing input", {file("none.wav").getFullPathName(), out}, "does not exist"},
        {"unreadable input", {file("garbage.wav").getFullPathName(), out}, "cannot read"},
        {"unknown output format",
         {input, file("out.mp3").getFullPathName()},
         "unknown output format"},
        {"three channels", {surround, out}, "mono or stereo"},
        {"unknown parameter", {"--set", "Colour=3", input, out}, "\"Shift Style\""},
        {"value that is no number", {"--set", "Delay=soon", input, out}, "not a value"},
        {"value out of range", {"--set", "Delay=1000", input, out}, "10 to 250"},
        {"unwritable output", {input, file("missing/out.wav").getFullPathName()}, "folder"},
        {"output is the input", {input, input}, "is the INPUT"},
        {"missing operands", {input}, "expected INPUT and OUTPUT"},
        {"not a state file", {"--state", input, input, out}, "not a saved Quillmere state"},
    };

    juce::MemoryBlock inputBefore;
    juce::File(input).loadFileAsData(inputBefore);
    for (const auto& c : cases)
    {
        const auto result = run(c.arguments);
        EXPECT_NE(result.exitStatus, 0) << c.what;
        EXPECT_TRUE(result.output.contains(c.message)) << c.what << ": " << result.output;
        EXPECT_EQ(result.output.trim().indexOfChar('\n'), -1) << c.what << ": one line";
        EXPECT_FALSE(file("out.wav").exists()) << c.what;
        EXPECT_FALSE(file("out.mp3").exists()) << c.what;
    }

    juce::MemoryBlock inputAfter;
    juce::File(input).loadFileAsData(inputAfter);
    EXPECT_EQ(inputBefore, inputAfter) << "the input is never modified";
    EXPECT_EQ(folder.getNumberOfChildFiles(juce::File::findFiles), 3) << "no temporary files left";
}
