#include "processor/TBIAudioProcessor.h"

#include "editor/TBIAudioProcessorEditor.h"
#include "processor/Parameters.h"

#include "FAST.h"

#include <cctype>
#include <cmath>
#include <cstring>
#include <string_view>

namespace
{
// Shift multiplier of each tap; the channels differ on taps 3 to 6, which spreads the shifted
// echoes across the stereo field.
constexpr float tapShiftRatios[TBIAudioProcessor::numEngineChannels][TBIAudioProcessor::numTaps] = {
    {0.25f, 0.5f, 1.0f, 1.9f, 3.3f, 3.5f, 3.75f, 4.0f},
    {0.25f, 0.5f, 1.0f, 2.1f, 3.4f, 3.6f, 3.9f, 4.0f}};

// Share of "Shift" a tap starts from in the STAR and LITTLE styles.
constexpr float starStartRatios[TBIAudioProcessor::numTaps] = {0.095f, 0.096f, 0.097f, 0.01f,
                                                               0.15f,  0.2f,   0.05f,  0.099f};

enum ShiftStyle
{
    up,
    down,
    out,
    little,
    star,
    jumble,
    wander
};

// Rates above this would give every one of the 32 eight-second lines tens of megabytes; no audio
// interface runs faster.
constexpr double maximumSampleRate = 768000.0;

constexpr const char* stateTag = "Orrery_XML";

juce::String attributeName(const juce::AudioProcessorParameter& parameter)
{
    return parameter.getName(50).replaceCharacter(' ', '_');
}

// A host may send any float as a normalised value, and JUCE's parameters keep a NaN as they get
// it. Every reader takes NaN as the bottom of the range, so the engine's conversions to whole
// samples, taps and styles, and the saved state, always see a number inside the range.
float valueOf(const juce::AudioParameterFloat& parameter)
{
    const auto value = parameter.get();
    return std::isnan(value) ? parameter.range.start : value;
}

// JUCE's XML reader has three faults that a damaged project could reach: it steps over a
// multi-byte sequence by its first byte alone, so text that is not valid UTF-8 makes it read past
// the end of the text; a processing instruction ("<?...?>") followed by text inside an element
// makes it loop for ever; and a character reference ("&#" and digits) that the end of the text
// cuts off makes it step over the end of the text. A saved state holds none of these (its only
// instruction is the declaration before the element, and JUCE closes every reference it writes), so
// such text is unreadable. The reader itself refuses text of length 0 or less.
bool isSafeForTheXmlReader(const char* text, int length)
{
    if (length <= 0)
        return true;
    if (!juce::CharPointer_UTF8::isValidString(text, length))
        return false;

    // The reader's text ends at the first zero byte, whatever the stored length says.
    auto view = std::string_view(text, static_cast<size_t>(length));
    view = view.substr(0, view.find('\0'));
    for (auto reference = view.find("&#"); reference != std::string_view::npos;
         reference = view.find("&#", reference + 2))
    {
        auto end = reference + 2;
        if (end < view.size() && (view[end] == 'x' || view[end] == 'X'))
            ++end;
        while (end < view.size() && std::isxdigit(static_cast<unsigned char>(view[end])) != 0)
            ++end;
        if (end == view.size())
            return false;
    }

    for (auto open = view.find('<'); open != std::string_view::npos;
         open = view.find('<', open + 1))
    {
        const auto next = open + 1 < view.size() ? view[open + 1] : '\0';
        if (next != '?' && next != '!')
            return view.find("<?", open) == std::string_view::npos;
    }
    return true;
}

bool isArrived(const OnePoleSmoother& smoother)
{
    return smoother.current == smoother.target;
}

// A random draw that lands below 0.01 Hz or is not a usable number shifts by nothing.
float zeroIfNegligible(float r)
{
    return (r < 0.01f || !std::isnormal(r)) ? 0.0f : r;
}
} // namespace

//==============================================================================
TBIAudioProcessor::TBIAudioProcessor()
    : juce::AudioProcessor(BusesProperties()
                               .withInput("Input", juce::AudioChannelSet::stereo(), true)
                               .withOutput("Output", juce::AudioChannelSet::stereo(), true)),
      instanceStorage(std::make_shared<InstanceStorage>()),
      randomEngine(static_cast<std::mt19937::result_type>(randomDevice()))
{
    using juce::AudioParameterBool;
    using juce::AudioParameterBoolAttributes;
    using juce::AudioParameterFloat;
    using juce::AudioParameterFloatAttributes;
    using juce::NormalisableRange;
    using juce::ParameterID;
    namespace id = ParameterIDs;

    addParameter(
        dryParam = new AudioParameterFloat(ParameterID{id::dry, 0}, id::dry, -18.0f, 3.0f, -3.0f));
    addParameter(
        wetParam = new AudioParameterFloat(ParameterID{id::wet, 0}, id::wet, -18.0f, 3.0f, -3.0f));
    addParameter(countParam = new AudioParameterFloat(
                     ParameterID{id::count, 0}, id::count, NormalisableRange<float>(1.0f, 8.0f),
                     4.0f,
                     AudioParameterFloatAttributes().withStringFromValueFunction(countToText)));
    addParameter(delayParam = new AudioParameterFloat(ParameterID{id::delay, 0}, id::delay, 10.0f,
                                                      250.0f, 50.0f));
    addParameter(timeSpreadParam = new AudioParameterFloat(
                     ParameterID{id::timeSpread, 0}, id::timeSpread, 0.125f, 1.61803f, 1.61803f));
    addParameter(feedbackParam = new AudioParameterFloat(ParameterID{id::feedback, 0}, id::feedback,
                                                         0.0f, 100.0f, 50.0f));
    addParameter(shiftPathParam = new AudioParameterBool(
                     ParameterID{id::shiftPath, 0}, id::shiftPath, true,
                     AudioParameterBoolAttributes().withStringFromValueFunction(shiftPathToText)));
    addParameter(shiftParam = new AudioParameterFloat(ParameterID{id::shift, 0}, id::shift, 0.0f,
                                                      666.0f, 333.0f));
    addParameter(
        shiftStyleParam = new AudioParameterFloat(
            ParameterID{id::shiftStyle, 0}, id::shiftStyle, NormalisableRange<float>(0.0f, 6.0f),
            2.0f, AudioParameterFloatAttributes().withStringFromValueFunction(shiftStyleToText)));
    addParameter(postLimiterParam = new AudioParameterBool(ParameterID{id::postLimiter, 0},
                                                           id::postLimiter, true));
}

TBIAudioProcessor::~TBIAudioProcessor() = default;

const juce::String TBIAudioProcessor::getName() const
{
    return "Quillmere";
}

//==============================================================================
void TBIAudioProcessor::prepareToPlay(double sampleRate, int maximumExpectedSamplesPerBlock)
{
    prepared = std::isfinite(sampleRate) && sampleRate > 0.0 && sampleRate <= maximumSampleRate &&
               maximumExpectedSamplesPerBlock >= 1;
    if (!prepared)
        return;

    maximumBlockSize = maximumExpectedSamplesPerBlock;
    engineSampleRate = sampleRate;

    const auto coefficientFor = [sampleRate](double seconds)
    { return smoothingCoefficient(static_cast<int>(seconds * sampleRate)); };
    // Single-precision time constants widened to double, so n is e.g. 479 at 48 kHz, not 480.
    const auto gainCoefficient = coefficientFor(static_cast<double>(0.01f));
    const auto shiftCoefficient = coefficientFor(static_cast<double>(0.0425f));
    const auto tapGainCoefficient = coefficientFor(static_cast<double>(0.05f));
    const auto delayCoefficient = coefficientFor(static_cast<double>(0.1f));
    const auto maxDelaySamples = static_cast<int>(8.0 * sampleRate);
    const auto limiterSize = static_cast<unsigned>(sampleRate / 750.0);

    for (int ch = 0; ch < numEngineChannels; ++ch)
    {
        for (auto* gain : {&wetGainSmoothers[ch], &dryGainSmoothers[ch]})
        {
            gain->coefficient = gainCoefficient;
            gain->snapNext = true;
            gain->current = gain->target;
        }

        limiters[ch] = std::make_shared<Limiter>(sampleRate, limiterSize);

        const auto m = limiterLatency();
        dryDelays[ch] = std::make_shared<BasicDelay>(2 * m);
        dryDelays[ch]->SetDelayCoefficient(0.63212055f);
        dryDelays[ch]->SetDelay(m);
        dryDelays[ch]->Reset();

        taps[ch].resize(numTaps);
        for (auto& tap : taps[ch])
        {
            tap = std::make_shared<FractionalDelayWithFeedback>(static_cast<float>(sampleRate),
                                                                maxDelaySamples);
            tap->SetDelayCoefficient(static_cast<double>(delayCoefficient));
        }

        const auto resetSmoothers = [](std::vector<OnePoleSmoother>& smoothers, float coefficient)
        {
            smoothers.assign(numTaps, OnePoleSmoother{});
            for (auto& smoother : smoothers)
                smoother.coefficient = coefficient;
        };
        resetSmoothers(tapGainSmoothers[ch], tapGainCoefficient);

        for (auto* shifters : {&tapShifters[ch], &feedbackShifters[ch]})
        {
            shifters->resize(numTaps);
            for (auto& shifter : *shifters)
                shifter = std::make_shared<FrequencyShift>(static_cast<float>(sampleRate));
        }

        resetSmoothers(tapShiftSmoothers[ch], shiftCoefficient);
        resetSmoothers(feedbackShiftSmoothers[ch], shiftCoefficient);

        for (int t = 0; t < numTaps; ++t)
            taps[ch][static_cast<size_t>(t)]->feedbackProcessor = [this, ch, t](float x)
            { return feedbackShiftFunction(ch, t, x); };
    }

    styleRandom = std::make_shared<BAS::Random>(-12.0f, 12.0f, 4569u);

    for (auto& dry : dryBuffers)
        dry.resize(static_cast<size_t>(maximumExpectedSamplesPerBlock));

    lastPostLimiterOn = postLimiterParam->get();
    setLatencySamples(lastPostLimiterOn ? limiterLatency() : 0);
}

void TBIAudioProcessor::releaseResources() {}

float TBIAudioProcessor::feedbackShiftFunction(int ch, int t, float x)
{
    auto& smoother = feedbackShiftSmoothers[ch][static_cast<size_t>(t)];
    auto& shifter = *feedbackShifters[ch][static_cast<size_t>(t)];
    smoother.snapNext = false;
    shifter.SetFrequency(smoother.Next());
    return shifter.ProcessSingle(x);
}

int TBIAudioProcessor::limiterLatency() const
{
    return limiters[0]->GetLatencySamples();
}

//==============================================================================
void TBIAudioProcessor::processBlock(juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    juce::ScopedNoDenormals noDenormals;
    renderBlock(buffer, 1);
}

void TBIAudioProcessor::processBlockBypassed(juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    juce::ScopedNoDenormals noDenormals;
    renderBlock(buffer, 0);
}

void TBIAudioProcessor::renderBlock(juce::AudioBuffer<float>& buffer, int active)
{
    applyEditorRequests();

    if (!prepared)
        return;

    updateLatencyForLimiter();

    const auto numSamples = buffer.getNumSamples();
    const auto numChannels = buffer.getNumChannels();
    const auto ins = std::min({getTotalNumInputChannels(), numChannels, numEngineChannels});
    const auto outs = std::min(getTotalNumOutputChannels(), numChannels);

    for (int ch = ins; ch < outs; ++ch)
        FAST::Zero(numSamples, buffer.getWritePointer(ch));

    if (numSamples <= 0 || ins < 1)
        return;

    // One NaN or infinity from upstream would poison the shifters' allpass states for good.
    for (int ch = 0; ch < ins; ++ch)
    {
        auto* samples = buffer.getWritePointer(ch);
        for (int i = 0; i < numSamples; ++i)
            if (!std::isfinite(samples[i]))
                samples[i] = 0.0f;
    }

    // dryBuffers hold one announced block, so a longer block runs in pieces of that size.
    for (int start = 0; start < numSamples; start += maximumBlockSize)
    {
        float* channels[numEngineChannels]{};
        for (int ch = 0; ch < ins; ++ch)
            channels[ch] = buffer.getWritePointer(ch, start);
        runEngine(channels, ins, std::min(maximumBlockSize, numSamples - start), active);
    }
}

void TBIAudioProcessor::updateLatencyForLimiter()
{
    const auto on = postLimiterParam->get();
    if (on == lastPostLimiterOn)
        return;

    setLatencySamples(on ? limiterLatency() : 0);
    for (auto& dryDelay : dryDelays)
        dryDelay->Reset();
    lastPostLimiterOn = on;
}

void TBIAudioProcessor::runEngine(float** channels, int numChannels, int numSamples, int active)
{
    for (int ch = 0; ch < numChannels; ++ch)
    {
        if (active)
        {
            const auto dry = valueOf(*dryParam);
            const auto wet = valueOf(*wetParam);
            const auto dryLin = static_cast<float>(std::pow(10.0, static_cast<double>(dry) * 0.05));
            const auto wetLin = static_cast<float>(std::pow(10.0, static_cast<double>(wet) * 0.05));
            // Just above the bottom of the range the levels mute, so the knob's end is silence.
            wetGainSmoothers[ch].SetTarget(wet < -17.0f ? 0.0f : wetLin);
            dryGainSmoothers[ch].SetTarget(dry > -17.0f ? dryLin : 0.0f);
        }
        else
        {
            wetGainSmoothers[ch].SetTarget(0.0f);
            dryGainSmoothers[ch].SetTarget(1.0f);
        }
        FAST::Copy(numSamples, channels[ch], dryBuffers[ch].data());
    }

    for (int ch = 0; ch < numChannels; ++ch)
    {
        setUpTaps(ch);
        updateShiftStyle(ch);

        auto* samples = channels[ch];
        for (int i = 0; i < numSamples; ++i)
        {
            const auto x = samples[i];
            auto sum = 0.0f;
            for (size_t t = 0; t < numTaps; ++t)
            {
                auto& shiftSmoother = tapShiftSmoothers[ch][t];
                shiftSmoother.snapNext = false;
                tapShifters[ch][t]->SetFrequency(shiftSmoother.Next());
                const auto o = taps[ch][t]->ProcessSample(tapShifters[ch][t]->ProcessSingle(x));
                auto& gainSmoother = tapGainSmoothers[ch][t];
                gainSmoother.snapNext = false;
                sum = sum + o * gainSmoother.Next();
            }
            samples[i] = sum;

            // Read per sample, as the host may switch it part-way through a block.
            if (postLimiterParam->get())
                samples[i] = limiters[ch]->ProcessSample(samples[i]);
        }

        auto* dry = dryBuffers[ch].data();
        if (postLimiterParam->get())
            dryDelays[ch]->ProcessInPlace(numSamples, dry);

        auto& wetGain = wetGainSmoothers[ch];
        auto& dryGain = dryGainSmoothers[ch];
        for (int i = 0; i < numSamples; ++i)
        {
            auto w = wetGain.Next();
            if (w < 0.001f)
                w = 0.0f;
            samples[i] = w * samples[i] + dryGain.Next() * dry[i];
        }
        wetGain.snapNext = false;
        dryGain.snapNext = false;
    }
}

void TBIAudioProcessor::setUpTaps(int ch)
{
    const auto delaySeconds = valueOf(*delayParam) / 1000.0f;
    const auto timeSpread = valueOf(*timeSpreadParam);
    const auto feedback = valueOf(*feedbackParam) / 100.0f;
    const auto count = static_cast<int>(valueOf(*countParam));
    const auto shiftCoefficient =
        smoothingCoefficient(static_cast<int>(engineSampleRate * static_cast<double>(0.0425f)));
    const auto tapSampleRate = static_cast<float>(engineSampleRate);

    for (size_t t = 0; t < numTaps; ++t)
    {
        auto& tap = *taps[ch][t];
        const auto tapIndex = static_cast<int>(t);
        tap.SetDelay(static_cast<int>(
            timeSpread * (static_cast<float>(tapIndex + 1) * delaySeconds) * tapSampleRate));
        tap.SetFeedback(feedback);
        tapGainSmoothers[ch][t].SetTarget(tapIndex < count ? 1.0f : 0.0f);
        tapShiftSmoothers[ch][t].coefficient = shiftCoefficient;
        feedbackShiftSmoothers[ch][t].coefficient = shiftCoefficient;
    }
}

void TBIAudioProcessor::updateShiftStyle(int ch)
{
    const auto styleValue = valueOf(*shiftStyleParam);
    const auto style = static_cast<int>(styleValue);
    const auto p = valueOf(*shiftParam);
    const auto path = shiftPathParam->get();
    auto& random = *styleRandom;

    for (size_t t = 0; t < numTaps; ++t)
    {
        auto& tap = tapShiftSmoothers[ch][t];
        auto& fb = feedbackShiftSmoothers[ch][t];
        const auto ratio = tapShiftRatios[ch][t];

        // The active path gets the style's value, the other one 0 Hz.
        const auto set = [&](float v)
        {
            tap.SetTarget(path ? 0.0f : v);
            fb.SetTarget(path ? v : 0.0f);
        };
        const auto littleValue = [&]
        {
            const auto r = random.Generate();
            return starStartRatios[t] * p + static_cast<float>(static_cast<double>(r) * 0.1);
        };
        const auto wanderValue = [&] { return zeroIfNegligible(random.Generate() * 3.0f) * p; };
        // STAR jumps to a tiny shift and sweeps up to the tap's UP value over four times its delay.
        const auto restart = [&](OnePoleSmoother& smoother)
        {
            smoother.current = (starStartRatios[t] * p) * 0.01f;
            smoother.snapNext = false;
            smoother.target = ratio * p;
            smoother.coefficient = smoothingCoefficient(4 * taps[ch][t]->GetDelaySamples());
        };

        switch (style)
        {
        case up:
            set(ratio * p);
            break;
        case down:
            set(ratio * -p);
            break;
        case out:
            set(t % 2 == 0 ? -ratio * p : ratio * p);
            break;
        case little:
            if (isArrived(tap))
                tap.SetTarget(path ? 0.0f : littleValue());
            if (isArrived(fb))
                fb.SetTarget(path ? littleValue() : 0.0f);
            break;
        case star:
            if (isArrived(tap))
            {
                if (path)
                    tap.SetTarget(0.0f);
                else
                    restart(tap);
            }
            if (isArrived(fb))
            {
                if (path)
                    restart(fb);
                else
                    fb.SetTarget(0.0f);
            }
            break;
        case jumble:
            set(zeroIfNegligible(random.Generate() * p));
            break;
        case wander:
            if (isArrived(tap))
                tap.SetTarget(path ? 0.0f : wanderValue());
            if (isArrived(fb))
                fb.SetTarget(path ? wanderValue() : 0.0f);
            break;
        default:
            break;
        }
    }
}

//==============================================================================
void TBIAudioProcessor::applyEditorRequests()
{
    // Clear before acting, so a request raised meanwhile is acted on once, by the next block.
    if (instanceStorage->resetRequested.exchange(false))
        resetParameters();
    if (instanceStorage->randomizeRequested.exchange(false))
        randomizeParameters();
}

void TBIAudioProcessor::resetParameters()
{
    for (auto* parameter : getParameters())
    {
        auto* ranged = dynamic_cast<juce::RangedAudioParameter*>(parameter);
        if (ranged == nullptr)
            continue;

        const auto value = ranged->convertFrom0to1(ranged->getDefaultValue());
        if (auto* f = dynamic_cast<juce::AudioParameterFloat*>(parameter))
            *f = value;
        else if (auto* c = dynamic_cast<juce::AudioParameterChoice*>(parameter))
            *c = static_cast<int>(value);
        else if (auto* i = dynamic_cast<juce::AudioParameterInt*>(parameter))
            *i = static_cast<int>(value);
        else if (auto* b = dynamic_cast<juce::AudioParameterBool*>(parameter))
            *b = value != 0.0f;
    }
}

void TBIAudioProcessor::randomizeParameters()
{
    // generate_canonical<double, 53> takes two 32-bit outputs per draw, the first as low word.
    const auto draw = [this] { return std::generate_canonical<double, 53>(randomEngine); };
    const auto randomizeFloat = [&draw](juce::AudioParameterFloat& parameter)
    {
        const auto& range = parameter.range;
        const auto start = static_cast<double>(range.start);
        const auto end = static_cast<double>(range.end);
        parameter = static_cast<float>(start + draw() * (end - start));
    };
    const auto randomizeBool = [&draw](juce::AudioParameterBool& parameter)
    { parameter = draw() >= 0.5; };

    randomizeFloat(*countParam);
    randomizeFloat(*delayParam);
    randomizeBool(*shiftPathParam);
    randomizeFloat(*timeSpreadParam);
    randomizeFloat(*feedbackParam);
    randomizeFloat(*shiftParam);
    randomizeFloat(*shiftStyleParam);
}

//==============================================================================
double TBIAudioProcessor::getTailLengthSeconds() const
{
    return 0.0;
}
bool TBIAudioProcessor::acceptsMidi() const
{
    return true;
}
bool TBIAudioProcessor::producesMidi() const
{
    return false;
}
bool TBIAudioProcessor::isMidiEffect() const
{
    return false;
}

juce::AudioProcessorEditor* TBIAudioProcessor::createEditor()
{
    return new TBIAudioProcessorEditor(*this);
}
bool TBIAudioProcessor::hasEditor() const
{
    return true;
}

int TBIAudioProcessor::getNumPrograms()
{
    return 1;
}
int TBIAudioProcessor::getCurrentProgram()
{
    return 0;
}
void TBIAudioProcessor::setCurrentProgram(int) {}

const juce::String TBIAudioProcessor::getProgramName(int index)
{
    // A nameless program fails VST3 validation and shows as a blank preset name in hosts.
    return index == 0 ? "Default" : juce::String();
}

void TBIAudioProcessor::changeProgramName(int, const juce::String&) {}

bool TBIAudioProcessor::isBusesLayoutSupported(const BusesLayout& layouts) const
{
    const auto output = layouts.getMainOutputChannelSet();
    return (output == juce::AudioChannelSet::mono() || output == juce::AudioChannelSet::stereo()) &&
           layouts.getMainInputChannelSet() == output;
}

//==============================================================================
void TBIAudioProcessor::getStateInformation(juce::MemoryBlock& destData)
{
    juce::XmlElement xml(stateTag);
    for (auto* parameter : getParameters())
    {
        const auto name = attributeName(*parameter);
        if (auto* f = dynamic_cast<juce::AudioParameterFloat*>(parameter))
            xml.setAttribute(name, static_cast<double>(valueOf(*f)));
        else if (auto* c = dynamic_cast<juce::AudioParameterChoice*>(parameter))
            xml.setAttribute(name, c->getIndex());
        else if (auto* i = dynamic_cast<juce::AudioParameterInt*>(parameter))
            xml.setAttribute(name, i->get());
        else if (auto* b = dynamic_cast<juce::AudioParameterBool*>(parameter))
            xml.setAttribute(name, b->get() ? 1 : 0);
    }
    destData.reset();
    copyXmlToBinary(xml, destData);
}

void TBIAudioProcessor::setStateInformation(const void* data, int sizeInBytes)
{
    if (data == nullptr || sizeInBytes <= 8)
        return;

    const auto* bytes = static_cast<const char*>(data);
    const auto storedLength = static_cast<int>(juce::ByteOrder::littleEndianInt(bytes + 4));
    if (!isSafeForTheXmlReader(bytes + 8, juce::jmin(sizeInBytes - 8, storedLength)))
        return;

    const auto xml = getXmlFromBinary(data, sizeInBytes);
    if (xml == nullptr || !xml->getTagName().equalsIgnoreCase(stateTag))
        return;

    for (auto* parameter : getParameters())
    {
        const auto name = attributeName(*parameter);
        const auto present = xml->hasAttribute(name);
        auto* ranged = dynamic_cast<juce::RangedAudioParameter*>(parameter);
        if (ranged == nullptr)
            continue;
        const auto defaultValue = ranged->convertFrom0to1(ranged->getDefaultValue());

        if (auto* f = dynamic_cast<juce::AudioParameterFloat*>(parameter))
        {
            auto value =
                present ? xml->getDoubleAttribute(name) : static_cast<double>(defaultValue);
            // Text that is no number reads as 0; clamping in double keeps huge values finite.
            if (std::isnan(value))
                value = 0.0;
            const auto& range = f->range;
            *f = static_cast<float>(juce::jlimit(static_cast<double>(range.start),
                                                 static_cast<double>(range.end), value));
        }
        else if (auto* c = dynamic_cast<juce::AudioParameterChoice*>(parameter))
            *c = xml->getIntAttribute(name, static_cast<int>(defaultValue));
        else if (auto* i = dynamic_cast<juce::AudioParameterInt*>(parameter))
            *i = xml->getIntAttribute(name, static_cast<int>(defaultValue));
        else if (auto* b = dynamic_cast<juce::AudioParameterBool*>(parameter))
            *b = xml->getIntAttribute(name, defaultValue != 0.0f ? 1 : 0) != 0;
    }
}

//==============================================================================
juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new TBIAudioProcessor();
}
