#pragma once

#include "processor/TBIAudioProcessor.h"

#include <vector>

/** Runs blocks through a processor the way a host does. */
struct ProcessorDriver
{
    explicit ProcessorDriver(TBIAudioProcessor& processorToDrive) : processor(processorToDrive) {}

    /** Processes one block of numChannels channels in place, active or host-bypassed. */
    void process(juce::AudioBuffer<float>& buffer, bool bypassed = false)
    {
        juce::MidiBuffer midi;
        if (bypassed)
            processor.processBlockBypassed(buffer, midi);
        else
            processor.processBlock(buffer, midi);
    }

    /** Processes a block of silence and returns it. */
    juce::AudioBuffer<float> silence(int numSamples, bool bypassed = false)
    {
        juce::AudioBuffer<float> buffer(2, numSamples);
        buffer.clear();
        process(buffer, bypassed);
        return buffer;
    }

    /** Runs one channel-0 signal (copied to both channels) through in blocks of blockSize. */
    std::vector<float> run(const std::vector<float>& input, int blockSize, int channel = 0)
    {
        std::vector<float> output(input.size());
        for (size_t start = 0; start < input.size(); start += static_cast<size_t>(blockSize))
        {
            const auto n = static_cast<int>(std::min(input.size() - start, (size_t)blockSize));
            juce::AudioBuffer<float> buffer(2, n);
            for (int ch = 0; ch < 2; ++ch)
                buffer.copyFrom(ch, 0, input.data() + start, n);
            process(buffer);
            std::copy_n(buffer.getReadPointer(channel), n, output.begin() + (long)start);
        }
        return output;
    }

    TBIAudioProcessor& processor;
};
