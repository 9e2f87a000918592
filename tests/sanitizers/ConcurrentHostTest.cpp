#include "processor/TBIAudioProcessor.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

// The host's message thread and its audio thread working on one processor at once, as they do in
// a DAW: this is what ThreadSanitizer (make test-tsan) watches for data races. Without it, it
// still checks that nothing crashes and that the audio stays finite.
namespace
{
// Hosts listen to their plug-ins; notices come from both threads.
struct HostListener : juce::AudioProcessorListener
{
    void audioProcessorParameterChanged(juce::AudioProcessor*, int, float) override { ++notices; }
    void audioProcessorChanged(juce::AudioProcessor*, const ChangeDetails&) override { ++notices; }
    std::atomic<int> notices{0};
};

class AudioThread
{
public:
    explicit AudioThread(TBIAudioProcessor& processorToRun)
        : processor(processorToRun), thread([this] { run(); })
    {
    }

    ~AudioThread()
    {
        stop = true;
        thread.join();
    }

    std::atomic<int> blocks{0};
    std::atomic<int> nonFiniteSamples{0};

private:
    void run()
    {
        juce::AudioBuffer<float> buffer(2, 512);
        juce::MidiBuffer midi;
        juce::Random random(3);
        while (!stop)
        {
            const auto n = random.nextInt({1, 513});
            buffer.setSize(2, n, false, false, true);
            for (int ch = 0; ch < 2; ++ch)
                for (int i = 0; i < n; ++i)
                    buffer.setSample(ch, i, random.nextFloat() - 0.5f);
            // Automation that arrives with the block, set on this thread as the VST3 wrapper does.
            processor.getParameters()[random.nextInt(10)]->setValue(random.nextFloat());
            if (random.nextInt(8) == 0)
                processor.processBlockBypassed(buffer, midi);
            else
                processor.processBlock(buffer, midi);
            for (int ch = 0; ch < 2; ++ch)
                for (int i = 0; i < n; ++i)
                    if (!std::isfinite(buffer.getSample(ch, i)))
                        ++nonFiniteSamples;
            ++blocks;
        }
    }

    TBIAudioProcessor& processor;
    std::atomic<bool> stop{false};
    std::thread thread;
};
} // namespace

TEST(ConcurrentHost, MessageThreadCallsWhileTheAudioThreadProcesses)
{
    TBIAudioProcessor processor;
    HostListener listener;
    processor.addListener(&listener);
    processor.prepareToPlay(48000.0, 512);
    auto& storage = *processor.getInstanceStorage();
    juce::Random random(11);
    juce::MemoryBlock saved;
    processor.getStateInformation(saved);

    {
        AudioThread audio(processor);
        for (int round = 0; round < 400; ++round)
        {
            // What the editor and the host do on the message thread: gestures on the controls,
            // the menu's requests, and saving and restoring the project.
            auto* parameter = processor.getParameters()[random.nextInt(10)];
            parameter->beginChangeGesture();
            parameter->setValueNotifyingHost(random.nextFloat());
            parameter->endChangeGesture();
            if (round % 40 == 5)
                storage.resetRequested = true;
            if (round % 40 == 25)
                storage.randomizeRequested = true;
            if (round % 10 == 0)
                processor.getStateInformation(saved);
            if (round % 10 == 7)
                processor.setStateInformation(saved.getData(), static_cast<int>(saved.getSize()));
            if (round % 50 == 0)
                std::this_thread::yield();
        }
        // Let the audio thread carry out the last requests.
        const auto seen = audio.blocks.load();
        while (audio.blocks < seen + 2)
            std::this_thread::yield();
        EXPECT_EQ(audio.nonFiniteSamples.load(), 0);
    }
    processor.removeListener(&listener);
    EXPECT_GT(listener.notices.load(), 0);
}
