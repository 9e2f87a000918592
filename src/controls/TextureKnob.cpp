#include "controls/TextureKnob.h"

TextureKnob::TextureKnob(juce::AudioParameterFloat* parameterToControl, float resetValue,
                         float interval)
    : TBIKnob(parameterToControl, resetValue, interval)
{
    timerCallback();
}

int TextureKnob::getFrameIndex()
{
    if (frameCount <= 0)
        return -1;
    const auto proportion = valueToProportionOfLength(getValue());
    // Truncation: the last frame shows only the very maximum, each other frame 1 / (frameCount - 1)
    // of the range.
    return juce::jlimit(0, frameCount - 1, (int)((double)(frameCount - 1) * proportion));
}
