#include "resources/AssetTable.h"

#include <BinaryData.h>

#include <juce_graphics/juce_graphics.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace
{
juce::Image decode(const std::string& fileName)
{
    if (!hasAsset(fileName))
        return {};
    const auto& asset = getAsset(fileName);
    return juce::ImageCache::getFromMemory(asset.data, asset.size);
}

juce::var embeddedLayout()
{
    return juce::JSON::parse(juce::String::fromUTF8(BinaryData::layout_json, BinaryData::layout_jsonSize));
}

juce::Rectangle<int> boundsOf(const juce::var& entry)
{
    const auto bounds = entry.getProperty("bounds", {});
    return { (int) bounds["x"], (int) bounds["y"], (int) bounds["w"], (int) bounds["h"] };
}

/** Mean perceived brightness (0 to 1) of an area of an image. */
float meanBrightness(const juce::Image& image, juce::Rectangle<int> area)
{
    double sum = 0.0;
    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            sum += image.getPixelAt(x, y).getPerceivedBrightness();
    return (float) (sum / (double) (area.getWidth() * area.getHeight()));
}
} // namespace

TEST(EmbeddedImages, HaveTheDesignsPixelSizesAndColourKinds)
{
    struct Expected
    {
        std::string fileName;
        int width, height;
        bool alpha;
    };
    const Expected images[] = {
        { "background.png", 808, 712, false },       { "knob_filmstrip_72x72.png", 72, 6552, true },
        { "delaycount_overlay.png", 63, 20, false }, { "shiftdisabled_overlay.png", 256, 159, true },
        { "shiftstyle_off.png", 59, 52, false },     { "shiftstyle_on.png", 59, 52, false },
    };
    for (const auto& expected : images)
    {
        const auto image = decode(expected.fileName);
        ASSERT_TRUE(image.isValid()) << expected.fileName << " does not decode";
        EXPECT_EQ(image.getWidth(), expected.width) << expected.fileName;
        EXPECT_EQ(image.getHeight(), expected.height) << expected.fileName;
        EXPECT_EQ(image.hasAlphaChannel(), expected.alpha) << expected.fileName;
    }
}

TEST(EmbeddedImages, FilmstripIsNinetyOneSquareFramesThatDiffer)
{
    const auto strip = decode("knob_filmstrip_72x72.png");
    ASSERT_EQ(strip.getHeight() % 91, 0);
    EXPECT_EQ(strip.getHeight() / 91, 72);

    // Every frame shows a different pointer position: no two neighbouring frames are identical.
    auto frame = [&strip](int index) { return strip.getClippedImage({ 0, index * 72, 72, 72 }); };
    for (int i = 0; i + 1 < 91; ++i)
    {
        const auto a = frame(i);
        const auto b = frame(i + 1);
        int differing = 0;
        for (int y = 0; y < 72; ++y)
            for (int x = 0; x < 72; ++x)
                differing += a.getPixelAt(x, y) != b.getPixelAt(x, y) ? 1 : 0;
        EXPECT_GT(differing, 0) << "frames " << i << " and " << i + 1 << " are the same";
    }
}

TEST(EmbeddedImages, ShiftStyleStatesAreClearlyDifferent)
{
    const auto off = decode("shiftstyle_off.png");
    const auto on = decode("shiftstyle_on.png");
    ASSERT_TRUE(off.isValid() && on.isValid());
    int differing = 0;
    for (int y = 0; y < off.getHeight(); ++y)
        for (int x = 0; x < off.getWidth(); ++x)
            differing += off.getPixelAt(x, y) != on.getPixelAt(x, y) ? 1 : 0;
    EXPECT_GT(differing, 300) << "the two states of the Shift In Feedback button look alike";
}

TEST(EmbeddedImages, FaceIsLightWhereTheEditorWritesDarkText)
{
    const auto face = decode("background.png");
    ASSERT_TRUE(face.isValid());
    // The readout labels are black, the build string dark grey.
    EXPECT_GT(meanBrightness(face, { 610, 10, 190, 44 }), 0.55f) << "readout window too dark for black text";
    EXPECT_GT(meanBrightness(face, { 5, 656, 100, 12 }), 0.45f) << "banner strip too dark for the build string";
    // The face itself is dark.
    EXPECT_LT(meanBrightness(face, { 0, 380, 808, 200 }), 0.2f);
}

TEST(EmbeddedFonts, AreABoldSansAndAMonospacedTypeface)
{
    const auto bold = juce::Typeface::createSystemTypefaceFor(BinaryData::InterUIBold_otf, (size_t) BinaryData::InterUIBold_otfSize);
    ASSERT_NE(bold, nullptr);
    EXPECT_TRUE(bold->getName().containsIgnoreCase("Inter")) << bold->getName();
    EXPECT_TRUE(bold->getStyle().containsIgnoreCase("Bold")) << bold->getStyle();

    const auto mono = juce::Typeface::createSystemTypefaceFor(BinaryData::PrintChar21_ttf, (size_t) BinaryData::PrintChar21_ttfSize);
    ASSERT_NE(mono, nullptr);
    juce::Font font(mono);
    font.setHeight(20.0f);
    EXPECT_FLOAT_EQ(font.getStringWidthFloat("iiii"), font.getStringWidthFloat("WWWW")) << "PrintChar21.ttf is not monospaced";
}

TEST(EmbeddedLayout, IsTheFileOfTheRepositoryByteForByte)
{
    const auto onDisk = juce::File(QUILLMERE_RESOURCES_DIR).getChildFile("layout.json");
    juce::MemoryBlock bytes;
    ASSERT_TRUE(onDisk.loadFileAsData(bytes));
    ASSERT_EQ((int) bytes.getSize(), BinaryData::layout_jsonSize);
    EXPECT_EQ(std::memcmp(bytes.getData(), BinaryData::layout_json, bytes.getSize()), 0);
    EXPECT_EQ(getAsset("layout.json").size, BinaryData::layout_jsonSize);
}

TEST(EmbeddedLayout, DescribesTheEditorOfPart41)
{
    const auto layout = embeddedLayout();
    ASSERT_TRUE(layout.isObject());
    EXPECT_EQ(layout["FileType"].toString(), "LAYOUT");

    const auto constants = layout["Constants"];
    EXPECT_EQ((int) constants["UI WIDTH"], 808);
    EXPECT_EQ((int) constants["UI HEIGHT"], 712);
    EXPECT_EQ((int) constants["UI BORING HEIGHT"], 76);
    EXPECT_EQ((int) constants["UI BANNER HEIGHT"], 42);
    EXPECT_EQ((int) constants["READOUT FONT SIZE"], 21);

    const auto components = layout["Components"];
    ASSERT_NE(components.getDynamicObject(), nullptr);
    const std::pair<const char*, juce::Rectangle<int>> expected[] = {
        { "Background", { 0, 0, 808, 712 } },           { "Delay Count Overlay", { 161, 508, 63, 20 } },
        { "LastParam", { 604, -1, 200, 40 } },          { "LastValue", { 604, 20, 200, 40 } },
        { "Wet Knob", { 457, 82, 72, 72 } },            { "Dry Knob", { 337, 29, 72, 72 } },
        { "Delay Count Knob", { 157, 451, 72, 72 } },   { "Delay Time Knob", { 37, 281, 72, 72 } },
        { "Time Spread Knob", { 176, 217, 72, 72 } },   { "Feedback Knob", { 299, 305, 72, 72 } },
        { "Shift Knob", { 582, 169, 72, 72 } },         { "Shift Style Knob", { 703, 110, 72, 72 } },
        { "Shift In Feedback", { 553, 298, 59, 52 } },  { "Boring Area", { 0, 616, 808, 76 } },
    };
    EXPECT_EQ(components.getDynamicObject()->getProperties().size(), (int) std::size(expected));
    for (const auto& [name, bounds] : expected)
    {
        const auto entry = components[name];
        ASSERT_TRUE(entry.isObject()) << name;
        EXPECT_EQ(boundsOf(entry), bounds) << name;
        EXPECT_FALSE(entry.hasProperty("hitbox")) << name;
        EXPECT_FALSE(entry.hasProperty("hover")) << name;
        EXPECT_FALSE(entry.hasProperty("handle offset")) << name;
        const bool knob = juce::String(name).endsWith(" Knob");
        if (knob)
        {
            EXPECT_EQ(entry["assets"]["filmstrip"].toString(), "knob_filmstrip_72x72.png") << name;
        }
        else if (std::string(name) != "Shift In Feedback")
        {
            EXPECT_FALSE(entry.hasProperty("assets")) << name;
        }
    }
    EXPECT_EQ(components["Shift In Feedback"]["assets"]["set"].toString(), "shiftstyle_on.png");
    EXPECT_EQ(components["Shift In Feedback"]["assets"]["unset"].toString(), "shiftstyle_off.png");
    EXPECT_EQ(boundsOf(components["Boring Area"]["children"]["Build String"]), juce::Rectangle<int>(5, 40, 100, 12));

    // Every asset the layout names is embedded.
    for (const auto& [name, bounds] : expected)
    {
        if (auto* assets = components[name]["assets"].getDynamicObject())
        {
            for (const auto& asset : assets->getProperties())
            {
                EXPECT_TRUE(hasAsset(asset.value.toString().toStdString())) << asset.value.toString();
            }
        }
    }
}

TEST(EmbeddedLayout, UsesFourSpaceIndentationWithRectanglesOnTwoLines)
{
    const auto text = juce::String::fromUTF8(BinaryData::layout_json, BinaryData::layout_jsonSize);
    EXPECT_TRUE(text.contains("\n    \"Constants\": {\n"));
    EXPECT_TRUE(text.contains("\"x\": 604, \"y\": -1,\n                \"w\": 200, \"h\": 40\n"));
    EXPECT_FALSE(text.contains("\t"));
    EXPECT_FALSE(text.contains("\r"));
}
