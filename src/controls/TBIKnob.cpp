#include "controls/TBIKnob.h"

#include <cmath>

TBIKnob::TBIKnob(juce::AudioParameterFloat* parameterToControl, float resetValue, float interval)
    : juce::Slider(parameterToControl->getParameterID()), parameter(parameterToControl)
{
    // The knob's range is linear in the parameter's own units; the parameter's skew only applies
    // when a value is converted for the host.
    const auto& range = parameter->getNormalisableRange();
    setRange(range.start, range.end, interval);
    setDoubleClickReturnValue(true, resetValue, juce::ModifierKeys::altModifier);
    setTextBoxStyle(juce::Slider::NoTextBox, false, 90, 0);
    setSliderStyle(juce::Slider::RotaryVerticalDrag);
    setSliderSnapsToMousePosition(false);
    startTimerHz(16);
}

TBIKnob::~TBIKnob()
{
    stopTimer();
}

void TBIKnob::mouseDoubleClick(const juce::MouseEvent&)
{
    parameter->setValueNotifyingHost(parameter->convertTo0to1((float)getDoubleClickReturnValue()));
}

void TBIKnob::mouseWheelMove(const juce::MouseEvent&, const juce::MouseWheelDetails&) {}

void TBIKnob::startedDragging()
{
    parameter->beginChangeGesture();
}

void TBIKnob::stoppedDragging()
{
    parameter->endChangeGesture();
}

void TBIKnob::valueChanged()
{
    if (isMouseButtonDown())
        parameter->setValueNotifyingHost(parameter->convertTo0to1((float)getValue()));
}

void TBIKnob::timerCallback()
{
    // A host may store NaN in a parameter; the knob shows it as the bottom of the range, which is
    // how the engine reads it.
    const float raw = parameter->get();
    const float value = std::isnan(raw) ? parameter->range.start : raw;
    if (value != (float)getValue() && !isMouseButtonDown())
        setValue(value, juce::sendNotificationAsync);
}
