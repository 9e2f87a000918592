#include "Artwork.h"

#include <cmath>

namespace Artwork
{
namespace
{
constexpr int faceWidth = 808;
constexpr int faceHeight = 712;
constexpr int stripTop = 616;
constexpr int knobSize = 72;
constexpr int knobFrames = 91;

// JUCE's default rotary parameters of juce::Slider: from 1.2 pi to 2.8 pi, clockwise from 12 o'clock.
constexpr float rotaryStart = juce::MathConstants<float>::pi * 1.2f;
constexpr float rotaryEnd = juce::MathConstants<float>::pi * 2.8f;

namespace Palette
{
const juce::Colour inkTop { 0xff1d2027 };
const juce::Colour inkBottom { 0xff111317 };
const juce::Colour hairline { 0xff2e323b };
const juce::Colour label { 0xffcdc5b3 };
const juce::Colour labelDim { 0xff8b8577 };
const juce::Colour ivory { 0xffeee6d3 };
const juce::Colour amber { 0xffe8a447 };
const juce::Colour amberHot { 0xffffcf86 };
const juce::Colour amberDeep { 0xff9a6424 };
const juce::Colour groove { 0xff0b0c0f };
const juce::Colour lcdLight { 0xffd9d1b6 };
const juce::Colour lcdDark { 0xffbfb698 };
const juce::Colour pewterLight { 0xffa9a497 };
const juce::Colour pewterDark { 0xff8c877c };
} // namespace Palette

juce::Point<float> onCircle(juce::Point<float> centre, float radius, float angle)
{
    return centre.getPointOnCircumference(radius, angle);
}

juce::Font makeFont(const juce::Typeface::Ptr& face, float height, float tracking)
{
    juce::Font font(face);
    font.setHeight(height);
    font.setExtraKerningFactor(tracking);
    return font;
}

/** Draws text centred on a point; tracking adds space after the last glyph too, so that is taken off. */
void drawCentredText(juce::Graphics& g, const juce::String& text, const juce::Font& font, juce::Point<float> centre)
{
    g.setFont(font);
    const auto trailing = font.getHeight() * font.getExtraKerningFactor();
    const auto width = font.getStringWidthFloat(text) - trailing;
    const auto baseline = centre.y + (font.getAscent() - font.getDescent()) * 0.5f;
    g.drawSingleLineText(text, juce::roundToInt(centre.x - width * 0.5f), juce::roundToInt(baseline));
}

/** Adds fine, deterministic grain to an area: a subtle texture that keeps large fills from banding. */
void addGrain(juce::Image& image, juce::Rectangle<int> area, int amount, juce::int64 seed)
{
    juce::Random random(seed);
    juce::Image::BitmapData pixels(image, area.getX(), area.getY(), area.getWidth(), area.getHeight(),
                                   juce::Image::BitmapData::readWrite);
    for (int y = 0; y < pixels.height; ++y)
    {
        for (int x = 0; x < pixels.width; ++x)
        {
            const auto delta = random.nextInt(2 * amount + 1) - amount;
            const auto c = pixels.getPixelColour(x, y);
            auto shift = [delta](juce::uint8 v) { return (juce::uint8) juce::jlimit(0, 255, (int) v + delta); };
            pixels.setPixelColour(x, y,
                                  juce::Colour(shift(c.getRed()), shift(c.getGreen()), shift(c.getBlue()), c.getAlpha()));
        }
    }
}

/** Horizontal brushing: thin lines of slightly varying brightness, as on machined metal. */
void addBrushing(juce::Graphics& g, juce::Rectangle<float> area, float strength, juce::int64 seed)
{
    juce::Random random(seed);
    for (float y = area.getY(); y < area.getBottom(); y += 1.0f)
    {
        const auto v = random.nextFloat();
        const auto colour = v < 0.5f ? juce::Colours::black : juce::Colours::white;
        g.setColour(colour.withAlpha(strength * std::abs(v - 0.5f) * 2.0f));
        g.fillRect(area.getX(), y, area.getWidth(), 1.0f);
    }
}

/** The label printed for a component of the layout, or empty when it has none. */
juce::String printedLabel(const std::string& componentName)
{
    static const std::map<std::string, juce::String> labels {
        { "Wet Knob", "WET" },
        { "Dry Knob", "DRY" },
        { "Delay Count Knob", "DELAY COUNT" },
        { "Delay Time Knob", "DELAY TIME" },
        { "Time Spread Knob", "TIME SPREAD" },
        { "Feedback Knob", "FEEDBACK" },
        { "Shift Knob", "SHIFT" },
        { "Shift Style Knob", "SHIFT STYLE" },
        { "Shift In Feedback", "SHIFT IN" },
    };
    const auto found = labels.find(componentName);
    return found == labels.end() ? juce::String() : found->second;
}

bool isKnob(const std::string& componentName)
{
    return componentName.size() > 5 && componentName.compare(componentName.size() - 5, 5, " Knob") == 0;
}

/** The recessed well a knob sits in, with its printed scale around it. */
void drawKnobSocket(juce::Graphics& g, juce::Point<float> centre)
{
    // Soft dark halo that seats the knob in the panel.
    juce::ColourGradient halo(juce::Colours::black.withAlpha(0.55f), centre, juce::Colours::transparentBlack,
                              centre.translated(0.0f, 48.0f), true);
    g.setGradientFill(halo);
    g.fillEllipse(juce::Rectangle<float>(96.0f, 96.0f).withCentre(centre));

    // The well: a ring lower than the panel, lit from above.
    const auto well = juce::Rectangle<float>(71.0f, 71.0f).withCentre(centre);
    g.setGradientFill(juce::ColourGradient(juce::Colour(0xff0c0d10), centre.translated(0.0f, -36.0f),
                                           juce::Colour(0xff1b1e24), centre.translated(0.0f, 36.0f), false));
    g.fillEllipse(well);
    g.setGradientFill(juce::ColourGradient(juce::Colours::black.withAlpha(0.6f), centre.translated(0.0f, -36.0f),
                                           juce::Colours::white.withAlpha(0.10f), centre.translated(0.0f, 36.0f), false));
    g.drawEllipse(well, 1.0f);

    // Scale: eleven ticks along the rotary arc, longer at both ends and the centre.
    for (int i = 0; i <= 10; ++i)
    {
        const auto angle = rotaryStart + (rotaryEnd - rotaryStart) * (float) i / 10.0f;
        const bool major = i == 0 || i == 5 || i == 10;
        const auto inner = onCircle(centre, 39.0f, angle);
        const auto outer = onCircle(centre, major ? 44.0f : 42.0f, angle);
        g.setColour(major ? Palette::label.withAlpha(0.75f) : Palette::labelDim.withAlpha(0.55f));
        g.drawLine({ inner, outer }, major ? 1.6f : 1.1f);
    }
}

void drawOrbits(juce::Graphics& g)
{
    // The emblem of the face: engraved orbits around a point in the open lower right of the panel,
    // and the eight taps on a spiral through them, fading as echoes do.
    const juce::Point<float> centre(600.0f, 478.0f);
    const float radii[] = { 22.0f, 44.0f, 72.0f, 106.0f, 146.0f, 196.0f, 256.0f, 326.0f, 406.0f, 496.0f };
    for (size_t i = 0; i < std::size(radii); ++i)
    {
        const auto ring = juce::Rectangle<float>(radii[i] * 2.0f, radii[i] * 2.0f).withCentre(centre);
        const auto strength = juce::jmap((float) i, 0.0f, (float) std::size(radii) - 1.0f, 1.0f, 0.35f);
        g.setColour(juce::Colours::black.withAlpha(0.35f * strength));
        g.drawEllipse(ring.translated(0.0f, 1.0f), 1.0f);
        g.setColour(juce::Colours::white.withAlpha(0.045f * strength));
        g.drawEllipse(ring, 1.0f);
    }
    // Ticks around the innermost orbits, like the scale of an instrument.
    for (int i = 0; i < 64; ++i)
    {
        const auto angle = juce::MathConstants<float>::twoPi * (float) i / 64.0f;
        const auto length = i % 8 == 0 ? 6.0f : 3.0f;
        g.setColour(juce::Colours::white.withAlpha(i % 8 == 0 ? 0.10f : 0.05f));
        g.drawLine({ onCircle(centre, 72.0f + 3.0f, angle), onCircle(centre, 72.0f + 3.0f + length, angle) }, 1.0f);
    }
    g.setColour(Palette::amber.withAlpha(0.10f));
    g.fillEllipse(juce::Rectangle<float>(14.0f, 14.0f).withCentre(centre));
    g.setColour(Palette::amber.withAlpha(0.55f));
    g.fillEllipse(juce::Rectangle<float>(5.0f, 5.0f).withCentre(centre));

    for (int tap = 0; tap < 8; ++tap)
    {
        const auto radius = radii[tap + 1];
        const auto angle = -2.5f + 0.55f * (float) tap;
        const auto p = onCircle(centre, radius, angle);
        const auto alpha = 0.85f * std::pow(0.74f, (float) tap);
        const auto size = 6.0f - 0.45f * (float) tap;
        g.setColour(Palette::amber.withAlpha(alpha * 0.22f));
        g.fillEllipse(juce::Rectangle<float>(size * 3.0f, size * 3.0f).withCentre(p));
        g.setColour(Palette::amber.withAlpha(alpha));
        g.fillEllipse(juce::Rectangle<float>(size, size).withCentre(p));
    }
}

void drawLogo(juce::Graphics& g, const Typefaces& fonts)
{
    const auto wordmark = makeFont(fonts.semiBold, 40.0f, -0.01f);
    g.setFont(wordmark);
    g.setColour(juce::Colours::black.withAlpha(0.5f));
    g.drawSingleLineText("Quillmere", 35, 75);
    g.setColour(Palette::ivory);
    g.drawSingleLineText("Quillmere", 34, 73);

    g.setColour(Palette::amber);
    g.fillRect(36.0f, 86.0f, 22.0f, 2.0f);
    g.setColour(Palette::hairline);
    g.fillRect(62.0f, 86.5f, 130.0f, 1.0f);

    g.setFont(makeFont(fonts.medium, 9.5f, 0.22f));
    g.setColour(Palette::labelDim);
    g.drawSingleLineText("FREQUENCY-SHIFTED MULTI-TAP DELAY", 36, 104);
}

void drawReadoutWindow(juce::Graphics& g)
{
    // A backlit display in the top right corner for the readout's black text.
    const juce::Rectangle<float> bezel(586.0f, 3.0f, 220.0f, 57.0f);
    g.setColour(juce::Colour(0xff07080a));
    g.fillRoundedRectangle(bezel, 5.0f);
    g.setColour(juce::Colours::white.withAlpha(0.08f));
    g.drawRoundedRectangle(bezel.translated(0.0f, 1.0f), 5.0f, 1.0f);

    const auto glass = bezel.reduced(3.0f);
    g.setGradientFill(juce::ColourGradient(Palette::lcdLight, glass.getTopLeft(), Palette::lcdDark, glass.getBottomRight(), false));
    g.fillRoundedRectangle(glass, 3.0f);

    // Pixel grid of the display, barely visible.
    for (float x = glass.getX() + 1.0f; x < glass.getRight(); x += 3.0f)
    {
        g.setColour(juce::Colours::black.withAlpha(0.025f));
        g.fillRect(x, glass.getY(), 1.0f, glass.getHeight());
    }
    // Inner shadow along the top and left edges of the glass.
    g.setGradientFill(juce::ColourGradient(juce::Colours::black.withAlpha(0.30f), 0.0f, glass.getY(),
                                           juce::Colours::transparentBlack, 0.0f, glass.getY() + 8.0f, false));
    g.fillRoundedRectangle(glass, 3.0f);
    g.setColour(juce::Colours::white.withAlpha(0.18f));
    g.fillRect(glass.getX() + 3.0f, glass.getBottom() - 1.0f, glass.getWidth() - 6.0f, 1.0f);
}

void drawBottomStrip(juce::Graphics& g, const Typefaces& fonts)
{
    const juce::Rectangle<float> strip(0.0f, (float) stripTop, (float) faceWidth, (float) (faceHeight - stripTop));
    g.setGradientFill(juce::ColourGradient(Palette::pewterLight, 0.0f, strip.getY(), Palette::pewterDark, 0.0f,
                                           strip.getBottom(), false));
    g.fillRect(strip);
    addBrushing(g, strip, 0.025f, 616);
    g.setColour(juce::Colours::black.withAlpha(0.85f));
    g.fillRect(0.0f, strip.getY(), strip.getWidth(), 1.0f);
    g.setColour(juce::Colours::white.withAlpha(0.35f));
    g.fillRect(0.0f, strip.getY() + 1.0f, strip.getWidth(), 1.0f);

    g.setFont(makeFont(fonts.bold, 9.0f, 0.3f));
    g.setColour(juce::Colour(0xff2c2c2c).withAlpha(0.75f));
    const juce::String maker("TALLOWBARK INDUSTRIES");
    const auto width = g.getCurrentFont().getStringWidthFloat(maker);
    g.drawSingleLineText(maker, juce::roundToInt((float) faceWidth - 14.0f - width), stripTop + 47);
}
} // namespace

Placements readPlacements(const juce::String& layoutText)
{
    Placements placements;
    const auto root = juce::JSON::parse(layoutText);
    if (auto* components = root.getProperty("Components", {}).getDynamicObject())
    {
        for (const auto& entry : components->getProperties())
        {
            const auto bounds = entry.value.getProperty("bounds", {});
            if (!bounds.isObject())
                continue;
            placements[entry.name.toString().toStdString()] = { (int) bounds.getProperty("x", 0), (int) bounds.getProperty("y", 0),
                                                                 (int) bounds.getProperty("w", 0), (int) bounds.getProperty("h", 0) };
        }
    }
    return placements;
}

juce::Image renderBackground(const Placements& placements, const Typefaces& fonts)
{
    juce::Image image(juce::Image::RGB, faceWidth, faceHeight, true);
    {
        juce::Graphics g(image);
        g.setGradientFill(juce::ColourGradient(Palette::inkTop, 0.0f, 0.0f, Palette::inkBottom, 0.0f, (float) stripTop, false));
        g.fillRect(0, 0, faceWidth, stripTop);
    }
    addGrain(image, { 0, 0, faceWidth, stripTop }, 2, 808712);
    {
        juce::Graphics g(image);
        // Vignette: light falls on the centre of the panel.
        juce::ColourGradient vignette(juce::Colours::white.withAlpha(0.035f), 404.0f, 250.0f,
                                      juce::Colours::black.withAlpha(0.35f), 404.0f + 620.0f, 250.0f, true);
        g.setGradientFill(vignette);
        g.fillRect(0, 0, faceWidth, stripTop);

        drawOrbits(g);

        for (const auto& [name, bounds] : placements)
            if (isKnob(name))
                drawKnobSocket(g, bounds.toFloat().getCentre());

        // The plate under the Delay Count knob and the seat of the Shift In Feedback button.
        if (const auto found = placements.find("Delay Count Overlay"); found != placements.end())
        {
            const auto plate = found->second.toFloat();
            g.setColour(juce::Colour(0xff0a0b0d));
            g.fillRoundedRectangle(plate, 3.0f);
            g.setColour(juce::Colours::white.withAlpha(0.07f));
            g.drawRoundedRectangle(plate.reduced(0.5f), 3.0f, 1.0f);
            const auto font = makeFont(fonts.bold, 8.5f, 0.18f);
            g.setColour(Palette::labelDim);
            drawCentredText(g, "1", font, { plate.getX() + 8.0f, plate.getCentreY() });
            drawCentredText(g, "8", font, { plate.getRight() - 8.0f, plate.getCentreY() });
            g.setColour(Palette::amber);
            drawCentredText(g, "TAPS", font, plate.getCentre());
        }
        if (const auto found = placements.find("Shift In Feedback"); found != placements.end())
        {
            const auto seat = found->second.toFloat().expanded(3.0f);
            g.setColour(juce::Colours::black.withAlpha(0.5f));
            g.fillRoundedRectangle(seat, 7.0f);
            g.setColour(juce::Colours::white.withAlpha(0.06f));
            g.drawRoundedRectangle(seat.translated(0.0f, 1.0f), 7.0f, 1.0f);
        }

        const auto labelFont = makeFont(fonts.bold, 10.5f, 0.16f);
        for (const auto& [name, bounds] : placements)
        {
            const auto text = printedLabel(name);
            if (text.isEmpty())
                continue;
            auto below = bounds.getBottom() + (isKnob(name) ? 14.0f : 15.0f);
            if (name == "Delay Count Knob")
                if (const auto overlay = placements.find("Delay Count Overlay"); overlay != placements.end())
                    below = overlay->second.getBottom() + 12.0f;
            g.setColour(juce::Colours::black.withAlpha(0.6f));
            drawCentredText(g, text, labelFont, { (float) bounds.getCentreX(), below + 1.0f });
            g.setColour(Palette::label);
            drawCentredText(g, text, labelFont, { (float) bounds.getCentreX(), below });
        }

        drawLogo(g, fonts);
        drawReadoutWindow(g);
        drawBottomStrip(g, fonts);
    }
    return image;
}

void drawKnobFrame(juce::Graphics& g, juce::Rectangle<float> area, float proportion)
{
    const auto centre = area.getCentre();
    const auto angle = rotaryStart + (rotaryEnd - rotaryStart) * proportion;
    constexpr float arcRadius = 31.0f;
    constexpr float bodyRadius = 23.5f;

    // Track of the value arc.
    juce::Path track;
    track.addCentredArc(centre.x, centre.y, arcRadius, arcRadius, 0.0f, rotaryStart, rotaryEnd, true);
    g.setColour(Palette::groove);
    g.strokePath(track, juce::PathStrokeType(4.0f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
    g.setColour(juce::Colours::white.withAlpha(0.05f));
    g.strokePath(track, juce::PathStrokeType(1.0f));

    // Value arc with a soft glow.
    if (proportion > 0.0f)
    {
        juce::Path value;
        value.addCentredArc(centre.x, centre.y, arcRadius, arcRadius, 0.0f, rotaryStart, angle, true);
        g.setColour(Palette::amber.withAlpha(0.16f));
        g.strokePath(value, juce::PathStrokeType(7.0f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
        g.setGradientFill(juce::ColourGradient(Palette::amberDeep, onCircle(centre, arcRadius, rotaryStart),
                                               Palette::amber, onCircle(centre, arcRadius, angle), false));
        g.strokePath(value, juce::PathStrokeType(2.6f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
    }
    const auto tip = onCircle(centre, arcRadius, angle);
    g.setColour(Palette::amberHot.withAlpha(0.35f));
    g.fillEllipse(juce::Rectangle<float>(7.0f, 7.0f).withCentre(tip));
    g.setColour(Palette::amberHot);
    g.fillEllipse(juce::Rectangle<float>(3.2f, 3.2f).withCentre(tip));

    // Body: shadow, knurled skirt, bevelled cap.
    const auto body = juce::Rectangle<float>(bodyRadius * 2.0f, bodyRadius * 2.0f).withCentre(centre);
    juce::ColourGradient shadow(juce::Colours::black.withAlpha(0.7f), centre.translated(0.0f, 2.5f),
                                juce::Colours::transparentBlack, centre.translated(0.0f, bodyRadius + 7.0f), true);
    g.setGradientFill(shadow);
    g.fillEllipse(body.expanded(6.0f).translated(0.0f, 2.5f));

    g.setGradientFill(juce::ColourGradient(juce::Colour(0xff4d525c), centre.translated(-14.0f, -20.0f),
                                           juce::Colour(0xff16181c), centre.translated(12.0f, 22.0f), false));
    g.fillEllipse(body);
    for (int i = 0; i < 40; ++i)
    {
        const auto a = angle + juce::MathConstants<float>::twoPi * (float) i / 40.0f;
        g.setColour(juce::Colours::black.withAlpha(0.28f));
        g.drawLine({ onCircle(centre, bodyRadius - 3.2f, a), onCircle(centre, bodyRadius - 0.4f, a) }, 1.0f);
    }
    g.setColour(juce::Colours::black.withAlpha(0.8f));
    g.drawEllipse(body, 1.0f);

    const auto cap = body.reduced(4.0f);
    g.setGradientFill(juce::ColourGradient(juce::Colour(0xff23262c), cap.getTopLeft(), juce::Colour(0xff3b404a),
                                           cap.getBottomRight(), false));
    g.fillEllipse(cap);
    juce::ColourGradient sheen(juce::Colours::white.withAlpha(0.10f), centre.translated(-5.0f, -9.0f),
                               juce::Colours::transparentWhite, centre.translated(-5.0f, 6.0f), true);
    g.setGradientFill(sheen);
    g.fillEllipse(cap);
    g.setGradientFill(juce::ColourGradient(juce::Colours::white.withAlpha(0.22f), cap.getTopLeft(),
                                           juce::Colours::black.withAlpha(0.4f), cap.getBottomRight(), false));
    g.drawEllipse(cap, 0.8f);

    // Pointer.
    const juce::Line<float> pointer(onCircle(centre, 6.5f, angle), onCircle(centre, bodyRadius - 5.5f, angle));
    g.setColour(juce::Colours::black.withAlpha(0.5f));
    g.drawLine(pointer.withShortenedStart(-0.5f), 4.2f);
    g.setColour(Palette::ivory);
    juce::Path needle;
    needle.startNewSubPath(pointer.getStart());
    needle.lineTo(pointer.getEnd());
    g.strokePath(needle, juce::PathStrokeType(2.4f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
}

juce::Image renderKnobFilmstrip()
{
    juce::Image strip(juce::Image::ARGB, knobSize, knobSize * knobFrames, true);
    juce::Graphics g(strip);
    for (int frame = 0; frame < knobFrames; ++frame)
    {
        juce::Graphics::ScopedSaveState state(g);
        const juce::Rectangle<float> area(0.0f, (float) (frame * knobSize), (float) knobSize, (float) knobSize);
        g.reduceClipRegion(area.toNearestInt());
        drawKnobFrame(g, area, (float) frame / (float) (knobFrames - 1));
    }
    return strip;
}

juce::Image renderDelayCountOverlay(const juce::Image& background, juce::Point<int> position, const Typefaces&)
{
    // The plate is printed on the face already; the overlay is that part of the face, so it covers
    // the lower part of the knob without a seam.
    return background.getClippedImage({ position.x, position.y, 63, 20 }).createCopy().convertedToFormat(juce::Image::RGB);
}

juce::Image renderShiftStyleButton(bool on, const juce::Image& background, juce::Point<int> position, const Typefaces& fonts)
{
    constexpr int width = 59;
    constexpr int height = 52;
    juce::Image image = background.getClippedImage({ position.x, position.y, width, height }).createCopy().convertedToFormat(juce::Image::RGB);
    juce::Graphics g(image);

    const juce::Rectangle<float> key(1.0f, 1.0f, (float) width - 2.0f, (float) height - 2.0f);
    g.setColour(juce::Colours::black);
    g.fillRoundedRectangle(key, 5.0f);
    const auto face = key.reduced(1.5f);
    g.setGradientFill(juce::ColourGradient(juce::Colour(on ? 0xff2b2a27 : 0xff30343b), face.getTopLeft(),
                                           juce::Colour(on ? 0xff191816 : 0xff1a1c21), face.getBottomLeft(), false));
    g.fillRoundedRectangle(face, 4.0f);
    g.setColour(juce::Colours::white.withAlpha(on ? 0.06f : 0.12f));
    g.drawRoundedRectangle(face.reduced(0.5f), 4.0f, 1.0f);

    const auto font = makeFont(fonts.bold, 8.0f, 0.08f);
    auto row = [&](const juce::String& text, float y, bool lit)
    {
        const juce::Point<float> led(7.5f, y);
        if (lit)
        {
            g.setColour(Palette::amber.withAlpha(0.28f));
            g.fillEllipse(juce::Rectangle<float>(9.0f, 9.0f).withCentre(led));
            g.setColour(Palette::amberHot);
        }
        else
        {
            g.setColour(juce::Colour(0xff0b0c0e));
        }
        g.fillEllipse(juce::Rectangle<float>(4.0f, 4.0f).withCentre(led));
        g.setColour(lit ? Palette::ivory : Palette::labelDim.withAlpha(0.55f));
        drawCentredText(g, text, font, { 33.5f, y });
    };
    row("INPUT", 18.5f, !on);
    row("FEEDBACK", 33.5f, on);
    // A hairline between the two positions of the switch.
    g.setColour(juce::Colours::black.withAlpha(0.5f));
    g.fillRect(12.0f, 25.5f, 38.0f, 1.0f);
    g.setColour(juce::Colours::white.withAlpha(0.05f));
    g.fillRect(12.0f, 26.5f, 38.0f, 1.0f);
    return image;
}

juce::Image renderShiftDisabledOverlay(const Typefaces& fonts)
{
    juce::Image image(juce::Image::ARGB, 256, 159, true);
    juce::Graphics g(image);
    const juce::Rectangle<float> veil(0.0f, 0.0f, 256.0f, 159.0f);
    g.setColour(juce::Colour(0xff0d0e11).withAlpha(0.72f));
    g.fillRoundedRectangle(veil, 10.0f);
    {
        juce::Graphics::ScopedSaveState state(g);
        juce::Path clip;
        clip.addRoundedRectangle(veil, 10.0f);
        g.reduceClipRegion(clip);
        g.setColour(juce::Colours::white.withAlpha(0.035f));
        for (float x = -160.0f; x < 256.0f; x += 9.0f)
            g.drawLine(x, 159.0f, x + 159.0f, 0.0f, 1.0f);
    }
    g.setColour(juce::Colours::white.withAlpha(0.08f));
    g.drawRoundedRectangle(veil.reduced(0.5f), 10.0f, 1.0f);
    g.setColour(Palette::label.withAlpha(0.85f));
    drawCentredText(g, "SHIFT BYPASSED", makeFont(fonts.bold, 11.0f, 0.2f), veil.getCentre());
    return image;
}
juce::Image renderPreview(const Placements& placements, const Typefaces& fonts, const juce::Image& background,
                          const juce::Image& filmstrip, const juce::Image& overlay, const juce::Image& buttonOn)
{
    juce::Image mock(juce::Image::RGB, faceWidth, faceHeight, true);
    juce::Graphics g(mock);
    g.drawImageAt(background, 0, 0);
    int index = 0;
    for (const auto& [name, bounds] : placements)
    {
        if (!isKnob(name))
            continue;
        const int frame = (index * 37 + 11) % knobFrames;
        ++index;
        g.drawImage(filmstrip, bounds.getX(), bounds.getY(), knobSize, knobSize, 0, frame * knobSize, knobSize, knobSize);
    }
    if (const auto found = placements.find("Shift In Feedback"); found != placements.end())
        g.drawImageAt(buttonOn, found->second.getX(), found->second.getY());
    if (const auto found = placements.find("Delay Count Overlay"); found != placements.end())
        g.drawImageAt(overlay, found->second.getX(), found->second.getY());

    // The readout as the editor draws it: black, right-justified, 21 px bold.
    g.setColour(juce::Colours::black);
    g.setFont(makeFont(fonts.bold, 21.0f, 0.0f));
    g.drawText("DELAY TIME", juce::Rectangle<int>(604, -1, 200, 40).reduced(5, 1), juce::Justification::right);
    g.drawText("50.00ms", juce::Rectangle<int>(604, 20, 200, 40).reduced(5, 1), juce::Justification::right);
    // The build string as the banner draws it.
    g.setColour(juce::Colour(0xff2c2c2c));
    g.setFont(makeFont(fonts.medium, 11.0f, 0.0f));
    g.drawText("v1.00.37 VST3", juce::Rectangle<int>(5, 656, 100, 12).reduced(5, 0), juce::Justification::left);
    return mock;
}
} // namespace Artwork
