#include "TimeFrequencyPlot.h"

#include "RenderError.h"

#include "BinaryData.h"

#include <juce_dsp/juce_dsp.h>

namespace
{
constexpr int fftOrder = 11;
constexpr int fftSize = 1 << fftOrder;
constexpr int plotWidth = 1000;
constexpr int plotHeight = 300;
constexpr int left = 70, right = 20, top = 36, gap = 56, bottom = 46;
constexpr float floorDb = -100.0f;
constexpr double topFrequency = 12000.0;

const juce::Colour background{0xff14161b};
const juce::Colour ink{0xffd8dde6};
const juce::Colour grid{0x40ffffff};

juce::Font font(float height)
{
    static const auto typeface = juce::Typeface::createSystemTypefaceFor(
        BinaryData::InterUIBold_otf, BinaryData::InterUIBold_otfSize);
    return juce::Font(typeface).withHeight(height);
}

// Dark blue through violet and orange to pale yellow: loudness reads at a glance.
juce::Colour heat(float level)
{
    const juce::Colour stops[] = {juce::Colour(0xff0b0d17), juce::Colour(0xff2a1b5c),
                                  juce::Colour(0xff8c2a7a), juce::Colour(0xffe0593a),
                                  juce::Colour(0xfff5b83d), juce::Colour(0xfffdf5c4)};
    const auto position = juce::jlimit(0.0f, 1.0f, level) * 4.999f;
    const auto index = static_cast<int>(position);
    return stops[index].interpolatedWith(stops[index + 1], position - static_cast<float>(index));
}

/** Levels in dB, one column per plot pixel, bins mapped linearly up to topFrequency. */
juce::Image panel(const juce::AudioBuffer<float>& signal, double sampleRate, int length)
{
    juce::dsp::FFT fft(fftOrder);
    juce::dsp::WindowingFunction<float> window(fftSize, juce::dsp::WindowingFunction<float>::hann,
                                               false);
    juce::Image image(juce::Image::RGB, plotWidth, plotHeight, false);
    std::vector<float> frame(2 * fftSize);
    const auto maxFrequency = std::min(topFrequency, sampleRate / 2.0);

    for (int x = 0; x < plotWidth; ++x)
    {
        const auto centre = static_cast<int>(static_cast<double>(x) / plotWidth * length);
        std::fill(frame.begin(), frame.end(), 0.0f);
        for (int i = 0; i < fftSize; ++i)
        {
            const auto s = centre - fftSize / 2 + i;
            if (s < 0 || s >= signal.getNumSamples())
                continue;
            auto sum = 0.0f;
            for (int ch = 0; ch < signal.getNumChannels(); ++ch)
                sum += signal.getSample(ch, s);
            frame[static_cast<size_t>(i)] = sum / static_cast<float>(signal.getNumChannels());
        }
        window.multiplyWithWindowingTable(frame.data(), fftSize);
        fft.performFrequencyOnlyForwardTransform(frame.data(), true);

        for (int y = 0; y < plotHeight; ++y)
        {
            const auto frequency = (1.0 - (y + 0.5) / plotHeight) * maxFrequency;
            const auto bin = static_cast<size_t>(frequency / sampleRate * fftSize);
            const auto magnitude = frame[bin] / (fftSize / 4.0f);
            const auto db = juce::Decibels::gainToDecibels(magnitude, floorDb);
            image.setPixelAt(x, y, heat((db - floorDb) / -floorDb));
        }
    }
    return image;
}

void axes(juce::Graphics& g, juce::Rectangle<int> area, double seconds, double sampleRate,
          const juce::String& title)
{
    g.setColour(ink);
    g.setFont(font(15.0f));
    g.drawText(title, area.getX(), area.getY() - 26, area.getWidth(), 20,
               juce::Justification::centredLeft);

    g.setFont(font(11.0f));
    const auto maxFrequency = std::min(topFrequency, sampleRate / 2.0);
    for (double f = 0.0; f <= maxFrequency; f += 2000.0)
    {
        const auto y = area.getBottom() - static_cast<int>(f / maxFrequency * area.getHeight());
        g.setColour(grid);
        g.drawHorizontalLine(y, static_cast<float>(area.getX()),
                             static_cast<float>(area.getRight()));
        g.setColour(ink);
        g.drawText(juce::String(f / 1000.0, 0) + " kHz", 0, y - 7, area.getX() - 8, 14,
                   juce::Justification::centredRight);
    }

    const auto step = seconds > 20.0 ? 5.0 : (seconds > 8.0 ? 2.0 : 1.0);
    for (double t = 0.0; t <= seconds; t += step)
    {
        const auto x = area.getX() + static_cast<int>(t / seconds * area.getWidth());
        g.setColour(grid);
        g.drawVerticalLine(x, static_cast<float>(area.getY()),
                           static_cast<float>(area.getBottom()));
        g.setColour(ink);
        g.drawText(juce::String(t, 0) + " s", x - 30, area.getBottom() + 4, 60, 14,
                   juce::Justification::centred);
    }
}
} // namespace

juce::Image TimeFrequencyPlot::draw(const juce::AudioBuffer<float>& input,
                                    const juce::AudioBuffer<float>& output, double sampleRate)
{
    const auto length = std::max(input.getNumSamples(), output.getNumSamples());
    const auto seconds = length / sampleRate;
    const auto width = left + plotWidth + right;
    const auto height = top + 2 * plotHeight + gap + bottom;

    juce::Image image(juce::Image::RGB, width, height, true);
    juce::Graphics g(image);
    g.fillAll(background);

    const juce::Rectangle<int> inputArea(left, top, plotWidth, plotHeight);
    const auto outputArea = inputArea.translated(0, plotHeight + gap);
    g.drawImageAt(panel(input, sampleRate, length), inputArea.getX(), inputArea.getY());
    g.drawImageAt(panel(output, sampleRate, length), outputArea.getX(), outputArea.getY());
    axes(g, inputArea, seconds, sampleRate, "Input");
    axes(g, outputArea, seconds, sampleRate, "Quillmere output");
    return image;
}

void TimeFrequencyPlot::write(const juce::Image& image, const juce::File& file)
{
    juce::TemporaryFile temporary(file);
    juce::PNGImageFormat png;
    bool written = false;
    if (auto stream = temporary.getFile().createOutputStream())
        written = png.writeImageToStream(image, *stream) && (stream->flush(), true);
    if (!written || !temporary.overwriteTargetFileWithTemporary())
        throw RenderError("cannot write the spectrogram " + file.getFullPathName().toStdString() +
                          ": check that its folder exists and is writable");
}
