#include "PluginHost.h"

#include <gtest/gtest.h>

namespace
{
const juce::File vst3Bundle{QUILLMERE_VST3_BUNDLE};
const juce::File lv2Bundle{QUILLMERE_LV2_BUNDLE};
} // namespace

TEST(HostedLv2, PublishesAnAbsoluteUriAndTheSameIdentityAsTheVst3)
{
    const auto lv2 = PluginHost::describe(lv2Bundle);
    const auto vst3 = PluginHost::describe(vst3Bundle);

    // lilv-based hosts resolve a relative URI to a file path and then fail to instantiate.
    EXPECT_EQ(lv2.fileOrIdentifier, "https://tallowbark.org/plugins/quillmere");
    EXPECT_EQ(lv2.name, vst3.name);
    EXPECT_EQ(lv2.manufacturerName, vst3.manufacturerName);

    // JUCE's LV2 hosting does not read the release; the bundle's description carries it.
    const auto description = lv2Bundle.getChildFile("dsp.ttl").loadFileAsString();
    EXPECT_TRUE(description.contains("doap:revision \"" + vst3.version + "\""));
}

TEST(HostedLv2, LoadsAndListsTheTenParameters)
{
    const auto instance = PluginHost::load(lv2Bundle, 48000.0, 256);
    ASSERT_NE(instance, nullptr);
    for (const auto* name : {"Dry", "Wet", "Count", "Delay", "TimeSpread", "Feedback", "Shift Path",
                             "Shift", "Shift Style", "Post Limiter"})
        EXPECT_NO_THROW(PluginHost::parameter(*instance, name)) << name;
}
