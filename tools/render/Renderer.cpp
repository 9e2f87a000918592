#include "Renderer.h"

#include "PluginHost.h"
#include "RenderError.h"

namespace
{
juce::AudioProcessor::BusesLayout layoutFor(int numChannels)
{
    const auto set =
        numChannels == 1 ? juce::AudioChannelSet::mono() : juce::AudioChannelSet::stereo();
    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add(set);
    layout.outputBuses.add(set);
    return layout;
}
} // namespace

Renderer::Renderer(PluginSettings& settings, const RenderOptions& renderOptions, int numChannels,
                   double rate)
    : options(renderOptions), sampleRate(rate)
{
    const auto layout = layoutFor(numChannels);
    if (options.plugin != juce::File())
        prepareHosted(settings, layout);
    else
    {
        auto& quillmere = settings.processor();
        quillmere.setBusesLayout(layout);
        quillmere.setRateAndBufferSizeDetails(sampleRate, options.blockSize);
        quillmere.prepareToPlay(sampleRate, options.blockSize);
        processor = &quillmere;
        bypassThroughProcessor = options.bypass;
    }
    compensation = options.compensateLatency ? processor->getLatencySamples() : 0;
}

Renderer::~Renderer()
{
    if (processor != nullptr)
        processor->releaseResources();
}

void Renderer::prepareHosted(PluginSettings& settings,
                             const juce::AudioProcessor::BusesLayout& layout)
{
    try
    {
        hosted = PluginHost::load(options.plugin, sampleRate, options.blockSize);
    }
    catch (const std::exception& e)
    {
        throw RenderError(std::string(e.what()) + " (build it with make, or check --plugin)");
    }
    if (!hosted->setBusesLayout(layout))
        throw RenderError("the plug-in in " + options.plugin.getFullPathName().toStdString() +
                          " refuses a " + std::to_string(layout.getMainInputChannels()) +
                          "-channel layout");

    // Hosts may list extra parameters of their own (bypass, program), so match by name.
    for (auto* reference : settings.processor().getParameters())
    {
        try
        {
            PluginHost::parameter(*hosted, reference->getName(100))
                .setValueNotifyingHost(reference->getValue());
        }
        catch (const std::exception&)
        {
            throw RenderError(options.plugin.getFullPathName().toStdString() +
                              " is not a Quillmere bundle of this version: it has no parameter \"" +
                              reference->getName(100).toStdString() + "\"");
        }
    }
    if (auto* bypass = hosted->getBypassParameter())
        bypass->setValueNotifyingHost(options.bypass ? 1.0f : 0.0f);
    else if (options.bypass)
        throw RenderError("the hosted plug-in offers no bypass");

    // A hosted plug-in receives parameter values with the next processed block. One block of
    // silence delivers them; preparing again then starts the engine from rest with those values
    // and the latency that goes with them, which reaches the host asynchronously.
    hosted->prepareToPlay(sampleRate, options.blockSize);
    juce::AudioBuffer<float> silence(layout.getMainInputChannels(), options.blockSize);
    silence.clear();
    juce::MidiBuffer midi;
    hosted->processBlock(silence, midi);
    hosted->releaseResources();
    hosted->prepareToPlay(sampleRate, options.blockSize);
    PluginHost::deliverHostNotifications();
    processor = hosted.get();
}

juce::AudioBuffer<float> Renderer::render(const juce::AudioBuffer<float>& input,
                                          const std::function<void(double)>& progress)
{
    const auto numChannels = input.getNumChannels();
    const auto inputLength = input.getNumSamples();
    const auto outputLength =
        inputLength + static_cast<int>(std::lround(options.tailSeconds * sampleRate));
    const auto totalLength = outputLength + compensation;

    juce::AudioBuffer<float> output(numChannels, outputLength);
    juce::AudioBuffer<float> block(numChannels, options.blockSize);
    juce::MidiBuffer midi;

    for (int start = 0; start < totalLength; start += options.blockSize)
    {
        const auto n = std::min(options.blockSize, totalLength - start);
        block.setSize(numChannels, n, false, false, true);
        block.clear();
        const auto fromInput = std::clamp(inputLength - start, 0, n);
        for (int ch = 0; ch < numChannels; ++ch)
            block.copyFrom(ch, 0, input, ch, start, fromInput);

        if (bypassThroughProcessor)
            processor->processBlockBypassed(block, midi);
        else
            processor->processBlock(block, midi);
        midi.clear();

        // Sample s of the processed stream lands at s - compensation in the output.
        const auto skip = std::max(0, compensation - start);
        const auto destination = start + skip - compensation;
        const auto count = std::min(n - skip, outputLength - destination);
        if (count > 0)
            for (int ch = 0; ch < numChannels; ++ch)
                output.copyFrom(ch, destination, block, ch, skip, count);

        progress(static_cast<double>(start + n) / static_cast<double>(totalLength));
    }
    return output;
}
