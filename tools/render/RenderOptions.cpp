#include "RenderOptions.h"

#include "RenderError.h"

namespace
{
juce::File fileArgument(const juce::String& text)
{
    return juce::File::getCurrentWorkingDirectory().getChildFile(text);
}

double numberArgument(const juce::String& option, const juce::String& text)
{
    const auto trimmed = text.trim();
    char* end = nullptr;
    const auto value = std::strtod(trimmed.toRawUTF8(), &end);
    if (trimmed.isEmpty() || *end != '\0' || !std::isfinite(value))
        throw RenderError(
            option.toStdString() + " needs a number, not '" + text.toStdString() + "'", 2);
    return value;
}
} // namespace

const char* RenderOptions::usage()
{
    return R"(usage: quillmere-render [options] INPUT OUTPUT
       quillmere-render --list-parameters [--state FILE] [--set NAME=VALUE ...]

Runs Quillmere over INPUT (WAV, AIFF, FLAC or Ogg Vorbis; mono or stereo) and writes OUTPUT
(.wav, .aiff or .flac, 24-bit) at the input's sample rate, aligned with the input.

  --set NAME=VALUE       set a parameter, in its own units or by its value text
                         ("Delay=120", "Shift Style=WANDER", "Shift Path=INPUT"); repeatable
  --state FILE           load a saved Quillmere state first
  --save-state FILE      write the state after the --set options
  --plugin BUNDLE        run a built Quillmere.vst3 or Quillmere.lv2 instead of the built-in one
  --bypass               render through the host's bypass
  --block N              block size in samples (default 512)
  --tail SECONDS         silence appended so the echoes ring out (default 4)
  --float                write 32-bit float WAV
  --no-latency-compensation
                         keep the plug-in's latency at the start of the output
  --spectrogram FILE.png draw input and output spectrograms
  --list-parameters      print the parameters with range, default, unit and current value
  --quiet                no progress bar
  --help                 this text
)";
}

RenderOptions RenderOptions::parse(const juce::StringArray& arguments)
{
    RenderOptions options;
    juce::StringArray positional;

    for (int i = 0; i < arguments.size(); ++i)
    {
        const auto& argument = arguments[i];
        const auto value = [&]() -> juce::String
        {
            if (i + 1 >= arguments.size())
                throw RenderError(argument.toStdString() + " needs a value", 2);
            return arguments[++i];
        };

        if (argument == "--set")
        {
            const auto assignment = value();
            if (!assignment.containsChar('='))
                throw RenderError("--set needs NAME=VALUE, not '" + assignment.toStdString() + "'",
                                  2);
            options.assignments.emplace_back(assignment.upToFirstOccurrenceOf("=", false, false),
                                             assignment.fromFirstOccurrenceOf("=", false, false));
        }
        else if (argument == "--state")
            options.stateToLoad = fileArgument(value());
        else if (argument == "--save-state")
            options.stateToSave = fileArgument(value());
        else if (argument == "--plugin")
            options.plugin = fileArgument(value());
        else if (argument == "--spectrogram")
            options.spectrogram = fileArgument(value());
        else if (argument == "--block")
        {
            const auto blockSize = numberArgument(argument, value());
            if (blockSize < 1 || blockSize > 65536 || blockSize != std::floor(blockSize))
                throw RenderError("--block needs a whole number from 1 to 65536", 2);
            options.blockSize = static_cast<int>(blockSize);
        }
        else if (argument == "--tail")
        {
            options.tailSeconds = numberArgument(argument, value());
            if (options.tailSeconds < 0 || options.tailSeconds > 3600)
                throw RenderError("--tail needs a number of seconds from 0 to 3600", 2);
        }
        else if (argument == "--float")
            options.floatOutput = true;
        else if (argument == "--no-latency-compensation")
            options.compensateLatency = false;
        else if (argument == "--bypass")
            options.bypass = true;
        else if (argument == "--quiet")
            options.quiet = true;
        else if (argument == "--list-parameters")
            options.listParameters = true;
        else if (argument == "--help" || argument == "-h")
            options.help = true;
        else if (argument.startsWith("-") && argument != "-")
            throw RenderError(
                "unknown option " + argument.toStdString() + " (see quillmere-render --help)", 2);
        else
            positional.add(argument);
    }

    if (options.help || options.listParameters)
        return options;
    if (positional.size() != 2)
        throw RenderError("expected INPUT and OUTPUT (see quillmere-render --help)", 2);

    options.input = fileArgument(positional[0]);
    options.output = fileArgument(positional[1]);
    return options;
}
