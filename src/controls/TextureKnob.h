#pragma once

#include "controls/TBIKnob.h"

/** A TBIKnob drawn as one frame of a vertical filmstrip; the layout reader sets the strip. */
class TextureKnob : public TBIKnob
{
public:
    /** As TBIKnob; the new knob shows the parameter's current value at once. */
    TextureKnob(juce::AudioParameterFloat* parameter, float resetValue, float interval);

    /** The frame that shows the current value: (int) ((frameCount - 1) * proportion), or -1 without
     * frames. */
    int getFrameIndex();

    /** The strip, frames stacked top to bottom, minimum at the top; invalid (nothing drawn) until
     * set. */
    juce::Image filmstripImage;
    int frameCount = 0;
    int frameWidth = 0;
    int frameHeight = 0;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(TextureKnob)
};
