#pragma once

#include "PluginSettings.h"
#include "RenderOptions.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <functional>
#include <memory>

/** Runs Quillmere (built in, or a hosted bundle) over a whole signal in host-sized blocks, the
    way a DAW bounces a track: with a tail for the echoes and the reported latency removed. */
class Renderer
{
public:
    Renderer(PluginSettings& settings, const RenderOptions& options, int numChannels,
             double sampleRate);
    ~Renderer();

    /** The input followed by the tail, processed; progress receives the fraction done. */
    juce::AudioBuffer<float> render(const juce::AudioBuffer<float>& input,
                                    const std::function<void(double)>& progress);

    /** Samples dropped from the start of the output to align it with the input. */
    int latencyCompensation() const { return compensation; }

private:
    void prepareHosted(PluginSettings& settings, const juce::AudioProcessor::BusesLayout& layout);

    const RenderOptions& options;
    double sampleRate;
    std::unique_ptr<juce::AudioPluginInstance> hosted;
    juce::AudioProcessor* processor = nullptr;
    bool bypassThroughProcessor = false;
    int compensation = 0;
};
