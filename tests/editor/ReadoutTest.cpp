#include "EditorTestSupport.h"

namespace
{
struct Readout : EditorTest
{
    /** The pointer at p, then one timer tick; returns both lines. */
    std::pair<juce::String, juce::String> at(juce::Point<int> p)
    {
        pointAt(p);
        return tick();
    }

    std::pair<juce::String, juce::String> tick()
    {
        editor->timerCallback();
        return {childAs<juce::Label>("LastParam")->getText(),
                childAs<juce::Label>("LastValue")->getText()};
    }

    static void set(juce::RangedAudioParameter* parameter, float value)
    {
        parameter->setValueNotifyingHost(parameter->convertTo0to1(value));
    }

    using Lines = std::pair<juce::String, juce::String>;
};
} // namespace

TEST_F(Readout, NamesTheControlUnderThePointerWithItsValueAndUnit)
{
    const struct
    {
        juce::Point<int> pointer;
        juce::RangedAudioParameter* parameter;
        float value;
        const char* name;
        const char* valueText;
    } cases[] = {
        {{335, 341}, nullptr, 0.0f, "FEEDBACK", "50.00%"},
        {{493, 118}, nullptr, 0.0f, "WET", "-3.00dB"},
        {{493, 118}, processor.wetParam, -18.0f, "WET", "-inf dB"},
        {{493, 118}, processor.wetParam, -17.99f, "WET", "-17.99dB"},
        {{373, 65}, processor.dryParam, -18.0f, "DRY", "-inf dB"},
        {{73, 317}, nullptr, 0.0f, "DELAY TIME", "50.00ms"},
        {{212, 253}, nullptr, 0.0f, "TIME SPREAD", "1.62"},
        {{618, 205}, nullptr, 0.0f, "SHIFT", "333.00Hz"},
        {{739, 146}, nullptr, 0.0f, "SHIFT STYLE", "OUT"},
        {{739, 146}, processor.shiftStyleParam, 3.72f, "SHIFT STYLE", "LITTLE"},
        {{193, 470}, processor.countParam, 3.72f, "DELAY COUNT", "3"},
        // Under the overlay image, which lies above the lower part of the knob.
        {{170, 515}, nullptr, 0.0f, "DELAY COUNT", "3"},
        {{582, 324}, nullptr, 0.0f, "SHIFT IN", "FEEDBACK"},
        // A hover area holds its left and top edges but not its right and bottom ones.
        {{299, 305}, nullptr, 0.0f, "FEEDBACK", "50.00%"},
        {{553 + 59, 298}, nullptr, 0.0f, "FEEDBACK", "50.00%"},
        {{553, 298 + 52}, nullptr, 0.0f, "FEEDBACK", "50.00%"},
    };

    for (const auto& c : cases)
    {
        if (c.parameter != nullptr)
            set(c.parameter, c.value);
        EXPECT_EQ(at(c.pointer), Lines(c.name, c.valueText)) << c.pointer.toString();
    }
}

TEST_F(Readout, StaysEmptyUntilThePointerRestsOnAControlThenKeepsTheLastOne)
{
    EXPECT_EQ(at({20, 20}), Lines()) << "over the background only";
    EXPECT_EQ(at({335, 341}), Lines("FEEDBACK", "50.00%"));
    EXPECT_EQ(at({20, 20}), Lines("FEEDBACK", "50.00%")) << "back over the background";

    // Automation of the named control shows although the pointer has left it.
    set(processor.feedbackParam, 80.0f);
    EXPECT_EQ(tick(), Lines("FEEDBACK", "80.00%"));
}

TEST_F(Readout, KeepsTheNamedControlWhileAButtonIsHeld)
{
    EXPECT_EQ(at({73, 317}), Lines("DELAY TIME", "50.00ms"));

    // Dragging the Delay Time knob out over the Shift knob.
    juce::ModifierKeys::currentModifiers = juce::ModifierKeys::leftButtonModifier;
    set(processor.delayParam, 60.0f);
    EXPECT_EQ(at({618, 205}), Lines("DELAY TIME", "60.00ms"));

    juce::ModifierKeys::currentModifiers = {};
    EXPECT_EQ(tick(), Lines("SHIFT", "333.00Hz"));
}

TEST_F(Readout, TheButtonValueFollowsShiftPathWithinTwoTicks)
{
    EXPECT_EQ(at({582, 324}), Lines("SHIFT IN", "FEEDBACK"));
    processor.shiftPathParam->setValueNotifyingHost(0.0f);
    tick();
    EXPECT_EQ(tick(), Lines("SHIFT IN", "INPUT"));
}

TEST(MinusInfinityText, ReplacesOnlyTheBottomOfTheGainRange)
{
    const std::pair<const char*, const char*> cases[] = {{"-18.00", "-inf "},
                                                         {"-17.99", "-17.99"},
                                                         {"-18.0", "-18.0"},
                                                         {"-18.00 ", "-18.00 "},
                                                         {"", ""}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(TBIAudioProcessorEditor::minusInfinityText(text), expected) << text;
}
