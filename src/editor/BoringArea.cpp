#include "editor/BoringArea.h"

namespace
{
std::string formatName(juce::AudioProcessor::WrapperType wrapperType)
{
    switch (wrapperType)
    {
    case juce::AudioProcessor::wrapperType_VST:
        return "VST";
    case juce::AudioProcessor::wrapperType_VST3:
        return "VST3";
    case juce::AudioProcessor::wrapperType_AudioUnit:
    case juce::AudioProcessor::wrapperType_AudioUnitv3:
        return "AU";
    case juce::AudioProcessor::wrapperType_AAX:
        return "AAX";
    // Quillmere is also built as an LV2 plug-in; its hosts deserve a format name too.
    case juce::AudioProcessor::wrapperType_LV2:
        return "LV2";
    default:
        return {};
    }
}
} // namespace

BoringArea::BoringArea(juce::AudioProcessor::WrapperType wrapperType)
    : bannerFont("arial", 11.0f, juce::Font::plain),
      buildStringLabel(std::make_unique<juce::Label>(
          "Build String", juce::String::fromUTF8(makeBuildString(wrapperType).c_str())))
{
    buildStringLabel->setJustificationType(juce::Justification::left);
    buildStringLabel->setFont(bannerFont);
    buildStringLabel->setColour(juce::Label::textColourId, juce::Colour(0xff2c2c2c));
    buildStringLabel->setName("Build String");
    // Clicks pass through to the editor, which opens its menu on a right click anywhere.
    buildStringLabel->setInterceptsMouseClicks(false, false);
    addAndMakeVisible(*buildStringLabel);
}

std::string BoringArea::makeBuildString(juce::AudioProcessor::WrapperType wrapperType)
{
    return "v" + std::to_string(versionMajor) + "." + std::to_string(versionMinor) +
           std::to_string(versionPatch) + "." + std::to_string(buildNumber) + " " +
           formatName(wrapperType);
}
