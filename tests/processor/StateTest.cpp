#include "processor/TBIAudioProcessor.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
juce::MemoryBlock frame(const std::string& xml)
{
    juce::MemoryBlock block;
    juce::AudioProcessor::copyXmlToBinary(*juce::parseXML(xml), block);
    return block;
}

juce::MemoryBlock rawFrame(std::uint32_t magic, std::uint32_t length, const std::string& text)
{
    juce::MemoryBlock block;
    juce::MemoryOutputStream out(block, false);
    out.writeInt(static_cast<int>(magic));
    out.writeInt(static_cast<int>(length));
    out.write(text.data(), text.size());
    return block;
}

// The frame a host stores, around text that may be any bytes.
juce::MemoryBlock frameOfBytes(const std::string& text)
{
    return rawFrame(0x21324356, static_cast<std::uint32_t>(text.size()), text);
}

std::vector<float> values(TBIAudioProcessor& p)
{
    std::vector<float> result;
    for (auto* parameter : p.getParameters())
        result.push_back(dynamic_cast<juce::RangedAudioParameter*>(parameter)->convertFrom0to1(
            parameter->getValue()));
    return result;
}

void restore(TBIAudioProcessor& p, const juce::MemoryBlock& block)
{
    p.setStateInformation(block.getData(), static_cast<int>(block.getSize()));
}

// A processor whose every value differs from its default, so "unchanged" is visible.
void setNonDefaults(TBIAudioProcessor& p)
{
    *p.dryParam = 1.0f;
    *p.wetParam = -7.5f;
    *p.countParam = 6.25f;
    *p.delayParam = 120.0f;
    *p.timeSpreadParam = 0.5f;
    *p.feedbackParam = 12.34f;
    *p.shiftPathParam = false;
    *p.shiftParam = 55.5f;
    *p.shiftStyleParam = 4.5f;
    *p.postLimiterParam = false;
}
} // namespace

TEST(State, DefaultProcessorWritesTheExactFrame)
{
    TBIAudioProcessor p;
    juce::MemoryBlock block;
    p.getStateInformation(block);

    const auto* bytes = static_cast<const char*>(block.getData());
    ASSERT_GT(block.getSize(), 9u);
    EXPECT_EQ(std::string(bytes, 4), "VC2!");
    EXPECT_EQ(juce::ByteOrder::littleEndianInt(bytes + 4), block.getSize() - 9);
    EXPECT_EQ(bytes[block.getSize() - 1], 0);

    const std::string xml(bytes + 8, block.getSize() - 9);
    EXPECT_EQ(xml, "<?xml version=\"1.0\" encoding=\"UTF-8\"?> <Orrery_XML Dry=\"-3.0\" "
                   "Wet=\"-3.0\" Count=\"4.0\" Delay=\"50.0\" TimeSpread=\"1.618029952049255\" "
                   "Feedback=\"50.0\" Shift_Path=\"1\" Shift=\"333.0\" Shift_Style=\"2.0\" "
                   "Post_Limiter=\"1\"/>");
}

TEST(State, RoundTripRestoresEveryValue)
{
    TBIAudioProcessor source;
    setNonDefaults(source);
    juce::MemoryBlock block;
    source.getStateInformation(block);

    TBIAudioProcessor target;
    restore(target, block);
    EXPECT_EQ(values(target), values(source));
}

TEST(State, UnsnappedTimeSpreadComesBackOnTheGrid)
{
    TBIAudioProcessor source;
    juce::MemoryBlock block;
    source.getStateInformation(block);

    TBIAudioProcessor target;
    *target.timeSpreadParam = 0.5f;
    restore(target, block);
    EXPECT_FLOAT_EQ(target.timeSpreadParam->get(), 1.615f);
}

TEST(State, UnreadableBlocksChangeNothing)
{
    const auto valid = frame("<Orrery_XML Dry=\"0\"/>");
    const std::string validText = "<Orrery_XML Dry=\"0\"/>";
    const struct
    {
        const char* what;
        juce::MemoryBlock block;
    } cases[] = {
        {"empty block", {}},
        {"eight bytes", rawFrame(0x21324356, 20, "")},
        {"wrong magic", rawFrame(0x21324357, (std::uint32_t)validText.size(), validText)},
        {"stored length 0", rawFrame(0x21324356, 0, validText)},
        {"length cuts the XML", rawFrame(0x21324356, 10, validText)},
        {"length past the data, cut XML", rawFrame(0x21324356, 4000, "<Orrery_XML Dry=\"0")},
        {"length with the top bit set", rawFrame(0x21324356, 0xffffffffu, validText)},
        {"not XML", rawFrame(0x21324356, 9, "not xml!!")},
        {"another tag", frame("<Other Dry=\"0\"/>")},
        {"truncated UTF-8 at the end", rawFrame(0x21324356, 3, "<\xf0\xf0")},
        {"text that is not UTF-8", frameOfBytes("<Orrery_XML Dry=\"0\" Wet=\"\xff\xff\xff~\"/>")},
        {"a lead byte before the end of the text", frameOfBytes("<Orrery_XML Dry=\"0\"/>\xf0")},
        {"an instruction and text inside the element",
         frameOfBytes("<Orrery_XML Dry=\"0\"><?a?>b</Orrery_XML>")},
        {"a character reference cut by the end of the text",
         frameOfBytes("<Orrery_XML Dry=\"0\"> p&&#X0e52")},
        {"a bare character reference at the end", frameOfBytes("<Orrery_XML Dry=\"0\">&#")},
        {"a character reference cut by a zero byte",
         frameOfBytes(std::string("<Orrery_XML Dry=\"0\">&#x0e\0zz", 28))},
    };

    for (const auto& c : cases)
    {
        TBIAudioProcessor p;
        setNonDefaults(p);
        const auto before = values(p);
        restore(p, c.block);
        EXPECT_EQ(values(p), before) << c.what;
    }

    TBIAudioProcessor p;
    setNonDefaults(p);
    const auto before = values(p);
    p.setStateInformation(nullptr, 100);
    p.setStateInformation(valid.getData(), -5);
    EXPECT_EQ(values(p), before) << "null data or a negative size";
}

TEST(State, LengthLongerThanTheDataParsesWhatIsThere)
{
    TBIAudioProcessor p;
    restore(p, rawFrame(0x21324356, 100000, "<Orrery_XML Dry=\"1.5\"/>"));
    EXPECT_EQ(p.dryParam->get(), 1.5f);
}

TEST(State, AttributesAreReadByTheRestoreRules)
{
    struct Case
    {
        const char* what;
        const char* xml;
        int index;
        float expected;
    };
    const Case cases[] = {
        {"tag in other case", R"(<orrery_xml Dry="1"/>)", 0, 1.0f},
        {"attribute names keep their case", R"(<Orrery_XML dry="1"/>)", 0, -3.0f},
        {"missing Delay takes its default", R"(<Orrery_XML Dry="1"/>)", 3, 50.0f},
        {"missing TimeSpread takes the snapped default", R"(<Orrery_XML/>)", 4, 1.615f},
        {"missing Post_Limiter turns it on", R"(<Orrery_XML/>)", 9, 1.0f},
        {"below the range clamps", R"(<Orrery_XML Dry="-40"/>)", 0, -18.0f},
        {"bool reads as an integer", R"(<Orrery_XML Post_Limiter="2"/>)", 9, 1.0f},
        {"bool text that is no integer is off", R"(<Orrery_XML Shift_Path="yes"/>)", 6, 0.0f},
        {"text that is no number reads as 0", R"(<Orrery_XML Dry="abc"/>)", 0, 0.0f},
        {"NaN reads as 0, then clamps", R"(<Orrery_XML Delay="nan"/>)", 3, 10.0f},
        {"infinity clamps to the top", R"(<Orrery_XML Shift="inf"/>)", 7, 666.0f},
        {"minus infinity clamps to the bottom", R"(<Orrery_XML Wet="-inf"/>)", 1, -18.0f},
        {"beyond float range clamps", R"(<Orrery_XML Feedback="1e999"/>)", 5, 100.0f},
        {"snaps to the grid", R"(<Orrery_XML Delay="33.333"/>)", 3, 33.33f},
        {"continuous values keep fractions", R"(<Orrery_XML Count="3.72"/>)", 2, 3.72f},
        {"unknown attributes are ignored", R"(<Orrery_XML Gone="5" Shift="1"/>)", 7, 1.0f},
    };

    for (const auto& c : cases)
    {
        TBIAudioProcessor p;
        setNonDefaults(p);
        restore(p, frame(c.xml));
        EXPECT_NEAR(values(p)[static_cast<size_t>(c.index)], c.expected, 1e-5f) << c.what;
    }
}

TEST(State, HugeAttributeTextIsHandled)
{
    TBIAudioProcessor p;
    const auto digits = std::string(1 << 20, '9');
    restore(p, frame("<Orrery_XML Delay=\"" + digits + "\" Dry=\"-" + digits + "\"/>"));
    EXPECT_EQ(p.delayParam->get(), 250.0f);
    EXPECT_EQ(p.dryParam->get(), -18.0f);
}

TEST(State, ThousandRandomSettingsComeBackExactly)
{
    // The saved values are already on their grids, so snapping on restore changes nothing.
    juce::Random random(2024);
    for (int set = 0; set < 1000; ++set)
    {
        TBIAudioProcessor source;
        for (auto* parameter : source.getParameters())
            parameter->setValueNotifyingHost(random.nextFloat());
        juce::MemoryBlock block;
        source.getStateInformation(block);

        TBIAudioProcessor target;
        restore(target, block);
        ASSERT_EQ(values(target), values(source)) << "set " << set;
        juce::MemoryBlock again;
        target.getStateInformation(again);
        ASSERT_EQ(again, block) << "set " << set;
    }
}

TEST(State, RestoresIdenticallyAroundAPreparationAtAnotherRate)
{
    TBIAudioProcessor source;
    setNonDefaults(source);
    source.prepareToPlay(48000.0, 512);
    juce::AudioBuffer<float> buffer(2, 512);
    buffer.clear();
    juce::MidiBuffer midi;
    source.processBlock(buffer, midi);
    juce::MemoryBlock block;
    source.getStateInformation(block);

    for (const auto rate : {44100.0, 96000.0, 22050.0})
    {
        TBIAudioProcessor restoredBefore;
        restore(restoredBefore, block);
        restoredBefore.prepareToPlay(rate, 256);

        TBIAudioProcessor restoredAfter;
        restoredAfter.prepareToPlay(rate, 256);
        restore(restoredAfter, block);

        for (auto* p : {&restoredBefore, &restoredAfter})
        {
            EXPECT_EQ(values(*p), values(source)) << rate;
            juce::MemoryBlock again;
            p->getStateInformation(again);
            EXPECT_EQ(again, block) << rate;
        }
    }
}
