#pragma once

#include "processor/InstanceStorage.h"

#include "BasicDelay.h"
#include "FractionalDelayWithFeedback.h"
#include "FrequencyShift.h"
#include "Limiter.h"
#include "OnePoleSmoother.h"
#include "Random.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

/** The processor the host talks to: ten parameters, their saved state, the editor's requests and
    the frequency-shifted multi-tap delay engine. */
class TBIAudioProcessor : public juce::AudioProcessor
{
public:
    static constexpr int numEngineChannels = 2;
    static constexpr int numTaps = 8;

    TBIAudioProcessor();
    ~TBIAudioProcessor() override;

    const juce::String getName() const override;

    void prepareToPlay(double sampleRate, int maximumExpectedSamplesPerBlock) override;
    void releaseResources() override;

    void processBlock(juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    void processBlockBypassed(juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    using juce::AudioProcessor::processBlock;
    using juce::AudioProcessor::processBlockBypassed;

    double getTailLengthSeconds() const override;
    bool acceptsMidi() const override;
    bool producesMidi() const override;
    bool isMidiEffect() const override;

    juce::AudioProcessorEditor* createEditor() override;
    bool hasEditor() const override;

    int getNumPrograms() override;
    int getCurrentProgram() override;
    void setCurrentProgram(int index) override;
    const juce::String getProgramName(int index) override;
    void changeProgramName(int index, const juce::String& newName) override;

    void getStateInformation(juce::MemoryBlock& destData) override;
    void setStateInformation(const void* data, int sizeInBytes) override;

    bool isBusesLayoutSupported(const BusesLayout& layouts) const override;

    /** The record shared with every editor of this processor. */
    std::shared_ptr<InstanceStorage> getInstanceStorage() const { return instanceStorage; }

    /** Restarts randomize's generator from a known seed, for reproducible tests and renders. */
    void seedRandomize(std::uint32_t seed) { randomEngine.seed(seed); }

    juce::AudioParameterFloat* wetParam = nullptr;
    juce::AudioParameterFloat* dryParam = nullptr;
    juce::AudioParameterFloat* countParam = nullptr;
    juce::AudioParameterFloat* delayParam = nullptr;
    juce::AudioParameterBool* postLimiterParam = nullptr;
    juce::AudioParameterBool* shiftPathParam = nullptr;
    juce::AudioParameterFloat* timeSpreadParam = nullptr;
    juce::AudioParameterFloat* feedbackParam = nullptr;
    juce::AudioParameterFloat* shiftParam = nullptr;
    juce::AudioParameterFloat* shiftStyleParam = nullptr;

private:
    void renderBlock(juce::AudioBuffer<float>& buffer, int active);
    void runEngine(float** channels, int numChannels, int numSamples, int active);
    void applyEditorRequests();
    void resetParameters();
    void randomizeParameters();
    void updateLatencyForLimiter();
    int limiterLatency() const;
    void setUpTaps(int ch);
    void updateShiftStyle(int ch);
    float feedbackShiftFunction(int ch, int t, float x);

    std::shared_ptr<InstanceStorage> instanceStorage;

    std::array<OnePoleSmoother, numEngineChannels> wetGainSmoothers;
    std::array<OnePoleSmoother, numEngineChannels> dryGainSmoothers;
    std::array<std::vector<float>, numEngineChannels> dryBuffers;
    std::array<std::shared_ptr<BasicDelay>, numEngineChannels> dryDelays;
    std::random_device randomDevice;
    std::mt19937 randomEngine;
    std::array<std::shared_ptr<Limiter>, numEngineChannels> limiters;
    bool lastPostLimiterOn = false;

    std::array<std::vector<std::shared_ptr<FractionalDelayWithFeedback>>, numEngineChannels> taps;
    std::array<std::vector<std::shared_ptr<FrequencyShift>>, numEngineChannels> tapShifters;
    std::array<std::vector<std::shared_ptr<FrequencyShift>>, numEngineChannels> feedbackShifters;
    std::array<std::vector<OnePoleSmoother>, numEngineChannels> tapShiftSmoothers;
    std::array<std::vector<OnePoleSmoother>, numEngineChannels> feedbackShiftSmoothers;
    std::array<std::vector<OnePoleSmoother>, numEngineChannels> tapGainSmoothers;
    std::shared_ptr<BAS::Random> styleRandom;

    // Set by a valid prepareToPlay; until then (or after an invalid one) audio passes unchanged.
    bool prepared = false;
    int maximumBlockSize = 0;
    // The rate the engine was built for; hosts also announce it through getSampleRate().
    double engineSampleRate = 0.0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(TBIAudioProcessor)
};
