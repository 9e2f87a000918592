#pragma once

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

/** A rotary knob bound to one float parameter: writes it inside change gestures while the
    user drags, resets it on a double-click, ignores the wheel, and follows it on a 16 Hz timer. */
class TBIKnob : public juce::Slider, public juce::Timer
{
public:
    /** Binds the knob to parameter (not owned), with the value a double-click or Alt-click returns
       to and the step of the knob's own, linear range. */
    TBIKnob(juce::AudioParameterFloat* parameter, float resetValue, float interval);
    ~TBIKnob() override;

    /** Sets the parameter to the reset value, without a gesture; the knob follows at the next tick.
     */
    void mouseDoubleClick(const juce::MouseEvent& event) override;
    /** Does nothing: the wheel neither turns the knob nor reaches the editor. */
    void mouseWheelMove(const juce::MouseEvent& event,
                        const juce::MouseWheelDetails& wheel) override;
    /** Begins the parameter's change gesture. */
    void startedDragging() override;
    /** Ends the parameter's change gesture. */
    void stoppedDragging() override;
    /** Writes a change made by the user's mouse on this knob to the parameter; other changes are
     * not written back. */
    void valueChanged() override;
    /** Moves the knob to the parameter's value unless the user holds the mouse button on it. */
    void timerCallback() override;

    juce::AudioParameterFloat* parameter;
    /** Top-left corner of the knob image inside the component. */
    juce::Point<int> imagePosition;
    /** Applied by the readout to the parameter's value text; empty unless the editor sets it. */
    std::function<juce::String(juce::String)> valueTextTransform;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(TBIKnob)
};
