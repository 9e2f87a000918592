#pragma once

#include "processor/TBIAudioProcessor.h"

/** The parameter values of a render, held by a built-in Quillmere processor: loaded from a saved
    state, changed by name, saved again, listed. A hosted bundle is given the same values. */
class PluginSettings
{
public:
    PluginSettings();

    /** Restores a state file written by Quillmere; throws RenderError if it is not one. */
    void loadState(const juce::File& file);

    /** Writes the current state, through a temporary file beside the target. */
    void saveState(const juce::File& file);

    /** Sets the parameter called name from text in its units or one of its value texts. */
    void assign(const juce::String& name, const juce::String& text);

    /** One line per parameter: name, range, default, unit and current value. */
    juce::String describe() const;

    TBIAudioProcessor& processor() { return quillmere; }

private:
    juce::RangedAudioParameter& parameterNamed(const juce::String& name);

    TBIAudioProcessor quillmere;
};
