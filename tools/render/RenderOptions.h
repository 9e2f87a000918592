#pragma once

#include <juce_core/juce_core.h>

#include <optional>
#include <utility>
#include <vector>

/** What the command line asks for. */
struct RenderOptions
{
    juce::File input;
    juce::File output;
    juce::File plugin;
    juce::File stateToLoad;
    juce::File stateToSave;
    juce::File spectrogram;
    std::vector<std::pair<juce::String, juce::String>> assignments;
    int blockSize = 512;
    double tailSeconds = 4.0;
    bool floatOutput = false;
    bool compensateLatency = true;
    bool bypass = false;
    bool quiet = false;
    bool listParameters = false;
    bool help = false;

    /** Reads the arguments after the program name; throws RenderError (status 2) on bad use. */
    static RenderOptions parse(const juce::StringArray& arguments);

    static const char* usage();
};
