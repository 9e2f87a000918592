#include "editor/TBIAudioProcessorEditor.h"

#include "controls/TallowImageButton.h"
#include "controls/TextureKnob.h"
#include "editor/BoringArea.h"
#include "editor/EditorMenu.h"
#include "preferences/Preferences.h"
#include "processor/TBIAudioProcessor.h"

#include <BinaryData.h>

#include <algorithm>

namespace
{
/** The parameter's default in its own units: what a double-click on its knob returns to. */
float defaultValueOf(const juce::RangedAudioParameter& parameter)
{
    return parameter.convertFrom0to1(parameter.getDefaultValue());
}

std::string upperCase(const std::string& text)
{
    return juce::String::fromUTF8(text.c_str()).toUpperCase().toStdString();
}
} // namespace

TBIAudioProcessorEditor::TBIAudioProcessorEditor(TBIAudioProcessor& processorToEdit)
    : juce::AudioProcessorEditor(processorToEdit), audioProcessor(processorToEdit),
      layout(processorToEdit.getInstanceStorage())
{
    // Nothing depends on the answer; the read creates the preferences folder and file.
    int firstLaunch = 0;
    readPreference("FIRSTLAUNCH", &firstLaunch);

    setResizable(false, false);
    hoverAreas = layout.hoverAreas;
    layout.changed.connect(this, &TBIAudioProcessorEditor::onLayoutChanged);

    background = std::make_unique<juce::ImageComponent>();
    background->setImage(juce::ImageCache::getFromMemory(BinaryData::background_png,
                                                         BinaryData::background_pngSize));
    background->setName("Background");
    addAndMakeVisible(*background, 0);

    banner = std::make_shared<BoringArea>(audioProcessor.wrapperType);
    banner->setName("Boring Area");

    wetKnob = makeKnob(audioProcessor.wetParam, 0.01f, "Wet Knob", "Wet");
    dryKnob = makeKnob(audioProcessor.dryParam, 0.01f, "Dry Knob", "Dry");
    countKnob = makeKnob(audioProcessor.countParam, 1.0f, "Delay Count Knob", "Delay Count");
    delayTimeKnob = makeKnob(audioProcessor.delayParam, 0.01f, "Delay Time Knob", "Delay Time");
    timeSpreadKnob =
        makeKnob(audioProcessor.timeSpreadParam, 0.01f, "Time Spread Knob", "Time Spread");
    feedbackKnob = makeKnob(audioProcessor.feedbackParam, 0.01f, "Feedback Knob", "Feedback");
    shiftKnob = makeKnob(audioProcessor.shiftParam, 0.01f, "Shift Knob", "Shift");
    shiftStyleKnob =
        makeKnob(audioProcessor.shiftStyleParam, 1.0f, "Shift Style Knob", "Shift Style");
    for (auto* knob : {wetKnob.get(), dryKnob.get()})
    {
        knob->setTextValueSuffix("dB");
        knob->valueTextTransform = minusInfinityText;
    }
    delayTimeKnob->setTextValueSuffix("ms");
    feedbackKnob->setTextValueSuffix("%");
    shiftKnob->setTextValueSuffix("Hz");

    shiftInFeedbackButton =
        std::make_shared<TallowImageButton>("Shift In Feedback", "Shift In Feedback", this, true);
    shiftInFeedbackButton->setLookAndFeel(&lookAndFeel);
    shiftInFeedbackButton->setName("Shift In Feedback");
    // Shown right away as the parameter stands, like the knobs, rather than off until the
    // first tick.
    shiftInFeedbackButton->setToggleState(audioProcessor.shiftPathParam->get(),
                                          juce::dontSendNotification);
    addAndMakeVisible(*shiftInFeedbackButton);
    controls.push_back(
        {"SHIFT IN", hoverAreas["Shift In Feedback"], nullptr, shiftInFeedbackButton});

    delayCountOverlay = std::make_unique<juce::ImageComponent>();
    delayCountOverlay->setImage(juce::ImageCache::getFromMemory(
        BinaryData::delaycount_overlay_png, BinaryData::delaycount_overlay_pngSize));
    delayCountOverlay->setName("Delay Count Overlay");
    addAndMakeVisible(*delayCountOverlay);

    readoutFont = juce::Font(juce::Typeface::createSystemTypefaceFor(
        BinaryData::InterUIBold_otf, BinaryData::InterUIBold_otfSize));
    readoutFont.setHeight(static_cast<float>(layout.getConstant("READOUT FONT SIZE")));
    readoutFont.setBold(true);

    lastParamLabel = makeReadoutLabel("LastParam");
    lastValueLabel = makeReadoutLabel("LastValue");

    addAndMakeVisible(*banner);

    addMouseListener(this, true);
    setSize(layout.uiWidth, layout.uiHeight);
    startTimerHz(62);
}

TBIAudioProcessorEditor::~TBIAudioProcessorEditor() = default;

std::shared_ptr<TextureKnob> TBIAudioProcessorEditor::makeKnob(juce::AudioParameterFloat* parameter,
                                                               float interval,
                                                               const std::string& name,
                                                               const std::string& givenName)
{
    auto knob = std::make_shared<TextureKnob>(parameter, defaultValueOf(*parameter), interval);
    knob->setLookAndFeel(&lookAndFeel);
    addHoverControl(knob, name, givenName);
    return knob;
}

void TBIAudioProcessorEditor::addHoverControl(const std::shared_ptr<TextureKnob>& knob,
                                              const std::string& name, const std::string& givenName)
{
    knob->setName(name);
    addAndMakeVisible(*knob);
    // A name without a hover entry gets an empty rectangle, which never contains the pointer.
    controls.push_back({upperCase(givenName), hoverAreas[name], knob, nullptr});
    knob->setNumDecimalPlacesToDisplay(1);
}

std::unique_ptr<juce::Label> TBIAudioProcessorEditor::makeReadoutLabel(const std::string& name)
{
    auto label = std::make_unique<juce::Label>(name, juce::String());
    label->setFont(readoutFont);
    label->setColour(juce::Label::textColourId, juce::Colours::black);
    label->setJustificationType(juce::Justification::right);
    label->setName(name);
    addAndMakeVisible(*label);
    return label;
}

void TBIAudioProcessorEditor::mouseDown(const juce::MouseEvent& event)
{
    // A press on the editor itself arrives twice, directly and through its own mouse listener;
    // the first one opens the menu, which then blocks the editor until it closes.
    if (!event.mods.isRightButtonDown() || isCurrentlyBlockedByAnotherModalComponent())
        return;

    // The menu may outlive the editor (the host can close the window while it is open), so its
    // result goes to a copy that holds only the processor's shared record.
    const EditorMenu menu(audioProcessor.getInstanceStorage());
    EditorMenu::build(lookAndFeel)
        .showMenuAsync(juce::PopupMenu::Options().withTargetComponent(this).withMousePosition(),
                       [menu](int itemId) { menu.perform(itemId); });
}

void TBIAudioProcessorEditor::resized()
{
    layout.apply(this, true, {});
}

void TBIAudioProcessorEditor::timerCallback()
{
    refreshReadout();

    const bool on = audioProcessor.shiftPathParam->get();
    if (on != shiftInFeedbackButton->getToggleState())
        shiftInFeedbackButton->setToggleState(on, juce::dontSendNotification);
}

void TBIAudioProcessorEditor::buttonClicked(juce::Button* button)
{
    if (button != shiftInFeedbackButton.get())
        return;
    // The button's own state follows on the next tick, from the parameter.
    auto& shiftPath = *audioProcessor.shiftPathParam;
    shiftPath.beginChangeGesture();
    shiftPath.setValueNotifyingHost(shiftPath.get() ? 0.0f : 1.0f);
    shiftPath.endChangeGesture();
}

bool TBIAudioProcessorEditor::isInterestedInFileDrag(const juce::StringArray& files)
{
    return !files.isEmpty();
}

void TBIAudioProcessorEditor::filesDropped(const juce::StringArray& files, int, int)
{
    layout.loadDroppedFiles(files);
}

juce::String TBIAudioProcessorEditor::minusInfinityText(juce::String text)
{
    return text == "-18.00" ? juce::String("-inf ") : text;
}

juce::String TBIAudioProcessorEditor::knobValueText(const TextureKnob& knob)
{
    const auto text = knob.parameter->getCurrentValueAsText();
    return knob.valueTextTransform ? knob.valueTextTransform(text) : text;
}

void TBIAudioProcessorEditor::refreshReadout()
{
    // While a button is held the named control stays, so a dragged knob keeps the readout.
    if (!juce::Component::isMouseButtonDownAnywhere())
    {
        const auto position = getMouseXYRelative();
        const auto found = std::find_if(controls.begin(), controls.end(),
                                        [position](const ControlEntry& control)
                                        { return control.hoverArea.contains(position); });
        if (found != controls.end())
        {
            hoveredControl = &*found;
            lastParamLabel->setText(juce::String::fromUTF8(found->displayName.c_str()),
                                    juce::dontSendNotification);
        }
    }

    if (hoveredControl == nullptr)
        return;

    if (const auto& knob = hoveredControl->knob)
        lastValueLabel->setText(knobValueText(*knob) + knob->getTextValueSuffix(),
                                juce::dontSendNotification);
    else if (hoveredControl->button == shiftInFeedbackButton)
        lastValueLabel->setText(shiftInFeedbackButton->getToggleState() ? "FEEDBACK" : "INPUT",
                                juce::dontSendNotification);
}

void TBIAudioProcessorEditor::onLayoutChanged()
{
    readoutFont.setHeight(static_cast<float>(layout.getConstant("READOUT FONT SIZE")));
    lastParamLabel->setFont(readoutFont);
    lastValueLabel->setFont(readoutFont);

    // The readout follows the controls to where the new layout puts them.
    hoverAreas = layout.hoverAreas;
    for (auto& control : controls)
    {
        const juce::Component& component = control.knob != nullptr
                                               ? static_cast<juce::Component&>(*control.knob)
                                               : static_cast<juce::Component&>(*control.button);
        control.hoverArea = hoverAreas[component.getName().toStdString()];
    }

    resized();
    repaint();
}
