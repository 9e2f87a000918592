#include "AudioFiles.h"
#include "PluginSettings.h"
#include "RenderError.h"
#include "RenderOptions.h"
#include "Renderer.h"
#include "TimeFrequencyPlot.h"

#include <juce_events/juce_events.h>

#include <iostream>
#include <unistd.h>

namespace
{
/** A bar on stderr that redraws in place; only when stderr is a terminal. */
class ProgressBar
{
public:
    explicit ProgressBar(bool enabled) : shown(enabled && isatty(STDERR_FILENO) != 0) {}

    void update(double fraction)
    {
        const auto percent = static_cast<int>(fraction * 100.0);
        if (!shown || percent == lastPercent)
            return;
        lastPercent = percent;
        const auto filled = percent * width / 100;
        std::cerr << "\r[" << std::string(static_cast<size_t>(filled), '#')
                  << std::string(static_cast<size_t>(width - filled), '.') << "] " << percent << "%"
                  << std::flush;
        if (percent == 100)
            std::cerr << "\n";
    }

private:
    static constexpr int width = 40;
    bool shown;
    int lastPercent = -1;
};

int run(const RenderOptions& options)
{
    PluginSettings settings;
    if (options.stateToLoad != juce::File())
        settings.loadState(options.stateToLoad);
    for (const auto& [name, value] : options.assignments)
        settings.assign(name, value);
    if (options.stateToSave != juce::File())
        settings.saveState(options.stateToSave);

    if (options.listParameters)
    {
        std::cout << settings.describe();
        return 0;
    }

    AudioFiles files;
    files.checkWritable(options.input, options.output, options.floatOutput);
    auto input = files.read(options.input);

    Renderer renderer(settings, options, input.samples.getNumChannels(), input.sampleRate);
    ProgressBar progress(!options.quiet);
    AudioFiles::Audio output{renderer.render(input.samples, [&](double f) { progress.update(f); }),
                             input.sampleRate};

    files.write(options.output, output, options.floatOutput);
    if (options.spectrogram != juce::File())
        TimeFrequencyPlot::write(
            TimeFrequencyPlot::draw(input.samples, output.samples, input.sampleRate),
            options.spectrogram);
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI juce;
    try
    {
        juce::StringArray arguments;
        for (int i = 1; i < argc; ++i)
            arguments.add(juce::String::fromUTF8(argv[i]));

        const auto options = RenderOptions::parse(arguments);
        if (options.help)
        {
            std::cout << RenderOptions::usage();
            return 0;
        }
        return run(options);
    }
    catch (const RenderError& e)
    {
        std::cerr << "quillmere-render: " << e.what() << "\n";
        return e.exitStatus();
    }
    catch (const std::exception& e)
    {
        std::cerr << "quillmere-render: " << e.what() << "\n";
        return 1;
    }
}
