#include "Artwork.h"

#include <iostream>

// Renders Quillmere's embedded images.
//   quillmere_artwork <layout.json> <output folder> [Inter font folder]
// The labels of the face are placed from the layout description, so they sit beside the controls.
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
