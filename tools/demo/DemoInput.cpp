// Writes the demo's input: a few seconds of plucked tones and percussive hits, made in code so
// the demo needs no downloaded samples and sounds the same on every machine.
#include <juce_audio_formats/juce_audio_formats.h>

#include <iostream>

namespace
{
constexpr double sampleRate = 48000.0;
constexpr int length = static_cast<int>(6.0 * sampleRate);

// A plucked string: a delay line of noise, averaged on every pass (Karplus-Strong).
void pluck(juce::AudioBuffer<float>& out, juce::Random& random, double startSeconds, double hz,
           float gain, float pan)
{
    const auto period = static_cast<int>(sampleRate / hz);
    std::vector<float> line(static_cast<size_t>(period));
    for (auto& s : line)
        s = random.nextFloat() * 2.0f - 1.0f;

    const auto start = static_cast<int>(startSeconds * sampleRate);
    for (int i = 0; start + i < length && i < static_cast<int>(2.5 * sampleRate); ++i)
    {
        auto& s = line[static_cast<size_t>(i % period)];
        const auto next = line[static_cast<size_t>((i + 1) % period)];
        const auto y = s;
        s = 0.996f * 0.5f * (s + next);
        out.addSample(0, start + i, y * gain * (1.0f - pan));
        out.addSample(1, start + i, y * gain * pan);
    }
}

// A drum-like hit: a falling sine thump under a short burst of noise.
void hit(juce::AudioBuffer<float>& out, juce::Random& random, double startSeconds)
{
    const auto start = static_cast<int>(startSeconds * sampleRate);
    double phase = 0.0;
    for (int i = 0; start + i < length && i < static_cast<int>(0.6 * sampleRate); ++i)
    {
        const auto t = i / sampleRate;
        phase +=
            juce::MathConstants<double>::twoPi * (55.0 + 110.0 * std::exp(-t * 30.0)) / sampleRate;
        const auto thump = std::sin(phase) * std::exp(-t * 9.0);
        const auto snap = (random.nextDouble() * 2.0 - 1.0) * std::exp(-t * 60.0);
        const auto y = static_cast<float>(0.8 * thump + 0.5 * snap);
        out.addSample(0, start + i, y);
        out.addSample(1, start + i, y);
    }
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::cerr << "usage: quillmere-demo-input OUTPUT.wav\n";
        return 2;
    }

    juce::AudioBuffer<float> out(2, length);
    out.clear();
    juce::Random random(2026);

    const double notes[] = {220.0, 261.63, 329.63, 392.0, 329.63, 293.66, 246.94, 196.0};
    for (size_t n = 0; n < std::size(notes); ++n)
        pluck(out, random, 0.25 + 0.45 * static_cast<double>(n), notes[n], 0.5f,
              n % 2 == 0 ? 0.35f : 0.65f);
    hit(out, random, 0.0);
    hit(out, random, 3.8);
    out.applyGain(0.5f / out.getMagnitude(0, length));

    const juce::File target = juce::File::getCurrentWorkingDirectory().getChildFile(argv[1]);
    juce::TemporaryFile temporary(target);
    {
        juce::WavAudioFormat wav;
        std::unique_ptr<juce::AudioFormatWriter> writer(wav.createWriterFor(
            temporary.getFile().createOutputStream().release(), sampleRate, 2, 24, {}, 0));
        if (writer == nullptr || !writer->writeFromAudioSampleBuffer(out, 0, length))
        {
            std::cerr << "quillmere-demo-input: cannot write " << argv[1] << "\n";
            return 1;
        }
    }
    if (!temporary.overwriteTargetFileWithTemporary())
    {
        std::cerr << "quillmere-demo-input: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
