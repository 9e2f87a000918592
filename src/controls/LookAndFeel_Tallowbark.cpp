#include "controls/LookAndFeel_Tallowbark.h"

#include "controls/TextureKnob.h"

namespace
{
/** The rectangle reduced by dx on the left and right and dy on the top and bottom, never below zero
 * size. */
juce::Rectangle<int> reducedNotNegative(const juce::Rectangle<int>& r, int dx, int dy)
{
    return {r.getX() + dx, r.getY() + dy, juce::jmax(0, r.getWidth() - 2 * dx),
            juce::jmax(0, r.getHeight() - 2 * dy)};
}
} // namespace

void LookAndFeel_Tallowbark::drawPopupMenuItem(
    juce::Graphics& g, const juce::Rectangle<int>& area, bool isSeparator, bool isActive,
    bool isHighlighted, bool isTicked, bool hasSubMenu, const juce::String& text,
    const juce::String& shortcutKeyText, const juce::Drawable* icon, const juce::Colour* textColour)
{
    if (isSeparator)
    {
        auto r = reducedNotNegative(area, 5, 0);
        // A separator less than 2 pixels high has nothing above its line.
        r.removeFromTop(juce::jmax(0, juce::jmin(r.getHeight(), r.getHeight() / 2 - 1)));
        g.setColour(juce::Colour(0x33000000));
        g.fillRect(r.removeFromTop(1));
        g.setColour(juce::Colour(0x66ffffff));
        g.fillRect(r.removeFromTop(1));
        return;
    }

    auto colour =
        findColour(isTicked ? juce::PopupMenu::headerTextColourId : juce::PopupMenu::textColourId);
    if (textColour != nullptr)
        colour = *textColour;

    auto r = reducedNotNegative(area, 1, 1);

    if (isHighlighted)
    {
        g.setColour(findColour(juce::PopupMenu::highlightedBackgroundColourId));
        g.fillRect(r);
    }

    g.setColour(colour);
    if (!isActive)
        g.setOpacity(0.3f);

    auto font = getPopupMenuFont();
    const auto maxFontHeight = (float)area.getHeight() / 1.3f;
    if (font.getHeight() > maxFontHeight)
        font.setHeight(maxFontHeight);
    g.setFont(font);

    const auto iconColumnWidth = juce::jmin(r.getWidth(), (r.getHeight() * 5) / 4);
    const juce::Rectangle<float> iconArea((float)(r.getRight() - iconColumnWidth + 3),
                                          (float)(r.getY() + 3),
                                          (float)(juce::jmax(iconColumnWidth, 6) - 6),
                                          (float)(juce::jmax(area.getHeight() - 2, 6) - 6));
    if (icon != nullptr)
    {
        icon->drawWithin(
            g, iconArea,
            juce::RectanglePlacement::centred | juce::RectanglePlacement::onlyReduceInSize, 1.0f);
    }
    else if (isTicked)
    {
        const auto tick = getTickShape(1.0f);
        g.fillPath(tick, tick.getTransformToScaleToFit(iconArea, true));
    }
    r.removeFromRight(iconColumnWidth);

    if (hasSubMenu)
    {
        const auto arrowHeight = 0.6f * getPopupMenuFont().getAscent();
        const auto arrowColumn = r.removeFromRight(juce::jmin(r.getWidth(), (int)arrowHeight));
        const auto x = (float)arrowColumn.getX();
        const auto y = (float)(r.getY() + r.getHeight() / 2);
        juce::Path arrow;
        arrow.addTriangle(x, y - arrowHeight * 0.5f, x, y + arrowHeight * 0.5f,
                          x + 0.6f * arrowHeight, y);
        g.fillPath(arrow);
    }

    r.removeFromLeft(juce::jmin(5, r.getWidth()));
    g.drawFittedText(text, r, juce::Justification::centredLeft, 1);

    if (shortcutKeyText.isNotEmpty())
    {
        auto shortcutFont = font;
        shortcutFont.setHeight(font.getHeight() * 0.75f);
        shortcutFont.setHorizontalScale(0.95f);
        g.setFont(shortcutFont);
        g.drawText(shortcutKeyText, r, juce::Justification::centredRight, true);
    }
}

void LookAndFeel_Tallowbark::drawRotarySlider(juce::Graphics& g, int x, int y, int, int, float,
                                              float, float, juce::Slider& slider)
{
    auto* knob = dynamic_cast<TextureKnob*>(&slider);
    if (knob == nullptr || !knob->filmstripImage.isValid())
        return;
    const auto frame = knob->getFrameIndex();
    if (frame < 0)
        return;
    g.drawImage(knob->filmstripImage, x + knob->imagePosition.x, y + knob->imagePosition.y,
                knob->frameWidth, knob->frameHeight, 0, frame * knob->frameHeight, knob->frameWidth,
                knob->frameHeight);
}

int LookAndFeel_Tallowbark::getSliderThumbRadius(juce::Slider&)
{
    return 0;
}
