#include "ControlsTestSupport.h"

#include "controls/LookAndFeel_Tallowbark.h"
#include "controls/TextureKnob.h"

#include <gtest/gtest.h>

using Kind = HostRecorder::Kind;

namespace
{
/** A knob of 72 by 72 inside a parent on the desktop, driven by the mouse machinery. */
struct KnobOnScreen
{
    explicit KnobOnScreen(juce::AudioParameterFloat* parameter, float resetValue = 50.0f,
                          float interval = 0.0f)
        : knob(std::make_shared<TextureKnob>(parameter, resetValue, interval))
    {
        parent.setBounds(0, 0, 200, 200);
        knob->setBounds(50, 50, 72, 72);
        parent.addAndMakeVisible(*knob);
        driver = std::make_unique<MouseDriver>(parent);
    }
    ~KnobOnScreen()
    {
        driver.reset();
        parent.removeAllChildren();
    }

    RecordingParent parent;
    std::shared_ptr<TextureKnob> knob;
    std::unique_ptr<MouseDriver> driver;
    const juce::Point<float> centre{86.0f, 86.0f};
};
} // namespace

TEST(TBIKnob, IsARotaryVerticalDragSliderOverTheParametersLinearRange)
{
    ParameterHolder holder;
    TextureKnob knob(holder.skewed, 50.0f, 0.5f);

    EXPECT_EQ(knob.getName(), "Delay") << "component name is the parameter ID";
    EXPECT_EQ(knob.parameter, holder.skewed);
    EXPECT_EQ(knob.getMinimum(), 10.0);
    EXPECT_EQ(knob.getMaximum(), 250.0);
    EXPECT_EQ(knob.getInterval(), 0.5);
    EXPECT_DOUBLE_EQ(knob.getSkewFactor(), 1.0)
        << "the knob turns linearly; the skew is the host's business";
    EXPECT_EQ(knob.getSliderStyle(), juce::Slider::RotaryVerticalDrag);
    EXPECT_EQ(knob.getTextBoxPosition(), juce::Slider::NoTextBox);
    EXPECT_DOUBLE_EQ(knob.getDoubleClickReturnValue(), 50.0);
    EXPECT_TRUE(knob.isDoubleClickReturnEnabled());
    EXPECT_FALSE(knob.getSliderSnapsToMousePosition());
    EXPECT_FLOAT_EQ(knob.getRotaryParameters().startAngleRadians,
                    juce::MathConstants<float>::pi * 1.2f);
    EXPECT_FLOAT_EQ(knob.getRotaryParameters().endAngleRadians,
                    juce::MathConstants<float>::pi * 2.8f);
    EXPECT_EQ(knob.getMouseDragSensitivity(), 250);
    EXPECT_TRUE(knob.isTimerRunning());
    EXPECT_EQ(knob.getTimerInterval(), 1000 / 16);
    EXPECT_EQ(knob.imagePosition, juce::Point<int>());
    EXPECT_FALSE(knob.valueTextTransform);
}

TEST(TextureKnob, StartsAtTheParametersValueWithoutAFilmstrip)
{
    ParameterHolder holder;
    holder.linear->setValueNotifyingHost(holder.linear->convertTo0to1(73.0f));
    TextureKnob knob(holder.linear, 50.0f, 0.0f);
    EXPECT_FLOAT_EQ((float)knob.getValue(), 73.0f);
    EXPECT_FALSE(knob.filmstripImage.isValid());
    EXPECT_EQ(knob.frameCount, 0);
    EXPECT_EQ(knob.frameWidth, 0);
    EXPECT_EQ(knob.frameHeight, 0);
    EXPECT_EQ(knob.getFrameIndex(), -1);
}

TEST(TBIKnob, FollowsTheParameterOnItsTimerWithoutWritingBack)
{
    ParameterHolder holder;
    TextureKnob knob(holder.linear, 50.0f, 0.0f);
    HostRecorder host(*holder.linear);

    holder.linear->setValueNotifyingHost(holder.linear->convertTo0to1(20.0f)); // host automation
    EXPECT_FLOAT_EQ((float)knob.getValue(), 50.0f) << "the knob waits for its timer";
    knob.timerCallback();
    EXPECT_FLOAT_EQ((float)knob.getValue(), 20.0f);
    knob.valueChanged(); // as the asynchronous notification would call it later
    EXPECT_EQ(host.count(Kind::value), 1)
        << "a change from the timer is not written back to the parameter";
    EXPECT_EQ(host.count(Kind::begin), 0);
}

TEST(TBIKnob, AParameterHoldingNaNShowsAsTheBottomOfItsRange)
{
    ParameterHolder holder;
    TextureKnob knob(holder.linear, 50.0f, 0.0f);
    knob.frameCount = 91;
    juce::AudioProcessorParameter& hostSide = *holder.linear;
    hostSide.setValue(std::numeric_limits<float>::quiet_NaN());
    knob.timerCallback();
    EXPECT_EQ((float)knob.getValue(), holder.linear->range.start);
    EXPECT_EQ(knob.getFrameIndex(), 0);
}

TEST(TBIKnob, DraggingWritesTheParameterInsideOneGesture)
{
    ParameterHolder holder;
    KnobOnScreen screen(holder.linear);
    ASSERT_TRUE(screen.driver->ready()) << "needs an X display: run under xvfb-run";
    HostRecorder host(*holder.linear);

    screen.driver->move(screen.centre);
    screen.driver->press(screen.centre);
    screen.driver->drag(screen.centre.translated(0.0f, -10.0f));
    screen.driver->drag(screen.centre.translated(0.0f, -25.0f));
    screen.driver->release(screen.centre.translated(0.0f, -25.0f));

    ASSERT_GE(host.events.size(), 3u);
    EXPECT_EQ(host.events.front().kind, Kind::begin);
    EXPECT_EQ(host.events.back().kind, Kind::end);
    EXPECT_EQ(host.count(Kind::begin), 1);
    EXPECT_EQ(host.count(Kind::end), 1);
    EXPECT_GE(host.count(Kind::value), 1);
    for (const auto& e : host.events)
    {
        if (e.kind == Kind::value)
        {
            EXPECT_TRUE(e.insideGesture);
        }
    }
    // Dragging up raises the value: 25 pixels of JUCE's 250 for the whole range are a tenth of it.
    EXPECT_NEAR(holder.linear->get(), 60.0f, 0.5f);
    EXPECT_FLOAT_EQ((float)screen.knob->getValue(), holder.linear->get());
}

TEST(TBIKnob, AClickWithoutMovementStillSendsBeginAndEnd)
{
    ParameterHolder holder;
    KnobOnScreen screen(holder.linear);
    ASSERT_TRUE(screen.driver->ready()) << "needs an X display: run under xvfb-run";
    HostRecorder host(*holder.linear);

    screen.driver->click(screen.centre);
    EXPECT_EQ(host.kinds(), (std::vector<Kind>{Kind::begin, Kind::end}));
    EXPECT_FLOAT_EQ(holder.linear->get(), 50.0f);
}

TEST(TBIKnob, DoubleClickResetsTheParameterWithoutAGestureAndTheKnobFollowsAtTheNextTick)
{
    ParameterHolder holder;
    holder.linear->setValueNotifyingHost(holder.linear->convertTo0to1(90.0f));
    KnobOnScreen screen(holder.linear, 25.0f);
    ASSERT_TRUE(screen.driver->ready()) << "needs an X display: run under xvfb-run";
    HostRecorder host(*holder.linear);

    screen.driver->click(screen.centre);
    screen.driver->click(screen.centre);

    EXPECT_FLOAT_EQ(holder.linear->get(), 25.0f);
    ASSERT_EQ(host.count(Kind::value), 1);
    for (const auto& e : host.events)
    {
        if (e.kind == Kind::value)
        {
            EXPECT_FALSE(e.insideGesture) << "the reset is not wrapped in a gesture";
        }
    }
    EXPECT_FLOAT_EQ((float)screen.knob->getValue(), 90.0f)
        << "the knob follows only at its next tick";
    screen.knob->timerCallback();
    EXPECT_FLOAT_EQ((float)screen.knob->getValue(), 25.0f);
}

TEST(TBIKnob, AltClickResetsAtOnceInsideAGesture)
{
    ParameterHolder holder;
    holder.linear->setValueNotifyingHost(holder.linear->convertTo0to1(90.0f));
    KnobOnScreen screen(holder.linear, 25.0f);
    ASSERT_TRUE(screen.driver->ready()) << "needs an X display: run under xvfb-run";
    HostRecorder host(*holder.linear);

    screen.driver->click(screen.centre, juce::ModifierKeys::altModifier);

    EXPECT_EQ(host.kinds(), (std::vector<Kind>{Kind::begin, Kind::value, Kind::end}));
    EXPECT_FLOAT_EQ(holder.linear->get(), 25.0f);
    EXPECT_FLOAT_EQ((float)screen.knob->getValue(), 25.0f) << "at once, not at the next tick";
}

TEST(TBIKnob, TheWheelChangesNothingAndDoesNotReachTheParent)
{
    ParameterHolder holder;
    KnobOnScreen screen(holder.linear);
    ASSERT_TRUE(screen.driver->ready()) << "needs an X display: run under xvfb-run";
    HostRecorder host(*holder.linear);

    screen.driver->move(screen.centre);
    screen.driver->wheel(screen.centre, 0.5f);
    screen.driver->wheel(screen.centre, -0.5f);

    EXPECT_TRUE(host.events.empty());
    EXPECT_FLOAT_EQ((float)screen.knob->getValue(), 50.0f);
    EXPECT_EQ(screen.parent.wheelEvents, 0);

    // The parent does get the wheel outside the knob, so the driver does deliver wheel events.
    screen.driver->move({10.0f, 10.0f});
    screen.driver->wheel({10.0f, 10.0f}, 0.5f);
    EXPECT_EQ(screen.parent.wheelEvents, 1);
}

TEST(TBIKnob, AutomationWaitsWhileTheUserHoldsTheKnobAndJumpsAfterRelease)
{
    ParameterHolder holder;
    KnobOnScreen screen(holder.linear);
    ASSERT_TRUE(screen.driver->ready()) << "needs an X display: run under xvfb-run";

    screen.driver->move(screen.centre);
    screen.driver->press(screen.centre);
    ASSERT_TRUE(screen.knob->isMouseButtonDown());

    holder.linear->setValueNotifyingHost(holder.linear->convertTo0to1(5.0f));
    screen.knob->timerCallback();
    EXPECT_FLOAT_EQ((float)screen.knob->getValue(), 50.0f) << "held knobs ignore the parameter";

    screen.driver->release(screen.centre);
    screen.knob->timerCallback();
    EXPECT_FLOAT_EQ((float)screen.knob->getValue(), 5.0f);
}

TEST(TBIKnob, ASkewedParameterTurnsLinearlyWhileTheHostGetsTheSkewedValue)
{
    ParameterHolder holder;
    KnobOnScreen screen(holder.skewed, 50.0f);
    ASSERT_TRUE(screen.driver->ready()) << "needs an X display: run under xvfb-run";
    HostRecorder host(*holder.skewed);

    EXPECT_DOUBLE_EQ(screen.knob->valueToProportionOfLength(130.0), 0.5);

    screen.driver->move(screen.centre);
    screen.driver->press(screen.centre);
    screen.driver->drag(screen.centre.translated(0.0f, -50.0f)); // a fifth of the range: +48
    screen.driver->release(screen.centre.translated(0.0f, -50.0f));

    const auto knobValue = (float)screen.knob->getValue();
    EXPECT_NEAR(knobValue, 98.0f, 1.0f);
    EXPECT_NEAR(holder.skewed->get(), knobValue, 0.01f);
    ASSERT_GE(host.count(Kind::value), 1);
    float lastSent = -1.0f;
    for (const auto& e : host.events)
        if (e.kind == Kind::value)
            lastSent = e.normalisedValue;
    EXPECT_NEAR(lastSent, holder.skewed->convertTo0to1(knobValue), 1e-4f);
    EXPECT_GT(std::abs(lastSent - 0.2f), 0.05f)
        << "the host receives the skewed normalised value, not the knob's proportion";
}

TEST(TextureKnob, ChoosesTheFrameByTruncatingTheProportion)
{
    ParameterHolder holder;
    TextureKnob knob(holder.frames, 0.0f, 0.0f);
    knob.frameCount = 91;
    knob.frameWidth = 72;
    knob.frameHeight = 72;

    const std::pair<double, int> cases[] = {
        {0.0, 0}, {0.99, 0}, {1.0, 1}, {45.0, 45}, {89.99, 89}, {90.0 - 1e-6, 89}, {90.0, 90},
    };
    for (const auto& [value, frame] : cases)
    {
        knob.setValue(value, juce::dontSendNotification);
        EXPECT_EQ(knob.getFrameIndex(), frame) << "value " << value;
    }
}

namespace
{
/** A strip of three 10 by 10 frames: red, green, blue. */
juce::Image threeFrameStrip()
{
    juce::Image strip(juce::Image::ARGB, 10, 30, true);
    juce::Graphics g(strip);
    g.setColour(juce::Colours::red);
    g.fillRect(0, 0, 10, 10);
    g.setColour(juce::Colours::lime);
    g.fillRect(0, 10, 10, 10);
    g.setColour(juce::Colours::blue);
    g.fillRect(0, 20, 10, 10);
    return strip;
}

juce::Image paint(juce::Component& component)
{
    juce::Image image(juce::Image::ARGB, component.getWidth(), component.getHeight(), true);
    juce::Graphics g(image);
    component.paintEntireComponent(g, false);
    return image;
}
} // namespace

TEST(TextureKnob, DrawsOneUnscaledFrameAtItsImagePosition)
{
    ParameterHolder holder;
    LookAndFeel_Tallowbark lookAndFeel;
    TextureKnob knob(holder.frames, 0.0f, 0.0f);
    knob.setLookAndFeel(&lookAndFeel);
    knob.setBounds(0, 0, 30, 30);
    knob.filmstripImage = threeFrameStrip();
    knob.frameCount = 3;
    knob.frameWidth = 10;
    knob.frameHeight = 10;
    knob.imagePosition = {5, 7};

    knob.setValue(45.0, juce::dontSendNotification); // proportion 0.5: frame (int) (2 * 0.5) = 1
    auto image = paint(knob);
    EXPECT_EQ(pixel(image, 5, 7), juce::Colours::lime);
    EXPECT_EQ(pixel(image, 14, 16), juce::Colours::lime);
    EXPECT_EQ(pixel(image, 15, 17).getAlpha(), 0) << "the frame is not scaled to the component";
    EXPECT_EQ(pixel(image, 4, 7).getAlpha(), 0);
    EXPECT_EQ(pixel(image, 5, 6).getAlpha(), 0);

    knob.setValue(0.0, juce::dontSendNotification);
    EXPECT_EQ(pixel(paint(knob), 9, 11), juce::Colours::red);
    knob.setValue(90.0, juce::dontSendNotification);
    EXPECT_EQ(pixel(paint(knob), 9, 11), juce::Colours::blue);

    knob.setLookAndFeel(nullptr);
}

TEST(TextureKnob, IsInvisibleWithoutAFilmstripButStillWorks)
{
    ParameterHolder holder;
    LookAndFeel_Tallowbark lookAndFeel;
    KnobOnScreen screen(holder.linear);
    screen.knob->setLookAndFeel(&lookAndFeel);

    const auto image = paint(*screen.knob);
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            ASSERT_EQ(pixel(image, x, y).getAlpha(), 0) << x << ", " << y;

    ASSERT_TRUE(screen.driver->ready()) << "needs an X display: run under xvfb-run";
    screen.driver->move(screen.centre);
    screen.driver->press(screen.centre);
    screen.driver->drag(screen.centre.translated(0.0f, -25.0f));
    screen.driver->release(screen.centre.translated(0.0f, -25.0f));
    EXPECT_NEAR(holder.linear->get(), 60.0f, 0.5f);

    screen.knob->setLookAndFeel(nullptr);
}
