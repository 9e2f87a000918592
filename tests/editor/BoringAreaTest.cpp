#include "EditorTestSupport.h"

#include "editor/BoringArea.h"

TEST(BoringArea, BuildStringNamesTheVersionAndTheFormatTheHostLoaded)
{
    using Processor = juce::AudioProcessor;
    const std::pair<Processor::WrapperType, const char*> cases[] = {
        {Processor::wrapperType_VST3, "v1.00.37 VST3"},
        {Processor::wrapperType_VST, "v1.00.37 VST"},
        {Processor::wrapperType_AudioUnit, "v1.00.37 AU"},
        {Processor::wrapperType_AudioUnitv3, "v1.00.37 AU"},
        {Processor::wrapperType_AAX, "v1.00.37 AAX"},
        {Processor::wrapperType_LV2, "v1.00.37 LV2"},
        {Processor::wrapperType_Standalone, "v1.00.37 "},
        {Processor::wrapperType_Unity, "v1.00.37 "},
        {Processor::wrapperType_Undefined, "v1.00.37 "}};

    for (const auto& [wrapperType, expected] : cases)
        EXPECT_EQ(BoringArea::makeBuildString(wrapperType), expected)
            << Processor::getWrapperTypeDescription(wrapperType);
}

TEST(BoringArea, ShowsTheVersionTheProjectIsBuiltAs)
{
    EXPECT_EQ(juce::String(BoringArea::versionMajor) + "." +
                  juce::String(BoringArea::versionMinor) + "." +
                  juce::String(BoringArea::versionPatch),
              QUILLMERE_PROJECT_VERSION)
        << "the banner's version and the one the VST3 factory publishes differ";
}

TEST_F(VST3EditorTest, TheBannerReadsVST3WhenTheVST3WrapperMadeTheProcessor)
{
    const auto* banner = child("Boring Area");
    ASSERT_NE(banner, nullptr);
    ASSERT_EQ(banner->getNumChildComponents(), 1);
    const auto* label = dynamic_cast<juce::Label*>(banner->getChildComponent(0));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->getText(), "v1.00.37 VST3");
}
