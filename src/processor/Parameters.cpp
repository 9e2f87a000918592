#include "processor/Parameters.h"

const std::array<juce::String, 7> shiftStyleNames{"UP",   "DOWN",   "OUT",   "LITTLE",
                                                  "STAR", "JUMBLE", "WANDER"};

const std::array<juce::String, 8> delayCountNames{"1", "2", "3", "4", "5", "6", "7", "8"};

namespace
{
// Truncates toward zero, reading anything below 0 (or NaN) as 0 and anything huge as 8, so a
// value outside the parameter's range can never index outside the name lists.
int truncatedIndex(float value)
{
    if (!(value >= 0.0f))
        return 0;
    return value < 8.0f ? static_cast<int>(value) : 8;
}
} // namespace

juce::String countToText(float value, int)
{
    const auto t = truncatedIndex(value);
    return delayCountNames[static_cast<size_t>(t < 8 ? juce::jmax(t - 1, 0) : 7)];
}

juce::String shiftPathToText(bool value, int)
{
    return value ? "FEEDBACK" : "INPUT";
}

juce::String shiftStyleToText(float value, int)
{
    const auto t = truncatedIndex(value);
    return shiftStyleNames[static_cast<size_t>(t < 7 ? t : 0)];
}
