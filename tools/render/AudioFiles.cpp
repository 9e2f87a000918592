#include "AudioFiles.h"

#include "RenderError.h"

#include <filesystem>

namespace
{
std::string path(const juce::File& file)
{
    return file.getFullPathName().toStdString();
}
} // namespace

AudioFiles::AudioFiles()
{
    formats.registerBasicFormats();
}

AudioFiles::Audio AudioFiles::read(const juce::File& file)
{
    if (!file.existsAsFile())
        throw RenderError("input " + path(file) + " does not exist");

    std::unique_ptr<juce::AudioFormatReader> reader(formats.createReaderFor(file));
    if (reader == nullptr)
        throw RenderError("cannot read " + path(file) +
                          ": not a WAV, AIFF, FLAC or Ogg Vorbis file, or damaged");
    if (reader->numChannels < 1 || reader->numChannels > 2)
        throw RenderError(path(file) + " has " + std::to_string(reader->numChannels) +
                          " channels; Quillmere takes mono or stereo (mix it down first)");
    if (reader->lengthInSamples > std::numeric_limits<int>::max() / 2 || reader->sampleRate <= 0)
        throw RenderError(path(file) + " is too long or has no valid sample rate");

    Audio audio;
    audio.sampleRate = reader->sampleRate;
    audio.samples.setSize(static_cast<int>(reader->numChannels),
                          static_cast<int>(reader->lengthInSamples));
    if (!reader->read(&audio.samples, 0, audio.samples.getNumSamples(), 0, true, true))
        throw RenderError("reading " + path(file) + " failed part-way");
    return audio;
}

juce::AudioFormat* AudioFiles::formatFor(const juce::File& output)
{
    for (const auto* extension : {".wav", ".aiff", ".aif", ".flac"})
        if (output.hasFileExtension(extension))
            return formats.findFormatForFileExtension(output.getFileExtension());
    throw RenderError("cannot write " + path(output) +
                      ": unknown output format, name it .wav, .aiff or .flac");
}

void AudioFiles::checkWritable(const juce::File& input, const juce::File& output, bool floatSamples)
{
    formatFor(output);
    if (floatSamples && !output.hasFileExtension(".wav"))
        throw RenderError("--float writes WAV only; name the output .wav");

    std::error_code error;
    if (input == output ||
        std::filesystem::equivalent(input.getFullPathName().toStdString(),
                                    output.getFullPathName().toStdString(), error))
        throw RenderError("OUTPUT " + path(output) +
                          " is the INPUT file; choose another name so the input is kept");

    if (!output.getParentDirectory().isDirectory())
        throw RenderError("cannot write " + path(output) + ": its folder does not exist");
}

void AudioFiles::write(const juce::File& output, const Audio& audio, bool floatSamples)
{
    auto* format = formatFor(output);
    juce::TemporaryFile temporary(output);
    const auto failed = [&]
    {
        return RenderError("cannot write " + path(output) +
                           ": check that its folder is writable and has space");
    };

    {
        auto stream = temporary.getFile().createOutputStream();
        if (stream == nullptr)
            throw failed();
        const auto bits = floatSamples ? 32 : 24;
        std::unique_ptr<juce::AudioFormatWriter> writer(format->createWriterFor(
            stream.get(), audio.sampleRate, static_cast<unsigned>(audio.samples.getNumChannels()),
            bits, {}, 0));
        if (writer == nullptr)
            throw RenderError("cannot write " + path(output) + " as " +
                              format->getFormatName().toStdString() + " at " +
                              std::to_string(static_cast<int>(audio.sampleRate)) + " Hz");
        stream.release(); // the writer owns it now
        if (!writer->writeFromAudioSampleBuffer(audio.samples, 0, audio.samples.getNumSamples()))
            throw failed();
    }

    if (!temporary.overwriteTargetFileWithTemporary())
        throw failed();
}
