#pragma once

#include "controls/LookAndFeel_Tallowbark.h"
#include "layout/Layout.h"
#include "signals/Signals.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class BoringArea;
class TBIAudioProcessor;
class TallowImageButton;
class TextureKnob;

/** The plug-in's window: a fixed-size face with eight filmstrip knobs, the Shift In Feedback
    button, a readout of the control under the pointer and the banner, all placed by the layout.
    A right click anywhere opens the menu; a layout file dropped on it replaces the layout. */
class TBIAudioProcessorEditor : public juce::AudioProcessorEditor,
                                public juce::Timer,
                                public juce::Button::Listener,
                                public juce::FileDragAndDropTarget,
                                public Signals::Trackable
{
public:
    explicit TBIAudioProcessorEditor(TBIAudioProcessor& processorToEdit);
    ~TBIAudioProcessorEditor() override;

    /** Opens the menu on a right-button press on the editor or any of its children. */
    void mouseDown(const juce::MouseEvent& event) override;
    /** Places every child by the layout. */
    void resized() override;
    /** Refreshes the readout, then brings the button in step with "Shift Path". */
    void timerCallback() override;
    /** Toggles "Shift Path" inside one gesture when the Shift In Feedback button is clicked. */
    void buttonClicked(juce::Button* button) override;
    /** True when at least one file is dragged. */
    bool isInterestedInFileDrag(const juce::StringArray& files) override;
    /** Hands the files to the layout, which takes the first one if it is a layout description. */
    void filesDropped(const juce::StringArray& files, int x, int y) override;

    /** "-inf " for the text of the bottom of the Wet and Dry ranges, "-18.00"; any other text
        unchanged. */
    static juce::String minusInfinityText(juce::String text);

    /** The knob's parameter value as text, through the knob's valueTextTransform if it has one. */
    static juce::String knobValueText(const TextureKnob& knob);

private:
    /** A control that the readout names when the pointer is over its hover area. */
    struct ControlEntry
    {
        std::string displayName;
        juce::Rectangle<int> hoverArea;
        std::shared_ptr<TextureKnob> knob;
        std::shared_ptr<TallowImageButton> button;
    };

    std::shared_ptr<TextureKnob> makeKnob(juce::AudioParameterFloat* parameter, float interval,
                                          const std::string& name, const std::string& givenName);
    void addHoverControl(const std::shared_ptr<TextureKnob>& knob, const std::string& name,
                         const std::string& givenName);
    std::unique_ptr<juce::Label> makeReadoutLabel(const std::string& name);
    void refreshReadout();
    void onLayoutChanged();

    TBIAudioProcessor& audioProcessor;
    LookAndFeel_Tallowbark lookAndFeel;
    Layout layout;
    juce::Font readoutFont;
    std::unique_ptr<juce::ImageComponent> background;
    std::shared_ptr<BoringArea> banner;
    std::shared_ptr<TextureKnob> wetKnob, dryKnob, countKnob, delayTimeKnob, timeSpreadKnob,
        feedbackKnob, shiftKnob, shiftStyleKnob;
    std::shared_ptr<TallowImageButton> shiftInFeedbackButton;
    std::unique_ptr<juce::Label> lastParamLabel;
    std::unique_ptr<juce::Label> lastValueLabel;
    std::unique_ptr<juce::ImageComponent> delayCountOverlay;
    std::vector<ControlEntry> controls;
    // Points into controls, which does not change after construction.
    const ControlEntry* hoveredControl = nullptr;
    // The layout's hover areas by component name, taken again whenever the layout changes.
    std::unordered_map<std::string, juce::Rectangle<int>> hoverAreas;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(TBIAudioProcessorEditor)
};
