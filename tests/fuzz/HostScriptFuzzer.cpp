// A host, as badly behaved as hosts get: the bytes are a script of host calls. Preparation at odd
// and invalid sample rates and block sizes, blocks of 0 to 8192 samples of arbitrary floats (NaN,
// infinities and subnormals included), parameter values from the host's side and from the audio
// thread's, host bypass, the editor's reset and randomize requests, and state saved and restored
// between blocks. Whatever the script, nothing may crash, and as long as the input since the last
// preparation stayed finite and within a sane level, every output sample must be finite.
#include "processor/TBIAudioProcessor.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

namespace
{
enum class Call
{
    prepare,
    release,
    process,
    processBypassed,
    setFromHost,
    setFromAudioThread,
    setPlainValue,
    requestReset,
    requestRandomize,
    saveState,
    restoreSavedState,
    restoreArbitraryState,
    kMaxValue = restoreArbitraryState // the name ConsumeEnum looks for
};

// Inputs louder than this are not audio; past it the output only has to stay free of crashes.
constexpr float saneInputLevel = 1.0e6f;
constexpr int maximumBlock = 8192;
constexpr double maximumValidRate = 768000.0;

// Odd rates a host may announce, the invalid ones included. Rates above 192 kHz are valid but
// allocate hundreds of megabytes, which would only slow the search down; prepare's range check
// is what they exercise, and the last entries do that.
constexpr double sampleRates[] = {44100.0,
                                  48000.0,
                                  96000.0,
                                  22050.0,
                                  11025.0,
                                  8000.0,
                                  1.0,
                                  7.0,
                                  749.0,
                                  3199.9,
                                  88200.0,
                                  176400.0,
                                  192000.0,
                                  12345.678,
                                  0.0,
                                  -48000.0,
                                  1.0e12,
                                  maximumValidRate + 1.0,
                                  std::numeric_limits<double>::quiet_NaN(),
                                  std::numeric_limits<double>::infinity()};

float anyFloat(FuzzedDataProvider& provider)
{
    const auto bits = provider.ConsumeIntegral<std::uint32_t>();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

/** A normalised value as hosts send them, now and then any float at all. */
float normalisedValue(FuzzedDataProvider& provider)
{
    return provider.ConsumeBool() ? provider.ConsumeProbability<float>() : anyFloat(provider);
}

juce::AudioProcessorParameter& pickParameter(FuzzedDataProvider& provider,
                                             TBIAudioProcessor& processor)
{
    const auto& parameters = processor.getParameters();
    return *parameters[provider.ConsumeIntegralInRange<int>(0, parameters.size() - 1)];
}

class Host
{
public:
    explicit Host(FuzzedDataProvider& bytes) : provider(bytes)
    {
        processor.seedRandomize(provider.ConsumeIntegral<std::uint32_t>());
    }

    void run()
    {
        for (int calls = 0; calls < 64 && provider.remaining_bytes() > 0; ++calls)
            perform(provider.ConsumeEnum<Call>());
    }

private:
    void perform(Call call)
    {
        switch (call)
        {
        case Call::prepare:
        {
            const auto rate = provider.PickValueInArray(sampleRates);
            const auto block = provider.ConsumeIntegralInRange<int>(-1, maximumBlock);
            processor.prepareToPlay(rate, block);
            prepared = std::isfinite(rate) && rate > 0.0 && rate <= maximumValidRate && block >= 1;
            loudestInput = 0.0f;
            break;
        }
        case Call::release:
            processor.releaseResources();
            break;
        case Call::process:
        case Call::processBypassed:
            process(call == Call::processBypassed);
            break;
        case Call::setFromHost:
            pickParameter(provider, processor).setValueNotifyingHost(normalisedValue(provider));
            break;
        case Call::setFromAudioThread:
            // The VST3 wrapper hands automation read in process() to setValue, without notices.
            pickParameter(provider, processor).setValue(normalisedValue(provider));
            break;
        case Call::setPlainValue:
            if (auto* f =
                    dynamic_cast<juce::AudioParameterFloat*>(&pickParameter(provider, processor)))
                *f = anyFloat(provider);
            break;
        case Call::requestReset:
            processor.getInstanceStorage()->resetRequested = true;
            break;
        case Call::requestRandomize:
            processor.getInstanceStorage()->randomizeRequested = true;
            break;
        case Call::saveState:
            processor.getStateInformation(savedState);
            break;
        case Call::restoreSavedState:
            processor.setStateInformation(savedState.getData(),
                                          static_cast<int>(savedState.getSize()));
            break;
        case Call::restoreArbitraryState:
        {
            const auto bytes = provider.ConsumeBytes<std::uint8_t>(
                provider.ConsumeIntegralInRange<std::size_t>(0, 512));
            processor.setStateInformation(bytes.data(), static_cast<int>(bytes.size()));
            break;
        }
        }
    }

    void process(bool bypassed)
    {
        // Mostly short blocks, which keep the search fast; now and then one of any length.
        const auto numSamples =
            provider.ConsumeIntegralInRange<int>(0, provider.ConsumeBool() ? maximumBlock : 64);
        juce::AudioBuffer<float> buffer(2, numSamples);

        // The script's floats, repeated over the block, so that short inputs still make long
        // blocks full of the same special values.
        const auto numGiven = provider.ConsumeIntegralInRange<int>(1, 16);
        std::vector<float> given;
        for (int i = 0; i < numGiven && provider.remaining_bytes() >= sizeof(float); ++i)
            given.push_back(anyFloat(provider));
        if (given.empty())
            given.push_back(0.0f);

        for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
            for (int i = 0; i < numSamples; ++i)
            {
                const auto x = given[static_cast<std::size_t>(ch * 7 + i) % given.size()];
                buffer.setSample(ch, i, x);
                // A non-finite input sample counts as silence, which is what the processor makes
                // of it.
                if (std::isfinite(x))
                    loudestInput = std::max(loudestInput, std::abs(x));
            }

        juce::MidiBuffer midi;
        if (bypassed)
            processor.processBlockBypassed(buffer, midi);
        else
            processor.processBlock(buffer, midi);

        if (!prepared || loudestInput > saneInputLevel)
            return;
        for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
            for (int i = 0; i < numSamples; ++i)
                if (!std::isfinite(buffer.getSample(ch, i)))
                    std::abort();
    }

    FuzzedDataProvider& provider;
    TBIAudioProcessor processor;
    juce::MemoryBlock savedState;
    bool prepared = false;
    float loudestInput = 0.0f;
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    Host host(provider);
    host.run();
    return 0;
}
