#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

/** Loads a built plug-in bundle the way a DAW does, through JUCE's VST3 or LV2 hosting (chosen
    by the bundle's extension, ".vst3" or ".lv2"). */
class PluginHost
{
public:
    /** What the bundle publishes; throws std::runtime_error if it holds no plug-in. */
    static juce::PluginDescription describe(const juce::File& bundle);

    /** A new instance of the bundle's plug-in; throws std::runtime_error with the host's reason. */
    static std::unique_ptr<juce::AudioPluginInstance> load(const juce::File& bundle,
                                                           double sampleRate, int blockSize);

    /** Runs the message loop for a while, so the plug-in's asynchronous notices to the host (such
        as a latency change) arrive as they would in a DAW. */
    static void deliverHostNotifications(int milliseconds = 100);

    /** The hosted parameter called name; throws std::runtime_error if there is none. */
    static juce::AudioProcessorParameter& parameter(juce::AudioPluginInstance& instance,
                                                    const juce::String& name);
};
