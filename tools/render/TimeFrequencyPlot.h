#pragma once

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_graphics/juce_graphics.h>

/** Input and output spectrograms one above the other, with time and frequency axes. */
class TimeFrequencyPlot
{
public:
    /** Draws both signals (channels mixed) on one picture. */
    static juce::Image draw(const juce::AudioBuffer<float>& input,
                            const juce::AudioBuffer<float>& output, double sampleRate);

    /** Writes the picture as PNG through a temporary file; throws RenderError on failure. */
    static void write(const juce::Image& image, const juce::File& file);
};
