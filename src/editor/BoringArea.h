#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>
#include <string>

/** The strip along the bottom of the editor: one line of small grey text with the version and the
    plug-in format the host loaded. It paints nothing itself; the editor's background shows
    around the text. */
class BoringArea : public juce::Component
{
public:
    /** Shows the build string for the given wrapper type. */
    explicit BoringArea(juce::AudioProcessor::WrapperType wrapperType);

    /** "v1.00.37 " followed by the format name ("VST3", "VST", "AU", "AAX", "LV2"), which is
        empty for any other wrapper type. */
    static std::string makeBuildString(juce::AudioProcessor::WrapperType wrapperType);

    // The version the banner shows; the minor and patch numbers are written side by side.
    static constexpr int versionMajor = 1;
    static constexpr int versionMinor = 0;
    static constexpr int versionPatch = 0;
    static constexpr int buildNumber = 37;

private:
    juce::Font bannerFont;
    std::unique_ptr<juce::Label> buildStringLabel;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(BoringArea)
};
