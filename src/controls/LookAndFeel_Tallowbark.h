#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The plug-in's look-and-feel: LookAndFeel_V3 with filmstrip knobs and its own popup menu items.
 */
class LookAndFeel_Tallowbark : public juce::LookAndFeel_V3
{
public:
    LookAndFeel_Tallowbark() = default;

    /** Separator rows, highlight, tick or icon at the right, submenu arrow, text 5 px in, shortcut
     * at the right. */
    void drawPopupMenuItem(juce::Graphics& g, const juce::Rectangle<int>& area, bool isSeparator,
                           bool isActive, bool isHighlighted, bool isTicked, bool hasSubMenu,
                           const juce::String& text, const juce::String& shortcutKeyText,
                           const juce::Drawable* icon, const juce::Colour* textColour) override;

    /** A TextureKnob draws one unscaled filmstrip frame at its imagePosition; any other slider
     * draws nothing. */
    void drawRotarySlider(juce::Graphics& g, int x, int y, int width, int height,
                          float sliderPosProportional, float rotaryStartAngle, float rotaryEndAngle,
                          juce::Slider& slider) override;

    /** 0 for every slider. */
    int getSliderThumbRadius(juce::Slider& slider) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(LookAndFeel_Tallowbark)
};
