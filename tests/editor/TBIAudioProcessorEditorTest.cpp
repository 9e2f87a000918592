#include "EditorTestSupport.h"
#include "controls/ControlsTestSupport.h"

#include "controls/TallowImageButton.h"
#include "controls/TextureKnob.h"
#include "preferences/Preferences.h"

#include <BinaryData.h>

#include <cmath>
#include <cstdlib>

using Kind = HostRecorder::Kind;

namespace
{
const juce::Rectangle<int> faceBounds{0, 0, 808, 712};

/** Mean absolute difference of the colour channels of two images of the same size, 0 to 255. */
double meanDifference(const juce::Image& a, const juce::Image& b)
{
    double sum = 0.0;
    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
        {
            const auto p = a.getPixelAt(x, y);
            const auto q = b.getPixelAt(x, y);
            sum += std::abs(p.getRed() - q.getRed()) + std::abs(p.getGreen() - q.getGreen()) +
                   std::abs(p.getBlue() - q.getBlue());
        }
    return sum / (3.0 * a.getWidth() * a.getHeight());
}

/** The part of image at r, rescaled to size. */
juce::Image region(const juce::Image& image, juce::Rectangle<int> r, juce::Rectangle<int> size)
{
    return image.getClippedImage(r).rescaled(size.getWidth(), size.getHeight(),
                                             juce::Graphics::highResamplingQuality);
}
} // namespace

TEST_F(EditorTest, OpensAtItsFixedSizeWithItsChildrenInOrderAndPlacedByTheLayout)
{
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(processor.hasEditor());
    EXPECT_EQ(editor->getBounds().withZeroOrigin(), faceBounds);
    EXPECT_FALSE(editor->isResizable());

    // Back to front.
    const std::pair<const char*, juce::Rectangle<int>> expected[] = {
        {"Background", {0, 0, 808, 712}},
        {"Wet Knob", {457, 82, 72, 72}},
        {"Dry Knob", {337, 29, 72, 72}},
        {"Delay Count Knob", {157, 451, 72, 72}},
        {"Delay Time Knob", {37, 281, 72, 72}},
        {"Time Spread Knob", {176, 217, 72, 72}},
        {"Feedback Knob", {299, 305, 72, 72}},
        {"Shift Knob", {582, 169, 72, 72}},
        {"Shift Style Knob", {703, 110, 72, 72}},
        {"Shift In Feedback", {553, 298, 59, 52}},
        {"Delay Count Overlay", {161, 508, 63, 20}},
        {"LastParam", {604, -1, 200, 40}},
        {"LastValue", {604, 20, 200, 40}},
        {"Boring Area", {0, 616, 808, 76}}};

    ASSERT_EQ(editor->getNumChildComponents(), static_cast<int>(std::size(expected)));
    for (int index = 0; index < editor->getNumChildComponents(); ++index)
    {
        const auto* component = editor->getChildComponent(index);
        EXPECT_EQ(component->getName(), expected[index].first) << "child " << index;
        EXPECT_EQ(component->getBounds(), expected[index].second) << expected[index].first;
        EXPECT_TRUE(component->isVisible()) << expected[index].first;
    }

    const auto* background = childAs<juce::ImageComponent>("Background");
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(background->getImage().getBounds(), faceBounds);
    const auto* overlay = childAs<juce::ImageComponent>("Delay Count Overlay");
    ASSERT_NE(overlay, nullptr);
    EXPECT_EQ(overlay->getImage().getBounds(), juce::Rectangle<int>(0, 0, 63, 20));

    const auto* button = childAs<TallowImageButton>("Shift In Feedback");
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->getNormalImage().isValid()) << "the layout gave the button its artwork";
    EXPECT_TRUE(button->getToggleState()) << "\"Shift Path\" starts on";

    const auto* banner = child("Boring Area");
    ASSERT_NE(banner, nullptr);
    ASSERT_EQ(banner->getNumChildComponents(), 1);
    EXPECT_EQ(banner->getChildComponent(0)->getName(), "Build String");
    EXPECT_EQ(banner->getChildComponent(0)->getBounds(), juce::Rectangle<int>(5, 40, 100, 12));
}

TEST_F(EditorTest, KnobsAreBoundToTheirParametersAndFollowAutomation)
{
    const struct
    {
        const char* knob;
        juce::AudioParameterFloat* parameter;
        float interval;
        float automated;
    } cases[] = {{"Wet Knob", processor.wetParam, 0.01f, -12.5f},
                 {"Dry Knob", processor.dryParam, 0.01f, 1.25f},
                 {"Delay Count Knob", processor.countParam, 1.0f, 7.0f},
                 {"Delay Time Knob", processor.delayParam, 0.01f, 120.0f},
                 {"Time Spread Knob", processor.timeSpreadParam, 0.01f, 0.5f},
                 {"Feedback Knob", processor.feedbackParam, 0.01f, 75.0f},
                 {"Shift Knob", processor.shiftParam, 0.01f, 100.0f},
                 {"Shift Style Knob", processor.shiftStyleParam, 1.0f, 5.0f}};

    for (const auto& c : cases)
    {
        auto* knob = childAs<TextureKnob>(c.knob);
        ASSERT_NE(knob, nullptr) << c.knob;
        EXPECT_EQ(knob->parameter, c.parameter) << c.knob;
        EXPECT_FLOAT_EQ(static_cast<float>(knob->getInterval()), c.interval) << c.knob;
        // A knob moves in steps of its interval from the start of the range.
        const double tolerance = c.interval / 2.0 + 1e-4;
        EXPECT_NEAR(knob->getValue(), c.parameter->get(), tolerance) << c.knob;
        EXPECT_FLOAT_EQ(
            static_cast<float>(knob->getDoubleClickReturnValue()),
            c.parameter->convertFrom0to1(
                static_cast<juce::RangedAudioParameter*>(c.parameter)->getDefaultValue()))
            << c.knob << ": a double-click returns to the parameter's default";
        EXPECT_EQ(knob->frameCount, 91) << c.knob << ": the layout gave it its filmstrip";

        c.parameter->setValueNotifyingHost(c.parameter->convertTo0to1(c.automated));
        knob->timerCallback();
        EXPECT_NEAR(knob->getValue(), c.automated, tolerance) << c.knob << " follows automation";
    }
}

TEST_F(EditorTest, ClickingTheButtonTogglesShiftPathInsideOneGesture)
{
    ASSERT_TRUE(editorTestsHaveDisplay) << "needs an X display (run under xvfb-run)";
    DesktopMouse mouse(*editor);
    ASSERT_TRUE(mouse.ready());
    auto* button = childAs<TallowImageButton>("Shift In Feedback");
    const auto centre = button->getBounds().getCentre().toFloat();

    for (const bool expected : {false, true})
    {
        HostRecorder host(*processor.shiftPathParam);
        mouse.click(centre, juce::ModifierKeys::leftButtonModifier);
        EXPECT_EQ(host.kinds(), (std::vector<Kind>{Kind::begin, Kind::value, Kind::end}));
        EXPECT_EQ(processor.shiftPathParam->get(), expected);
        editor->timerCallback();
        EXPECT_EQ(button->getToggleState(), expected);
    }
}

TEST_F(EditorTest, TheButtonFollowsShiftPathWithinOneTickWithoutWritingIt)
{
    auto* button = childAs<TallowImageButton>("Shift In Feedback");
    ASSERT_NE(button, nullptr);
    HostRecorder host(*processor.shiftPathParam);

    for (const bool automated : {false, true, false})
    {
        processor.shiftPathParam->setValueNotifyingHost(automated ? 1.0f : 0.0f);
        editor->timerCallback();
        EXPECT_EQ(button->getToggleState(), automated);
        EXPECT_EQ(processor.shiftPathParam->get(), automated) << "the sync wrote the parameter";
    }
    EXPECT_EQ(host.count(Kind::begin), 0) << "the sync must not act as a click";
    EXPECT_EQ(host.count(Kind::value), 3) << "only the host's own three writes";
}

TEST_F(EditorTest, OpeningCreatesThePreferencesFileUnderHome)
{
    const juce::File home(juce::String::fromUTF8(std::getenv("HOME")));
    const juce::File preferences(juce::String::fromUTF8(preferencesFilePath().c_str()));
    EXPECT_TRUE(preferences.isAChildOf(home)) << "the tests must not touch the user's own folders";
    EXPECT_TRUE(preferences.existsAsFile());
}

TEST_F(EditorTest, ADroppedLayoutMovesTheControlsResizesTheReadoutAndMovesTheHoverAreas)
{
    auto text = Layout::embeddedLayoutText();
    const auto replace = [&text](const std::string& from, const std::string& to)
    {
        const auto at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
    };
    replace("\"READOUT FONT SIZE\": 21", "\"READOUT FONT SIZE\": 30");
    // The Wet Knob's corner, as the embedded description writes it.
    replace("\"x\": 457, \"y\": 82", "\"x\": 10, \"y\": 10");

    const auto file = juce::File::createTempFile(".json");
    ASSERT_TRUE(file.replaceWithText(juce::String::fromUTF8(text.c_str())));
    editor->filesDropped({file.getFullPathName()}, 0, 0);

    const auto* wet = child("Wet Knob");
    EXPECT_EQ(wet->getBounds(), juce::Rectangle<int>(10, 10, 72, 72));
    EXPECT_FLOAT_EQ(childAs<juce::Label>("LastParam")->getFont().getHeight(), 30.0f);
    EXPECT_FLOAT_EQ(childAs<juce::Label>("LastValue")->getFont().getHeight(), 30.0f);

    // The readout names the knob where it now is, not where it was.
    pointAt({46, 46});
    editor->timerCallback();
    EXPECT_EQ(childAs<juce::Label>("LastParam")->getText(), "WET");
    pointAt({493, 118});
    editor->timerCallback();
    EXPECT_EQ(childAs<juce::Label>("LastParam")->getText(), "WET") << "nothing is there any more";
    pointAt({335, 341});
    editor->timerCallback();
    EXPECT_EQ(childAs<juce::Label>("LastParam")->getText(), "FEEDBACK");
    file.deleteFile();
}

TEST_F(EditorTest, At200PercentTheEditorCoversTwiceItsSizeAndShowsTheWholeFace)
{
    const auto face = editor->createComponentSnapshot(faceBounds);

    // Stands for the host's window, which the VST3 wrapper sizes to the scaled editor.
    juce::Component window;
    window.addAndMakeVisible(*editor);
    editor->setTopLeftPosition(0, 0);
    editor->setScaleFactor(2.0f);
    EXPECT_EQ(editor->getBoundsInParent(), juce::Rectangle<int>(0, 0, 1616, 1424));
    EXPECT_EQ(editor->getBounds().withZeroOrigin(), faceBounds) << "the layout is unscaled";

    window.setSize(1616, 1424);
    const auto inWindow = window.createComponentSnapshot(window.getLocalBounds());
    const auto atScale = editor->createComponentSnapshot(faceBounds, true, 2.0f);
    ASSERT_EQ(atScale.getBounds(), juce::Rectangle<int>(0, 0, 1616, 1424));

    // Each quarter of the scaled picture shows the same quarter of the face. Scaled back down it
    // differs from the face by about 1 in 255 (resampling); the two bottom quarters, the most
    // alike of the face, differ from each other by about 4.5.
    for (const auto& quarter : {juce::Rectangle<int>(0, 0, 404, 356),
                                {404, 0, 404, 356},
                                {0, 356, 404, 356},
                                {404, 356, 404, 356}})
    {
        const auto expected = face.getClippedImage(quarter);
        for (const auto* shot : {&inWindow, &atScale})
            EXPECT_LT(meanDifference(region(*shot, quarter * 2, quarter), expected), 2.5)
                << "quarter at " << quarter.toString()
                << (shot == &inWindow ? " in the host's window" : " in the snapshot");
    }
    window.removeChildComponent(editor.get());
}

TEST_F(VST3EditorTest, ScreenshotShowsTheFaceWithTheReadout)
{
    pointAt({335, 341});
    editor->timerCallback();
    const auto shot = editor->createComponentSnapshot(faceBounds);

    const auto backgroundImage =
        juce::ImageCache::getFromMemory(BinaryData::background_png, BinaryData::background_pngSize);
    for (const juce::Point<int> uncovered : {juce::Point<int>{20, 20}, {780, 600}, {20, 400}})
        EXPECT_EQ(shot.getPixelAt(uncovered.x, uncovered.y),
                  backgroundImage.getPixelAt(uncovered.x, uncovered.y))
            << uncovered.toString();
    EXPECT_GT(meanDifference(region(shot, {604, 0, 200, 60}, {0, 0, 200, 60}),
                             backgroundImage.getClippedImage({604, 0, 200, 60})),
              1.0)
        << "the readout is not drawn";

    const juce::File file(QUILLMERE_EDITOR_SCREENSHOT);
    file.deleteFile();
    juce::FileOutputStream stream(file);
    ASSERT_TRUE(stream.openedOk()) << file.getFullPathName();
    ASSERT_TRUE(juce::PNGImageFormat().writeImageToStream(shot, stream));
}
