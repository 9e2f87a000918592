// Saved state from a host: any bytes may arrive, from another version, another plug-in or a
// damaged project file. A restore must leave every parameter finite and inside its range, and
// whatever it leaves must survive a save and a restore into a fresh instance unchanged.
#include "processor/TBIAudioProcessor.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <vector>

namespace
{
std::vector<float> plainValues(TBIAudioProcessor& processor)
{
    std::vector<float> values;
    for (auto* parameter : processor.getParameters())
    {
        const auto* ranged = dynamic_cast<juce::RangedAudioParameter*>(parameter);
        const auto value = ranged->convertFrom0to1(parameter->getValue());
        const auto& range = ranged->getNormalisableRange();
        if (!std::isfinite(value) || value < range.start || value > range.end)
            std::abort();
        values.push_back(value);
    }
    return values;
}

void restore(TBIAudioProcessor& processor, const void* data, std::size_t size)
{
    processor.setStateInformation(
        data, static_cast<int>(std::min<std::size_t>(size, std::numeric_limits<int>::max())));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TBIAudioProcessor restored;
    restore(restored, data, size);
    const auto values = plainValues(restored);

    juce::MemoryBlock saved;
    restored.getStateInformation(saved);
    TBIAudioProcessor copy;
    restore(copy, saved.getData(), saved.getSize());
    if (plainValues(copy) != values)
        std::abort();
    return 0;
}
