#pragma once

#include <juce_graphics/juce_graphics.h>

#include <map>
#include <string>

/** Quillmere's artwork, drawn from code so that every embedded image can be made again. */
namespace Artwork
{
/** The typefaces the artwork is lettered with, loaded from font files. */
struct Typefaces
{
    juce::Typeface::Ptr bold;
    juce::Typeface::Ptr semiBold;
    juce::Typeface::Ptr medium;
    juce::Typeface::Ptr light;
};

/** Where a component sits on the face, as the layout description places it. */
using Placements = std::map<std::string, juce::Rectangle<int>>;

/** Reads the "bounds" of every top-level entry of a layout description; empty when unreadable. */
Placements readPlacements(const juce::String& layoutText);

/** The whole face, 808 by 712, opaque; every control's label sits beside its placement. */
juce::Image renderBackground(const Placements& placements, const Typefaces& fonts);

/** 91 frames of 72 by 72 stacked top to bottom, minimum at the top, with alpha. */
juce::Image renderKnobFilmstrip();

/** One knob frame at proportion p (0 to 1) of JUCE's default rotary arc. */
void drawKnobFrame(juce::Graphics& g, juce::Rectangle<float> area, float proportion);

/** The plate over the lower part of the Delay Count knob: 63 by 20, opaque. */
juce::Image renderDelayCountOverlay(const juce::Image& background, juce::Point<int> position, const Typefaces& fonts);

/** The Shift In Feedback button: 59 by 52, opaque; on means the shift sits in the feedback loop. */
juce::Image renderShiftStyleButton(bool on, const juce::Image& background, juce::Point<int> position, const Typefaces& fonts);

/** A veil over the shift section: 256 by 159, with alpha. */
juce::Image renderShiftDisabledOverlay(const Typefaces& fonts);
/** A mock of the editor built from the rendered images, for looking at, not for embedding. */
juce::Image renderPreview(const Placements& placements, const Typefaces& fonts, const juce::Image& background,
                          const juce::Image& filmstrip, const juce::Image& overlay, const juce::Image& buttonOn);
} // namespace Artwork
