#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <string>

/** An image toggle button whose clickable area can be a rectangle of its own. */
class TallowImageButton : public juce::ImageButton
{
public:
    /** Takes the embedded images imageBaseName + "_on_png" and + "_off_png" (normal "_on", down
       "_off", exchanged when swapImages), adds listener when not null, and toggles on every click.
     */
    TallowImageButton(const std::string& name, const std::string& imageBaseName,
                      juce::Button::Listener* listener, bool swapImages);

    /** The clickable rectangle, in the parent's coordinates; a width of 0 means the whole button.
     */
    void setHitbox(int x, int y, int width, int height);

    /** Inside hitArea (left and top edges in, right and bottom out) when it has a width, else
     * inside the button. */
    bool hitTest(int x, int y) override;

    juce::Rectangle<int> hitArea;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(TallowImageButton)
};
