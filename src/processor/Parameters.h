#pragma once

#include <juce_core/juce_core.h>

#include <array>

/** Identifiers (also the display names) of the ten parameters, in the order they are added. */
namespace ParameterIDs
{
inline constexpr const char* dry = "Dry";
inline constexpr const char* wet = "Wet";
inline constexpr const char* count = "Count";
inline constexpr const char* delay = "Delay";
inline constexpr const char* timeSpread = "TimeSpread";
inline constexpr const char* feedback = "Feedback";
inline constexpr const char* shiftPath = "Shift Path";
inline constexpr const char* shift = "Shift";
inline constexpr const char* shiftStyle = "Shift Style";
inline constexpr const char* postLimiter = "Post Limiter";
} // namespace ParameterIDs

extern const std::array<juce::String, 7> shiftStyleNames;
extern const std::array<juce::String, 8> delayCountNames;

/** "Count" as the number of audible taps: the value truncated, 1 to 8. */
juce::String countToText(float value, int maximumLength);

/** "Shift Path": where the shifters act. */
juce::String shiftPathToText(bool value, int maximumLength);

/** "Shift Style": the name of the truncated style index. */
juce::String shiftStyleToText(float value, int maximumLength);
