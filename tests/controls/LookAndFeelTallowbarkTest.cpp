#include "ControlsTestSupport.h"

#include "controls/LookAndFeel_Tallowbark.h"
#include "controls/TextureKnob.h"

#include <gtest/gtest.h>

namespace
{
const juce::Colour textGreen{0xff00ff00};
const juce::Colour headerRed{0xffff0000};
const juce::Colour highlight{0xff202020};

class MenuItemCanvas
{
public:
    MenuItemCanvas()
    {
        lookAndFeel.setColour(juce::PopupMenu::textColourId, textGreen);
        lookAndFeel.setColour(juce::PopupMenu::headerTextColourId, headerRed);
        lookAndFeel.setColour(juce::PopupMenu::highlightedBackgroundColourId, highlight);
    }

    struct Item
    {
        bool separator = false, active = true, highlighted = false, ticked = false, subMenu = false;
        juce::String text = "Reset", shortcut;
        const juce::Colour* textColour = nullptr;
        const juce::Drawable* icon = nullptr;
    };

    /** Draws one item into a transparent image of the area's size. */
    juce::Image draw(juce::Rectangle<int> area, const Item& item)
    {
        juce::Image image(juce::Image::ARGB, area.getRight(), area.getBottom(), true);
        juce::Graphics g(image);
        lookAndFeel.drawPopupMenuItem(g, area, item.separator, item.active, item.highlighted,
                                      item.ticked, item.subMenu, item.text, item.shortcut,
                                      item.icon, item.textColour);
        return image;
    }

    LookAndFeel_Tallowbark lookAndFeel;
};

/** Bounds of the pixels that pass a test, or an empty rectangle. */
template <typename Test>
juce::Rectangle<int> boundsWhere(const juce::Image& image, juce::Rectangle<int> within, Test test)
{
    juce::Rectangle<int> bounds;
    bool any = false;
    for (int y = within.getY(); y < within.getBottom(); ++y)
        for (int x = within.getX(); x < within.getRight(); ++x)
            if (test(image.getPixelAt(x, y)))
            {
                const juce::Rectangle<int> p(x, y, 1, 1);
                bounds = any ? bounds.getUnion(p) : p;
                any = true;
            }
    return bounds;
}

bool visible(juce::Colour c)
{
    return c.getAlpha() > 0;
}
} // namespace

TEST(LookAndFeel_Tallowbark, SeparatorInAnEightPixelAreaIsTwoRowsFiveInsideTheEdges)
{
    MenuItemCanvas canvas;
    MenuItemCanvas::Item item;
    item.separator = true;
    const juce::Rectangle<int> area(0, 0, 60, 8);
    const auto image = canvas.draw(area, item);

    for (int y = 0; y < 8; ++y)
    {
        for (int x = 0; x < 60; ++x)
        {
            const auto c = image.getPixelAt(x, y);
            const bool inside = x >= 5 && x < 55;
            if (inside && y == 3)
                EXPECT_EQ(c, juce::Colour(0x33000000)) << x << ", " << y;
            else if (inside && y == 4)
                EXPECT_EQ(c.getAlpha(), 0x66) << x << ", " << y;
            else
                EXPECT_EQ(c.getAlpha(), 0) << x << ", " << y;
        }
    }
    EXPECT_EQ(image.getPixelAt(30, 4).withAlpha((juce::uint8)0xff), juce::Colours::white);
}

TEST(LookAndFeel_Tallowbark, SeparatorRowsStopWhereTheAreaEnds)
{
    MenuItemCanvas canvas;
    MenuItemCanvas::Item item;
    item.separator = true;
    // Height 3: nothing removed above (3 / 2 - 1 = 0), dark row 0, light row 1.
    auto image = canvas.draw({0, 0, 20, 3}, item);
    EXPECT_EQ(image.getPixelAt(10, 0), juce::Colour(0x33000000));
    EXPECT_EQ(image.getPixelAt(10, 1).getAlpha(), 0x66);
    EXPECT_EQ(image.getPixelAt(10, 2).getAlpha(), 0);
    // Height 1: only the dark row fits. Width below 10: nothing at all.
    image = canvas.draw({0, 0, 20, 1}, item);
    EXPECT_EQ(image.getPixelAt(10, 0), juce::Colour(0x33000000));
    image = canvas.draw({0, 0, 8, 8}, item);
    EXPECT_TRUE(boundsWhere(image, image.getBounds(), visible).isEmpty());
}

TEST(LookAndFeel_Tallowbark, HighlightFillsTheAreaLessOnePixelAtFullOpacityEvenWhenInactive)
{
    MenuItemCanvas canvas;
    MenuItemCanvas::Item item;
    item.highlighted = true;
    item.active = false;
    item.text = "";
    const auto image = canvas.draw({0, 0, 100, 22}, item);
    EXPECT_EQ(boundsWhere(image, image.getBounds(), visible), juce::Rectangle<int>(1, 1, 98, 20));
    EXPECT_EQ(image.getPixelAt(1, 1), highlight);
    EXPECT_EQ(image.getPixelAt(98, 20), highlight);
}

TEST(LookAndFeel_Tallowbark, TextStartsFiveInsideInTheTextColour)
{
    MenuItemCanvas canvas;
    MenuItemCanvas::Item item;
    item.text = "Reset all";
    const auto image = canvas.draw({0, 0, 200, 22}, item);
    const auto text = boundsWhere(image, image.getBounds(), visible);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_GE(text.getX(), 6);
    EXPECT_LE(text.getX(), 8);
    EXPECT_LE(text.getHeight(), juce::roundToInt(22 / 1.3f) + 1)
        << "font no higher than the area's height / 1.3";
    for (int y = text.getY(); y < text.getBottom(); ++y)
    {
        for (int x = text.getX(); x < text.getRight(); ++x)
        {
            if (visible(image.getPixelAt(x, y)))
            {
                ASSERT_EQ(image.getPixelAt(x, y).withAlpha((juce::uint8)0xff), textGreen)
                    << x << ", " << y;
            }
        }
    }
}

TEST(LookAndFeel_Tallowbark, AGivenTextColourWinsOverTheMenusColours)
{
    MenuItemCanvas canvas;
    MenuItemCanvas::Item item;
    const juce::Colour blue{0xff0000ff};
    item.textColour = &blue;
    item.ticked = true;
    const auto image = canvas.draw({0, 0, 200, 22}, item);
    const auto drawn = boundsWhere(image, image.getBounds(), visible);
    ASSERT_FALSE(drawn.isEmpty());
    EXPECT_TRUE(boundsWhere(image, image.getBounds(),
                            [&](juce::Colour c)
                            { return visible(c) && c.withAlpha((juce::uint8)0xff) != blue; })
                    .isEmpty());
}

TEST(LookAndFeel_Tallowbark,
     ATickedInactiveItemIsInHeaderColourWithTheTickAtTheRightAtThirtyPercent)
{
    MenuItemCanvas canvas;
    MenuItemCanvas::Item item;
    item.ticked = true;
    item.active = false;
    const auto image = canvas.draw({0, 0, 200, 22}, item);

    // An item 22 high: r is (1, 1, 198, 20); the icon column is min(198, 25) wide, its area reduced
    // by 3.
    const juce::Rectangle<int> iconArea(199 - 25 + 3, 4, 19, 14);
    const auto tick = boundsWhere(image, {150, 0, 50, 22}, visible);
    ASSERT_FALSE(tick.isEmpty()) << "no tick drawn";
    EXPECT_TRUE(iconArea.expanded(1).contains(tick)) << tick.toString();

    const auto everything = boundsWhere(image, image.getBounds(), visible);
    for (int y = everything.getY(); y < everything.getBottom(); ++y)
    {
        for (int x = everything.getX(); x < everything.getRight(); ++x)
        {
            const auto c = image.getPixelAt(x, y);
            if (!visible(c))
                continue;
            ASSERT_LE(c.getAlpha(), 77) << "drawn above 30 % opacity at " << x << ", " << y;
            ASSERT_EQ(c.withAlpha((juce::uint8)0xff), headerRed) << x << ", " << y;
        }
    }
    // The text stays left of the icon column.
    EXPECT_LT(boundsWhere(image, {0, 0, 174, 22}, visible).getRight(), 174);
}

TEST(LookAndFeel_Tallowbark, ASubMenuArrowSitsLeftOfTheIconColumn)
{
    MenuItemCanvas canvas;
    MenuItemCanvas::Item item;
    item.subMenu = true;
    item.text = "";
    const auto image = canvas.draw({0, 0, 200, 22}, item);
    const auto arrow = boundsWhere(image, image.getBounds(), visible);
    ASSERT_FALSE(arrow.isEmpty());
    const auto fontAscent = canvas.lookAndFeel.getPopupMenuFont().getAscent();
    const auto arrowHeight = 0.6f * fontAscent;
    const int column = (int)arrowHeight;
    // The column is the rightmost `column` pixels of r once the icon column (25) is gone: it starts
    // at 174 - column.
    EXPECT_GE(arrow.getX(), 174 - column - 1);
    EXPECT_LE(arrow.getRight(), 174 - column + juce::roundToInt(0.6f * arrowHeight) + 1);
    EXPECT_NEAR((float)arrow.getCentreY(), 11.0f, 1.5f);
    EXPECT_NEAR((float)arrow.getHeight(), arrowHeight, 2.0f);
}

TEST(LookAndFeel_Tallowbark, ShortcutTextIsRightJustifiedLeftOfTheIconColumn)
{
    MenuItemCanvas canvas;
    MenuItemCanvas::Item item;
    item.text = "";
    item.shortcut = "Ctrl+R";
    const auto image = canvas.draw({0, 0, 200, 22}, item);
    const auto shortcut = boundsWhere(image, image.getBounds(), visible);
    ASSERT_FALSE(shortcut.isEmpty());
    EXPECT_LE(shortcut.getRight(), 174);
    EXPECT_GE(shortcut.getRight(), 168);
    EXPECT_GT(shortcut.getX(), 100);
}

TEST(LookAndFeel_Tallowbark, AnIconIsDrawnInTheIconAreaAndNeverEnlarged)
{
    MenuItemCanvas canvas;
    juce::DrawableRectangle icon;
    icon.setRectangle(juce::Parallelogram<float>(juce::Rectangle<float>(0.0f, 0.0f, 4.0f, 4.0f)));
    icon.setFill(juce::Colours::magenta);
    MenuItemCanvas::Item item;
    item.icon = &icon;
    item.text = "";
    item.active = false;
    const auto image = canvas.draw({0, 0, 200, 22}, item);
    const auto drawn = boundsWhere(image, image.getBounds(), visible);
    ASSERT_FALSE(drawn.isEmpty());
    EXPECT_LE(drawn.getWidth(), 5) << "a small icon is centred, not enlarged";
    EXPECT_NEAR((float)drawn.getCentreX(), 177.0f + 9.5f, 1.5f);
    EXPECT_EQ(image.getPixelAt(drawn.getCentreX(), drawn.getCentreY()).getAlpha(), 0xff)
        << "icons draw at full opacity";
}

TEST(LookAndFeel_Tallowbark, OtherRotarySlidersDrawNothingAndNoSliderHasAThumb)
{
    LookAndFeel_Tallowbark lookAndFeel;
    juce::Slider slider(juce::Slider::RotaryHorizontalVerticalDrag, juce::Slider::NoTextBox);
    slider.setLookAndFeel(&lookAndFeel);
    slider.setBounds(0, 0, 60, 60);
    slider.setValue(0.5);
    juce::Image image(juce::Image::ARGB, 60, 60, true);
    {
        juce::Graphics g(image);
        slider.paintEntireComponent(g, false);
    }
    EXPECT_TRUE(boundsWhere(image, image.getBounds(), visible).isEmpty());
    EXPECT_EQ(lookAndFeel.getSliderThumbRadius(slider), 0);

    juce::Slider linear(juce::Slider::LinearHorizontal, juce::Slider::NoTextBox);
    EXPECT_EQ(lookAndFeel.getSliderThumbRadius(linear), 0);
    slider.setLookAndFeel(nullptr);
}
