#include "ControlsTestSupport.h"

#include "controls/TallowImageButton.h"

#include <BinaryData.h>

#include <gtest/gtest.h>

namespace
{
juce::Image embedded(const char* resourceName)
{
    int size = 0;
    const char* data = BinaryData::getNamedResource(resourceName, size);
    return juce::ImageCache::getFromMemory(data, size);
}

class ClickCounter : public juce::Button::Listener
{
public:
    void buttonClicked(juce::Button* button) override
    {
        ++clicks;
        stateAtClick = button->getToggleState();
    }
    int clicks = 0;
    bool stateAtClick = false;
};

juce::Image paint(juce::Component& component)
{
    juce::Image image(juce::Image::ARGB, component.getWidth(), component.getHeight(), true);
    juce::Graphics g(image);
    component.paintEntireComponent(g, false);
    return image;
}

bool samePixels(const juce::Image& a, const juce::Image& b)
{
    if (a.getBounds() != b.getBounds())
        return false;
    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            if (a.getPixelAt(x, y) != b.getPixelAt(x, y))
                return false;
    return true;
}
} // namespace

TEST(TallowImageButton, TheEditorsStemNamesNoResourceSoItStartsWithoutImages)
{
    ClickCounter listener;
    TallowImageButton button("Shift In Feedback", "Shift In Feedback", &listener, true);
    EXPECT_EQ(button.getName(), "Shift In Feedback");
    EXPECT_FALSE(button.getNormalImage().isValid());
    EXPECT_FALSE(button.getDownImage().isValid());
    EXPECT_EQ(button.getBounds(), juce::Rectangle<int>()) << "no image, so no size";
    EXPECT_FALSE(button.getWantsKeyboardFocus());
    EXPECT_TRUE(button.getClickingTogglesState());
    EXPECT_EQ(button.hitArea, juce::Rectangle<int>());
}

TEST(TallowImageButton, TakesTheOnAndOffImagesOfItsStemAndSwapsThemOnRequest)
{
    const auto on = embedded("shiftstyle_on_png");
    const auto off = embedded("shiftstyle_off_png");
    ASSERT_TRUE(on.isValid() && off.isValid());

    TallowImageButton swapped("Swapped", "shiftstyle", nullptr, true);
    EXPECT_EQ(swapped.getNormalImage(), off);
    EXPECT_EQ(swapped.getOverImage(), off) << "the normal image is also the mouse-over image";
    EXPECT_EQ(swapped.getDownImage(), on);
    EXPECT_EQ(swapped.getBounds(), juce::Rectangle<int>(0, 0, 59, 52))
        << "sized to the normal image";

    TallowImageButton plain("Plain", "shiftstyle", nullptr, false);
    EXPECT_EQ(plain.getNormalImage(), on);
    EXPECT_EQ(plain.getDownImage(), off);
}

TEST(TallowImageButton, ShowsTheOffImageWhileOffAndTheOnImageWhileOnWhenSwapped)
{
    const auto on = embedded("shiftstyle_on_png");
    const auto off = embedded("shiftstyle_off_png");
    TallowImageButton button("Shift In Feedback", "shiftstyle", nullptr, true);

    button.setToggleState(false, juce::dontSendNotification);
    EXPECT_TRUE(samePixels(paint(button), off));
    button.setToggleState(true, juce::dontSendNotification);
    EXPECT_TRUE(samePixels(paint(button), on));

    TallowImageButton plain("Plain", "shiftstyle", nullptr, false);
    EXPECT_TRUE(samePixels(paint(plain), on)) << "without swapping the on image shows while off";
}

TEST(TallowImageButton, WithoutAHitAreaTheWholeRectangleReactsTransparentPixelsIncluded)
{
    TallowImageButton button("Button", "none", nullptr, false);
    const juce::Image clear(juce::Image::ARGB, 59, 52, true);
    const auto none = juce::Colours::transparentWhite;
    button.setImages(true, false, true, clear, 1.0f, none, clear, 1.0f, none, clear, 1.0f, none,
                     0.0f);
    button.setTopLeftPosition(100, 40);

    EXPECT_TRUE(button.hitTest(0, 0));
    EXPECT_TRUE(button.hitTest(58, 51));
    EXPECT_FALSE(button.hitTest(59, 51));
    EXPECT_FALSE(button.hitTest(58, 52));
    EXPECT_FALSE(button.hitTest(-1, 0));
}

TEST(TallowImageButton, AHitAreaInParentCoordinatesDecidesAlone)
{
    TallowImageButton button("Button", "shiftstyle", nullptr, true);
    button.setBounds(0, 0, 59, 52);
    button.setHitbox(10, 10, 20, 20);
    EXPECT_EQ(button.hitArea, juce::Rectangle<int>(10, 10, 20, 20));

    EXPECT_FALSE(button.hitTest(5, 5));
    EXPECT_TRUE(button.hitTest(10, 10)) << "left and top edges are inside";
    EXPECT_TRUE(button.hitTest(29, 29));
    EXPECT_FALSE(button.hitTest(30, 30)) << "right and bottom edges are outside";
    EXPECT_FALSE(button.hitTest(30, 10));

    // The point is translated by the button's position into the parent's coordinates.
    button.setTopLeftPosition(100, 50);
    button.setHitbox(110, 60, 20, 20);
    EXPECT_TRUE(button.hitTest(10, 10));
    EXPECT_FALSE(button.hitTest(9, 10));

    // A zero width switches back to the whole rectangle.
    button.setHitbox(0, 0, 0, 20);
    EXPECT_TRUE(button.hitTest(0, 0));
}

TEST(TallowImageButton, EveryClickTogglesAndThenTellsTheListener)
{
    RecordingParent parent;
    parent.setBounds(0, 0, 200, 200);
    ClickCounter listener;
    TallowImageButton button("Shift In Feedback", "shiftstyle", &listener, true);
    button.setTopLeftPosition(20, 30);
    parent.addAndMakeVisible(button);
    {
        MouseDriver driver(parent);
        ASSERT_TRUE(driver.ready()) << "needs an X display: run under xvfb-run";
        driver.click({40.0f, 50.0f});
        EXPECT_EQ(listener.clicks, 1);
        EXPECT_TRUE(listener.stateAtClick) << "the state flips before the listener hears of it";
        driver.pause();
        driver.click({40.0f, 50.0f});
        EXPECT_EQ(listener.clicks, 2);
        EXPECT_FALSE(button.getToggleState());

        // Outside the hit area the button does not react, though the pointer is over its image.
        button.setHitbox(20, 30, 10, 10);
        driver.pause();
        driver.click({60.0f, 70.0f});
        EXPECT_EQ(listener.clicks, 2);
        driver.pause();
        driver.click({25.0f, 35.0f});
        EXPECT_EQ(listener.clicks, 3);
    }
    parent.removeAllChildren();
}
