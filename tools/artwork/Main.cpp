#include "Artwork.h"

#include <iostream>

// Renders Quillmere's embedded images.
//   quillmere_artwork <layout.json> <output folder> [Inter font folder]
// The labels of the face are placed from the layout description, so they sit beside the controls.
// With QUILLMERE_ARTWORK_PREVIEW=<file.png> set, it also writes a mock of the whole editor (the
// face with knobs at assorted values, the button on, the overlay and a sample readout) to judge by eye.
namespace
{
juce::Typeface::Ptr loadTypeface(const juce::File& file)
{
    juce::MemoryBlock data;
    if (!file.loadFileAsData(data))
        return nullptr;
    return juce::Typeface::createSystemTypefaceFor(data.getData(), data.getSize());
}

bool writePng(const juce::Image& image, const juce::File& file)
{
    file.deleteFile();
    juce::FileOutputStream stream(file);
    juce::PNGImageFormat png;
    return stream.openedOk() && png.writeImageToStream(image, stream);
}
} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3)
    {
        std::cerr << "usage: quillmere_artwork <layout.json> <output folder> [Inter font folder]\n";
        return 2;
    }
    const juce::File layoutFile(juce::File::getCurrentWorkingDirectory().getChildFile(argv[1]));
    const juce::File outputFolder(juce::File::getCurrentWorkingDirectory().getChildFile(argv[2]));
    const juce::File fontFolder(argc > 3 ? juce::String(argv[3]) : juce::String("/usr/share/fonts/opentype/inter"));

    const auto placements = Artwork::readPlacements(layoutFile.loadFileAsString());
    if (placements.empty())
    {
        std::cerr << "quillmere_artwork: no component bounds in " << layoutFile.getFullPathName() << "\n";
        return 1;
    }

    Artwork::Typefaces fonts { loadTypeface(fontFolder.getChildFile("Inter-Bold.otf")),
                               loadTypeface(fontFolder.getChildFile("Inter-SemiBold.otf")),
                               loadTypeface(fontFolder.getChildFile("Inter-Medium.otf")),
                               loadTypeface(fontFolder.getChildFile("Inter-Light.otf")) };
    if (fonts.bold == nullptr || fonts.semiBold == nullptr || fonts.medium == nullptr || fonts.light == nullptr)
    {
        std::cerr << "quillmere_artwork: Inter fonts not found in " << fontFolder.getFullPathName()
                  << " (Debian package fonts-inter)\n";
        return 1;
    }

    outputFolder.createDirectory();
    const auto background = Artwork::renderBackground(placements, fonts);
    const auto overlayAt = placements.count("Delay Count Overlay") ? placements.at("Delay Count Overlay").getPosition()
                                                                   : juce::Point<int>(161, 508);
    const auto buttonAt = placements.count("Shift In Feedback") ? placements.at("Shift In Feedback").getPosition()
                                                                : juce::Point<int>(553, 298);

    const std::pair<const char*, juce::Image> outputs[] = {
        { "background.png", background },
        { "knob_filmstrip_72x72.png", Artwork::renderKnobFilmstrip() },
        { "delaycount_overlay.png", Artwork::renderDelayCountOverlay(background, overlayAt, fonts) },
        { "shiftdisabled_overlay.png", Artwork::renderShiftDisabledOverlay(fonts) },
        { "shiftstyle_off.png", Artwork::renderShiftStyleButton(false, background, buttonAt, fonts) },
        { "shiftstyle_on.png", Artwork::renderShiftStyleButton(true, background, buttonAt, fonts) },
    };
    if (const auto preview = juce::SystemStats::getEnvironmentVariable("QUILLMERE_ARTWORK_PREVIEW", {}); preview.isNotEmpty())
    {
        const auto mock = Artwork::renderPreview(placements, fonts, outputs[0].second, outputs[1].second, outputs[2].second,
                                                 outputs[5].second);
        writePng(mock, juce::File::getCurrentWorkingDirectory().getChildFile(preview));

        // Five knob frames and both button states at three times their size, to check the details.
        juce::Image sheet(juce::Image::RGB, 5 * 216, 216 + 156, true);
        juce::Graphics g(sheet);
        g.fillAll(juce::Colour(0xff181a1f));
        g.setImageResamplingQuality(juce::Graphics::lowResamplingQuality);
        const int frames[] = { 0, 22, 45, 67, 90 };
        for (int i = 0; i < 5; ++i)
            g.drawImage(outputs[1].second, i * 216, 0, 216, 216, 0, frames[i] * 72, 72, 72);
        g.drawImage(outputs[4].second, 0, 216, 177, 156, 0, 0, 59, 52);
        g.drawImage(outputs[5].second, 216, 216, 177, 156, 0, 0, 59, 52);
        g.drawImage(outputs[2].second, 432, 216, 189, 60, 0, 0, 63, 20);
        writePng(sheet, juce::File::getCurrentWorkingDirectory().getChildFile(preview).getSiblingFile("details.png"));
    }
    for (const auto& [name, image] : outputs)
    {
        const auto file = outputFolder.getChildFile(name);
        if (!writePng(image, file))
        {
            std::cerr << "quillmere_artwork: cannot write " << file.getFullPathName() << "\n";
            return 1;
        }
        std::cout << file.getFullPathName() << " " << image.getWidth() << "x" << image.getHeight() << "\n";
    }
    return 0;
}
