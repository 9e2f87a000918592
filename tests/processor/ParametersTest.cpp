#include "processor/Parameters.h"
#include "processor/TBIAudioProcessor.h"

#include <gtest/gtest.h>

namespace
{
struct ParameterRow
{
    const char* id;
    float minimum;
    float maximum;
    float interval;
    float defaultValue;
    const char* defaultText;
};

// What a host lists, in the host's index order.
const ParameterRow parameterTable[] = {
    {"Dry", -18.0f, 3.0f, 0.01f, -3.0f, "-3.00"},
    {"Wet", -18.0f, 3.0f, 0.01f, -3.0f, "-3.00"},
    {"Count", 1.0f, 8.0f, 0.0f, 4.0f, "4"},
    {"Delay", 10.0f, 250.0f, 0.01f, 50.0f, "50.00"},
    {"TimeSpread", 0.125f, 1.61803f, 0.01f, 1.61803f, "1.62"},
    {"Feedback", 0.0f, 100.0f, 0.01f, 50.0f, "50.00"},
    {"Shift Path", 0.0f, 1.0f, 1.0f, 1.0f, "FEEDBACK"},
    {"Shift", 0.0f, 666.0f, 0.01f, 333.0f, "333.00"},
    {"Shift Style", 0.0f, 6.0f, 0.0f, 2.0f, "OUT"},
    {"Post Limiter", 0.0f, 1.0f, 1.0f, 1.0f, "On"},
};
} // namespace

TEST(Parameters, HostSeesExactlyTheTenParametersInOrder)
{
    TBIAudioProcessor processor;
    const auto& parameters = processor.getParameters();
    ASSERT_EQ(parameters.size(), 10);

    for (int index = 0; index < parameters.size(); ++index)
    {
        const auto& row = parameterTable[index];
        auto* parameter = dynamic_cast<juce::RangedAudioParameter*>(parameters[index]);
        ASSERT_NE(parameter, nullptr) << row.id;
        SCOPED_TRACE(row.id);

        EXPECT_EQ(parameter->getParameterID(), row.id);
        EXPECT_EQ(parameter->getVersionHint(), 0);
        EXPECT_EQ(parameter->getName(100), row.id);
        EXPECT_EQ(parameter->getLabel(), "");
        EXPECT_TRUE(parameter->isAutomatable());
        EXPECT_FALSE(parameter->isMetaParameter());
        EXPECT_FALSE(parameter->isOrientationInverted());
        EXPECT_EQ(parameter->getCategory(), juce::AudioProcessorParameter::genericParameter);

        const auto& range = parameter->getNormalisableRange();
        EXPECT_EQ(range.start, row.minimum);
        EXPECT_EQ(range.end, row.maximum);
        EXPECT_EQ(range.interval, row.interval);
        EXPECT_EQ(range.skew, 1.0f);
        EXPECT_FALSE(range.symmetricSkew);

        if (auto* floatParameter = dynamic_cast<juce::AudioParameterFloat*>(parameter))
            EXPECT_EQ(floatParameter->get(), row.defaultValue);
        else
            EXPECT_EQ(parameter->getValue(), row.defaultValue);
        EXPECT_EQ(parameter->getCurrentValueAsText(), row.defaultText);
    }
}

TEST(Parameters, MembersPointAtTheirParameters)
{
    TBIAudioProcessor p;
    const auto& list = p.getParameters();
    const juce::AudioProcessorParameter* members[] = {
        p.dryParam,      p.wetParam,       p.countParam, p.delayParam,      p.timeSpreadParam,
        p.feedbackParam, p.shiftPathParam, p.shiftParam, p.shiftStyleParam, p.postLimiterParam};
    for (int index = 0; index < 10; ++index)
        EXPECT_EQ(members[index], list[index]) << "index " << index;
}

TEST(Parameters, ValueTextsTruncateAndName)
{
    struct Case
    {
        float value;
        const char* count;
        const char* style;
    };
    const Case cases[] = {
        {0.0f, "1", "UP"},   {1.0f, "1", "DOWN"},   {2.0f, "2", "OUT"},
        {4.7f, "4", "STAR"}, {5.9f, "5", "JUMBLE"}, {6.0f, "6", "WANDER"},
        {7.999f, "7", "UP"}, {8.0f, "8", "UP"},     {-1.0f, "1", "UP"},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(countToText(c.value, 0), c.count) << c.value;
        EXPECT_EQ(shiftStyleToText(c.value, 0), c.style) << c.value;
    }
    EXPECT_EQ(shiftPathToText(true, 0), "FEEDBACK");
    EXPECT_EQ(shiftPathToText(false, 2), "INPUT") << "the maximum length is not applied";
}

TEST(Parameters, TextsAsTheHostShowsThem)
{
    TBIAudioProcessor p;
    *p.dryParam = -18.0f;
    *p.shiftPathParam = false;
    *p.shiftStyleParam = 5.9f;
    *p.countParam = 7.999f;
    EXPECT_EQ(p.dryParam->getCurrentValueAsText(), "-18.00");
    EXPECT_EQ(p.shiftPathParam->getCurrentValueAsText(), "INPUT");
    EXPECT_EQ(p.shiftStyleParam->getCurrentValueAsText(), "JUMBLE");
    EXPECT_EQ(p.countParam->getCurrentValueAsText(), "7");
    const juce::AudioProcessorParameter& shiftPath = *p.shiftPathParam;
    EXPECT_FALSE(shiftPath.getValueForText("FEEDBACK") >= 0.5f)
        << "the default parser does not know the value text";
}

TEST(Parameters, AssignmentSnapsToTheGridExceptForContinuousOnes)
{
    TBIAudioProcessor p;
    EXPECT_EQ(p.timeSpreadParam->get(), 1.61803f) << "a new processor holds the exact maximum";

    *p.timeSpreadParam = 1.0f;
    *p.timeSpreadParam = 1.61803f;
    EXPECT_FLOAT_EQ(p.timeSpreadParam->get(), 1.615f) << "largest value of 0.125 + k * 0.01";

    *p.delayParam = 123.456f;
    EXPECT_FLOAT_EQ(p.delayParam->get(), 123.46f);
    *p.dryParam = -40.0f;
    EXPECT_EQ(p.dryParam->get(), -18.0f);

    *p.countParam = 4.5f;
    EXPECT_EQ(p.countParam->get(), 4.5f);
    *p.shiftStyleParam = 3.72f;
    EXPECT_FLOAT_EQ(p.shiftStyleParam->get(), 3.72f);
}
