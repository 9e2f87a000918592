#pragma once

#include <juce_audio_formats/juce_audio_formats.h>

/** Reading the input and writing the output of a render, with errors the user can act on. */
class AudioFiles
{
public:
    struct Audio
    {
        juce::AudioBuffer<float> samples;
        double sampleRate = 0.0;
    };

    AudioFiles();

    /** The whole file; throws RenderError if it is missing, unreadable or has more than two
        channels. */
    Audio read(const juce::File& file);

    /** Throws RenderError before any work is done if the output cannot be written as asked. */
    void checkWritable(const juce::File& input, const juce::File& output, bool floatSamples);

    /** Writes through a temporary file beside the target, so a failure leaves no partial file. */
    void write(const juce::File& output, const Audio& audio, bool floatSamples);

private:
    juce::AudioFormat* formatFor(const juce::File& output);

    juce::AudioFormatManager formats;
};
