#include "layout/Layout.h"

#include "controls/TallowImageButton.h"
#include "controls/TextureKnob.h"
#include "layout/WatchedLayoutFile.h"
#include "processor/InstanceStorage.h"
#include "resources/AssetTable.h"

#include <BinaryData.h>
#include <juce_audio_processors/juce_audio_processors.h>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <climits>
#include <memory>
#include <string>

namespace
{

using Rect = juce::Rectangle<int>;

/** Counts emissions of a layout's `changed`. */
struct ChangeCounter : Signals::Trackable
{
    void onChanged() { ++count; }
    int count = 0;
};

const char* const requiredConstants =
    R"("UI WIDTH": 500, "UI HEIGHT": 400, "UI BORING HEIGHT": 76, "UI BANNER HEIGHT": 42)";

/** A valid document with the required constants, the given components and extra constants. */
std::string document(const std::string& components, const std::string& extraConstants = {})
{
    std::string text = R"({"FileType": "LAYOUT", "Constants": {)" + std::string(requiredConstants);
    if (!extraConstants.empty())
        text += ", " + extraConstants;
    text += "}";
    if (!components.empty())
        text += R"(, "Components": )" + components;
    return text + "}";
}

class LayoutTest : public testing::Test
{
protected:
    void SetUp() override
    {
        storage = std::make_shared<InstanceStorage>();
        layout = std::make_unique<Layout>(storage);
        layout->changed.connect(&counter, &ChangeCounter::onChanged);
        folder = juce::File::getSpecialLocation(juce::File::tempDirectory)
                     .getNonexistentChildFile("quillmere_layout_test", "", false);
        ASSERT_TRUE(folder.createDirectory());
    }

    void TearDown() override
    {
        layout.reset();
        folder.deleteRecursively();
    }

    /** Loads text; true when it was valid (no fallback). */
    bool loads(const std::string& text)
    {
        counter.count = 0;
        layout->load(text);
        const bool valid = layout->statusMessage.empty();
        EXPECT_EQ(counter.count, valid ? 1 : 2) << text;
        return valid;
    }

    void expectEmbedded() const
    {
        EXPECT_EQ(layout->uiWidth, 808);
        EXPECT_EQ(layout->uiHeight, 712);
        EXPECT_EQ(layout->getConstant("READOUT FONT SIZE"), 21);
        EXPECT_EQ(layout->boundsByName.size(), 15u);
        EXPECT_EQ(layout->boundsByName.at("Wet Knob"), Rect(457, 82, 72, 72));
    }

    juce::File writeFile(const std::string& name, const std::string& content) const
    {
        const auto file = folder.getChildFile(name);
        EXPECT_TRUE(file.replaceWithData(content.data(), content.size()));
        return file;
    }

    static void setTime(const juce::File& file, long seconds, long nanoseconds)
    {
        const timespec times[2] = {{seconds, nanoseconds}, {seconds, nanoseconds}};
        ASSERT_EQ(::utimensat(AT_FDCWD, file.getFullPathName().toRawUTF8(), times, 0), 0);
    }

    bool drop(const juce::File& file)
    {
        counter.count = 0;
        return layout->loadDroppedFiles(juce::StringArray(file.getFullPathName()));
    }

    std::shared_ptr<InstanceStorage> storage;
    std::unique_ptr<Layout> layout;
    ChangeCounter counter;
    juce::File folder;
};

} // namespace

// ---------------------------------------------------------------- the embedded description

TEST_F(LayoutTest, EmbeddedLayout)
{
    EXPECT_TRUE(layout->statusMessage.empty());
    expectEmbedded();
    EXPECT_EQ(Layout::embeddedLayoutText().size(),
              static_cast<std::size_t>(BinaryData::layout_jsonSize));
    EXPECT_EQ(layout->getConstant("UI BORING HEIGHT"), 76);
    EXPECT_EQ(layout->getConstant("UI BANNER HEIGHT"), 42);
    EXPECT_EQ(layout->getConstant("NO SUCH CONSTANT"), 0);
    EXPECT_EQ(layout->boundsByName.at("LastParam"), Rect(604, -1, 200, 40));
    EXPECT_EQ(layout->boundsByName.at("Boring Area-Build String"), Rect(5, 40, 100, 12));
    EXPECT_EQ(layout->boundsByName.count("Build String"), 0u);
    EXPECT_EQ(layout->hitboxByName.at("Shift In Feedback"), Rect(553, 298, 59, 52));
    EXPECT_EQ(layout->hoverAreas.at("Delay Count Knob"), Rect(157, 451, 72, 72));
    EXPECT_EQ(layout->hitboxByName.size(), 15u);
    EXPECT_EQ(layout->hoverAreas.size(), 15u);
    EXPECT_EQ(layout->assetsByName.at("Wet Knob").at("filmstrip"), "knob_filmstrip_72x72.png");
    EXPECT_EQ(layout->assetsByName.at("Shift In Feedback").at("set"), "shiftstyle_on.png");
    EXPECT_EQ(layout->assetsByName.at("Shift In Feedback").at("unset"), "shiftstyle_off.png");
    EXPECT_EQ(layout->assetsByName.size(), 9u);
    EXPECT_TRUE(layout->isTimerRunning());
    EXPECT_EQ(layout->getTimerInterval(), 62);
}

TEST_F(LayoutTest, NullStorageIsReplaced)
{
    Layout own(nullptr);
    EXPECT_NE(own.instanceStorage, nullptr);
    own.timerCallback();
    EXPECT_EQ(own.uiWidth, 808);
}

// ---------------------------------------------------------------- the document rules, as a table

TEST_F(LayoutTest, DocumentRules)
{
    struct Row
    {
        const char* what;
        std::string text;
        bool valid;
    };
    const auto withX = [](const std::string& x)
    { return document(R"({"A": {"bounds": {"x": )" + x + R"(, "y": 2, "w": 3, "h": 4}}})"); };
    const Row rows[] = {
        {"x integer", withX("10"), true},
        {"x 10.9", withX("10.9"), true},
        {"x -10.9", withX("-10.9"), true},
        {"x true", withX("true"), true},
        {"x false", withX("false"), true},
        {"x 1e2", withX("1e2"), true},
        {"x string", withX(R"("10")"), false},
        {"x null", withX("null"), false},
        {"x array", withX("[10]"), false},
        {"x object", withX(R"({"v": 10})"), false},
        {"x beyond int", withX("2147483648"), false},
        {"x below int", withX("-2147483649.5"), false},
        {"x huge float", withX("1e300"), false},
        {"rectangle without h", document(R"({"A": {"bounds": {"x": 1, "y": 2, "w": 3}}})"), false},
        {"rectangle a number", document(R"({"A": {"bounds": 5}})"), false},
        {"rectangle null", document(R"({"A": {"hitbox": null}})"), false},
        {"rectangle array", document(R"({"A": {"hover": [1, 2, 3, 4]}})"), false},
        {"no Components", document(""), true},
        {"Components null", document("null"), true},
        {"Components a string", document(R"("text")"), true},
        {"Components a number", document("5"), true},
        {"entry a number", document(R"({"Wet Knob": 5})"), true},
        {"entry a string", document(R"({"Wet Knob": "x"})"), true},
        {"entry null", document(R"({"Wet Knob": null})"), true},
        {"entry an array", document(R"({"Wet Knob": [1, 2]})"), true},
        {"asset not a string", document(R"({"A": {"assets": {"set": 3}}})"), false},
        {"asset null", document(R"({"A": {"assets": {"set": null}}})"), false},
        {"unknown asset role", document(R"({"A": {"assets": {"sparkle": "x.png"}}})"), true},
        {"assets a number", document(R"({"A": {"assets": 3}})"), false},
        {"handle offset a string", document(R"({"A": {"handle offset": "7"}})"), false},
        {"handle offset in child a string",
         document(R"({"A": {"children": {"B": {"handle offset": "7"}}}})"), true},
        {"extra constant a string", document("", R"("NAME": "x")"), false},
        {"extra constant fractional", document("", R"("NAME": 2.5)"), true},
        {"readout font size absent", document(""), true},
        {"not JSON", "{\"Constants\": ", false},
        {"empty text", "", false},
        {"root an array", "[" + document("") + "]", false},
        {"root a number", "5", false},
        {"Constants an array", R"({"Constants": [808, 712, 76, 42]})", false},
        {"Constants missing", R"({"Components": {}})", false},
        {"lower-case FileType is fine in load",
         R"({"FileType": "layout", "Constants": {)" + std::string(requiredConstants) + "}}", true},
        {"no FileType is fine in load",
         R"({"Constants": {)" + std::string(requiredConstants) + "}}", true},
        {"trailing garbage", document("") + "x", false},
        {"comment", "// c\n" + document(""), false},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(loads(row.text), row.valid);
        if (row.valid)
        {
            EXPECT_EQ(layout->uiWidth, 500);
            EXPECT_EQ(layout->uiHeight, 400);
        }
        else
        {
            EXPECT_EQ(layout->statusMessage, "Failed to load file, reset");
            expectEmbedded();
        }
    }
}

TEST_F(LayoutTest, IntegerConversions)
{
    struct Row
    {
        const char* x;
        int expected;
    };
    for (const Row& row : {Row{"10.9", 10}, Row{"-10.9", -10}, Row{"true", 1}, Row{"false", 0},
                           Row{"-0.5", 0}, Row{"2147483647", INT_MAX}, Row{"-2147483648", INT_MIN}})
    {
        ASSERT_TRUE(loads(document(std::string(R"({"A": {"bounds": {"x": )") + row.x +
                                   R"(, "y": 1, "w": 2, "h": 3}}})")))
            << row.x;
        EXPECT_EQ(layout->boundsByName.at("A").getX(), row.expected) << row.x;
    }
    ASSERT_TRUE(loads(document("", R"("UI WIDTH": 640.99)")));
    EXPECT_EQ(layout->uiWidth, 640);
}

TEST_F(LayoutTest, EachRequiredConstantIsRequired)
{
    for (const char* missing : {"UI WIDTH", "UI HEIGHT", "UI BORING HEIGHT", "UI BANNER HEIGHT"})
    {
        std::string constants;
        for (const char* name : {"UI WIDTH", "UI HEIGHT", "UI BORING HEIGHT", "UI BANNER HEIGHT"})
            if (std::string(name) != missing)
                constants += std::string(constants.empty() ? "" : ", ") + "\"" + name + "\": 10";
        EXPECT_FALSE(loads(R"({"Constants": {)" + constants + "}}")) << missing;
        expectEmbedded();
    }
}

TEST_F(LayoutTest, ConstantsAndHandleOffset)
{
    ASSERT_TRUE(loads(document(
        R"({"Wet Knob": {"bounds": {"x": 1, "y": 2, "w": 3, "h": 4}, "handle offset": 7,
                         "children": {"Inner": {"handle offset": 9}}},
            "Dry Knob": {"handle offset": 2.5}})",
        R"("READOUT FONT SIZE": 30, "ANY NAME": -4)")));
    EXPECT_EQ(layout->getConstant("Wet Knob handle offset"), 7);
    EXPECT_EQ(layout->getConstant("Dry Knob handle offset"), 2);
    EXPECT_EQ(layout->getConstant("Wet Knob-Inner handle offset"), 0);
    EXPECT_EQ(layout->constants.count("Wet Knob-Inner handle offset"), 0u);
    EXPECT_EQ(layout->getConstant("READOUT FONT SIZE"), 30);
    EXPECT_EQ(layout->getConstant("ANY NAME"), -4);
    EXPECT_EQ(layout->getConstant("UI WIDTH"), 500);
}

TEST_F(LayoutTest, HitboxOnlyEntry)
{
    ASSERT_TRUE(loads(document(R"({"A": {"hitbox": {"x": 1, "y": 2, "w": 3, "h": 4}}})")));
    EXPECT_EQ(layout->hitboxByName.at("A"), Rect(1, 2, 3, 4));
    EXPECT_EQ(layout->boundsByName.count("A"), 0u);
    EXPECT_EQ(layout->hoverAreas.count("A"), 0u);
}

TEST_F(LayoutTest, DefaultsFollowTheBounds)
{
    ASSERT_TRUE(loads(document(R"({
        "A": {"bounds": {"x": 10, "y": 20, "w": 30, "h": 40}, "hitbox": {"x": 0, "y": 0, "w": 99, "h": 99}},
        "B": {"bounds": {"x": 1, "y": 2, "w": 3, "h": 4}, "hover": {"x": 5, "y": 6, "w": 7, "h": 8}},
        "C": {"hover": {"x": 5, "y": 6, "w": 7, "h": 8}}})")));
    EXPECT_EQ(layout->hitboxByName.at("A"), Rect(0, 0, 99, 99));
    EXPECT_EQ(layout->hoverAreas.at("A"), Rect(10, 20, 30, 40)); // the bounds, not the hitbox
    EXPECT_EQ(layout->hitboxByName.at("B"), Rect(1, 2, 3, 4));
    EXPECT_EQ(layout->hoverAreas.at("B"), Rect(5, 6, 7, 8));
    EXPECT_EQ(layout->hoverAreas.at("C"), Rect(5, 6, 7, 8));
    EXPECT_EQ(layout->hitboxByName.count("C"), 0u);
    EXPECT_EQ(layout->boundsByName.count("C"), 0u);
}

TEST_F(LayoutTest, AssetsAndChildren)
{
    ASSERT_TRUE(loads(document(R"({"A": {"assets": {"set": "on.png", "sparkle": "x.png"},
        "children": {"B": {"bounds": {"x": 1, "y": 1, "w": 1, "h": 1},
                           "children": {"C": {"bounds": {"x": 2, "y": 2, "w": 2, "h": 2}}}}}}})")));
    EXPECT_EQ(layout->assetsByName.at("A").at("set"), "on.png");
    EXPECT_EQ(layout->assetsByName.at("A").at("sparkle"), "x.png");
    EXPECT_EQ(layout->boundsByName.at("A-B"), Rect(1, 1, 1, 1));
    EXPECT_EQ(layout->boundsByName.at("A-B-C"), Rect(2, 2, 2, 2));
    EXPECT_EQ(layout->boundsByName.count("A"), 0u);
}

TEST_F(LayoutTest, NameCollisionChildReadFirst)
{
    // "A" sorts before "A-B": the child B of A takes the full name "A-B" first, and the top-level
    // entry "A-B" is skipped as a whole: its bounds, hitbox, hover and assets.
    ASSERT_TRUE(loads(document(R"({
        "A-B": {"bounds": {"x": 9, "y": 9, "w": 9, "h": 9}, "hitbox": {"x": 0, "y": 0, "w": 50, "h": 50},
                "assets": {"image": "top.png"}},
        "A": {"children": {"B": {"bounds": {"x": 1, "y": 2, "w": 3, "h": 4}}}}})")));
    EXPECT_EQ(layout->boundsByName.at("A-B"), Rect(1, 2, 3, 4));
    EXPECT_EQ(layout->hitboxByName.at("A-B"), Rect(1, 2, 3, 4));
    EXPECT_EQ(layout->hoverAreas.at("A-B"), Rect(1, 2, 3, 4));
    EXPECT_EQ(layout->assetsByName.count("A-B"), 0u);
}

TEST_F(LayoutTest, MembersAreReadInByteOrder)
{
    // Byte order, not text order: "B" (0x42) and "B-x" sort before "a" (0x61), and "B" before
    // "B-x", so B's child x takes the full name "B-x" and the top-level "B-x" is skipped.
    ASSERT_TRUE(loads(document(R"({
        "a": {"bounds": {"x": 1, "y": 1, "w": 1, "h": 1}},
        "B": {"children": {"x": {"bounds": {"x": 2, "y": 2, "w": 2, "h": 2}}}},
        "B-x": {"bounds": {"x": 3, "y": 3, "w": 3, "h": 3}}})")));
    EXPECT_EQ(layout->boundsByName.at("B-x"), Rect(2, 2, 2, 2));
    EXPECT_EQ(layout->boundsByName.at("a"), Rect(1, 1, 1, 1));
}

TEST_F(LayoutTest, ArraysActAsObjects)
{
    ASSERT_TRUE(loads(document(R"([
        {"bounds": {"x": 1, "y": 1, "w": 1, "h": 1}, "assets": ["a.png", "b.png"],
         "children": [{"bounds": {"x": 5, "y": 5, "w": 5, "h": 5}}]},
        5,
        {"bounds": {"x": 3, "y": 3, "w": 3, "h": 3}, "assets": "single.png", "children": 7}])")));
    EXPECT_EQ(layout->boundsByName.at("0"), Rect(1, 1, 1, 1));
    EXPECT_EQ(layout->boundsByName.count("1"), 0u);
    EXPECT_EQ(layout->boundsByName.at("2"), Rect(3, 3, 3, 3));
    EXPECT_EQ(layout->boundsByName.at("0-0"), Rect(5, 5, 5, 5));
    EXPECT_EQ(layout->assetsByName.at("0").at("0"), "a.png");
    EXPECT_EQ(layout->assetsByName.at("0").at("1"), "b.png");
    EXPECT_EQ(layout->assetsByName.at("2").at(""), "single.png");
    EXPECT_EQ(layout->boundsByName.size(), 3u);
    // null acts as no members
    ASSERT_TRUE(loads(document(R"({"A": {"assets": null, "children": null}})")));
    EXPECT_TRUE(layout->assetsByName.empty());
}

TEST_F(LayoutTest, InvalidDocumentIsNeverPartlyApplied)
{
    // The error comes after "A" has been read; nothing of this document may remain.
    EXPECT_FALSE(loads(document(R"({"A": {"bounds": {"x": 1, "y": 1, "w": 1, "h": 1}},
                                    "Z": {"assets": {"set": 3}}})",
                                R"("EXTRA": 5)")));
    EXPECT_EQ(layout->boundsByName.count("A"), 0u);
    EXPECT_EQ(layout->getConstant("EXTRA"), 0);
    expectEmbedded();
}

TEST_F(LayoutTest, FallbackEmitsChangedTwice)
{
    counter.count = 0;
    layout->load("not json");
    EXPECT_EQ(counter.count, 2);
    EXPECT_EQ(layout->statusMessage, "Failed to load file, reset");
    counter.count = 0;
    layout->load(document(""));
    EXPECT_EQ(counter.count, 1);
    EXPECT_TRUE(layout->statusMessage.empty());
}

TEST_F(LayoutTest, StatusIsEmptyDuringTheInnerEmission)
{
    struct Probe : Signals::Trackable
    {
        Layout* layout = nullptr;
        std::vector<std::string> statuses;
        void onChanged() { statuses.push_back(layout->statusMessage); }
    } probe;
    probe.layout = layout.get();
    layout->changed.connect(&probe, &Probe::onChanged);
    layout->load("{");
    ASSERT_EQ(probe.statuses.size(), 2u);
    EXPECT_EQ(probe.statuses[0], "");
    EXPECT_EQ(probe.statuses[1], "Failed to load file, reset");
}

// ---------------------------------------------------------------- hostile input

TEST_F(LayoutTest, DeepNestingFallsBackWithoutACrash)
{
    const std::string deepArrays = std::string(500000, '[') + std::string(500000, ']');
    EXPECT_FALSE(loads(document(R"({"A": {"assets": )" + deepArrays + "}}")));
    expectEmbedded();

    std::string deepChildren;
    for (int i = 0; i < 100000; ++i)
        deepChildren += R"({"children": {"c": )";
    deepChildren += "{}";
    for (int i = 0; i < 100000; ++i)
        deepChildren += "}}";
    EXPECT_FALSE(loads(document(R"({"A": )" + deepChildren + "}")));
    expectEmbedded();

    // Unbalanced: only openers.
    EXPECT_FALSE(loads(std::string(1000000, '{')));
    expectEmbedded();

    // Brackets inside strings do not count toward the depth.
    EXPECT_TRUE(
        loads(document(R"({"A": {"assets": {"image": ")" + std::string(1000, '[') + R"("}}})")));
}

TEST_F(LayoutTest, ModerateNestingIsFine)
{
    std::string children = R"({"bounds": {"x": 1, "y": 1, "w": 1, "h": 1}})";
    std::string name = "A";
    for (int i = 0; i < 20; ++i)
    {
        children = R"({"children": {"c": )" + children + "}}";
        name += "-c";
    }
    ASSERT_TRUE(loads(document(R"({"A": )" + children + "}")));
    EXPECT_EQ(layout->boundsByName.at(name), Rect(1, 1, 1, 1));
}

TEST_F(LayoutTest, BinaryAndOddTextFallsBack)
{
    std::string binary = "{";
    for (int i = 0; i < 5000; ++i)
        binary.push_back(static_cast<char>((i * 37 + 11) & 0xff));
    EXPECT_FALSE(loads(binary));
    EXPECT_FALSE(loads(std::string("{\0\"Constants\"", 13)));
    EXPECT_FALSE(loads(document(R"({"A": {"bounds": {"x": 1e400, "y": 1, "w": 1, "h": 1}}})")));
    expectEmbedded();
}

// ---------------------------------------------------------------- dropped files

TEST_F(LayoutTest, DroppedValidFileIsLoadedAndWatched)
{
    const auto file = writeFile(
        "good.json", document(R"({"Wet Knob": {"bounds": {"x": 5, "y": 6, "w": 7, "h": 8}}})"));
    setTime(file, 1600000000, 123456789);
    EXPECT_TRUE(drop(file));
    EXPECT_EQ(counter.count, 1);
    EXPECT_EQ(layout->boundsByName.at("Wet Knob"), Rect(5, 6, 7, 8));
    EXPECT_EQ(layout->uiWidth, 500);
    ASSERT_NE(storage->layoutWatch, nullptr);
    EXPECT_EQ(storage->layoutWatch->path, file.getFullPathName().toStdString());
    EXPECT_EQ(storage->layoutWatch->modificationTime, 1600000000LL * 1000000000LL + 123456789LL);
}

TEST_F(LayoutTest, DroppedFilesThatAreRefused)
{
    const std::string valid = document("");
    const std::string noType = R"({"Constants": {)" + std::string(requiredConstants) + "}}";
    std::string binary;
    for (int i = 0; i < 3000; ++i)
        binary.push_back(static_cast<char>((i * 53 + 1) & 0xff));
    const struct
    {
        const char* name;
        std::string content;
    } refused[] = {
        {"empty.json", ""},
        {"space.json", " " + valid},
        {"array.json", "[" + valid + "]"},
        {"binary.png", binary},
        {"brace-binary.bin", "{" + binary},
        {"syntax.json", "{\"FileType\": \"LAYOUT\", "},
        {"notype.json", noType},
        {"lower.json",
         R"({"FileType": "layout", "Constants": {)" + std::string(requiredConstants) + "}}"},
        {"number.json", R"({"FileType": 5})"},
        {"null.json", R"({"FileType": null})"},
        {"deep.json", R"({"FileType": "LAYOUT", "x": )" + std::string(100000, '[') +
                          std::string(100000, ']') + "}"},
        {"huge.json",
         R"({"FileType": "LAYOUT", "pad": ")" + std::string(Layout::maxFileBytes, ' ') + "\"}"},
    };
    for (const auto& entry : refused)
    {
        const auto file = writeFile(entry.name, entry.content);
        EXPECT_FALSE(drop(file)) << entry.name;
        EXPECT_EQ(counter.count, 0) << entry.name;
        EXPECT_EQ(storage->layoutWatch, nullptr) << entry.name;
        expectEmbedded();
    }

    EXPECT_FALSE(layout->loadDroppedFiles({}));
    EXPECT_FALSE(layout->loadDroppedFiles(juce::StringArray("")));
    EXPECT_FALSE(layout->loadDroppedFiles(juce::StringArray("relative/layout.json")));
    EXPECT_FALSE(drop(folder.getChildFile("missing.json")));
    EXPECT_FALSE(drop(folder)); // a folder
    EXPECT_EQ(storage->layoutWatch, nullptr);
}

TEST_F(LayoutTest, RefusedDropKeepsTheCurrentWatch)
{
    const auto good = writeFile("good.json", document(""));
    ASSERT_TRUE(drop(good));
    const auto bad = writeFile("bad.json", "nope");
    EXPECT_FALSE(drop(bad));
    ASSERT_NE(storage->layoutWatch, nullptr);
    EXPECT_EQ(storage->layoutWatch->path, good.getFullPathName().toStdString());
    EXPECT_EQ(layout->uiWidth, 500);
}

TEST_F(LayoutTest, OnlyTheFirstDroppedFileCounts)
{
    const auto bad = writeFile("bad.json", "not a layout");
    const auto good = writeFile("good.json", document(""));
    EXPECT_FALSE(
        layout->loadDroppedFiles(juce::StringArray(bad.getFullPathName(), good.getFullPathName())));
    EXPECT_EQ(storage->layoutWatch, nullptr);
    EXPECT_TRUE(
        layout->loadDroppedFiles(juce::StringArray(good.getFullPathName(), bad.getFullPathName())));
    EXPECT_EQ(storage->layoutWatch->path, good.getFullPathName().toStdString());
}

TEST_F(LayoutTest, DroppedLayoutWithWrongTypesIsWatchedButFallsBack)
{
    const auto file =
        writeFile("types.json", R"({"FileType": "LAYOUT", "Constants": {"UI WIDTH": "wide"}})");
    EXPECT_TRUE(drop(file));
    EXPECT_EQ(counter.count, 2);
    EXPECT_EQ(layout->statusMessage, "Failed to load file, reset");
    expectEmbedded();
    ASSERT_NE(storage->layoutWatch, nullptr);
}

TEST_F(LayoutTest, DroppedFileWithByteOrderMarkIsAccepted)
{
    const auto file = writeFile("bom.json", "\xEF\xBB\xBF" + document(""));
    EXPECT_TRUE(drop(file));
    EXPECT_EQ(layout->uiWidth, 500);
}

// ---------------------------------------------------------------- the watch

TEST_F(LayoutTest, ReloadsWhenTheFileChanges)
{
    const auto file = writeFile("watched.json",
                                document(R"({"A": {"bounds": {"x": 1, "y": 1, "w": 1, "h": 1}}})"));
    setTime(file, 1700000000, 0);
    ASSERT_TRUE(drop(file));

    counter.count = 0;
    layout->timerCallback(); // unchanged: nothing happens
    EXPECT_EQ(counter.count, 0);

    writeFile("watched.json", document(R"({"A": {"bounds": {"x": 2, "y": 2, "w": 2, "h": 2}}})"));
    setTime(file, 1700000000, 250000000);
    layout->timerCallback();
    EXPECT_EQ(counter.count, 1);
    EXPECT_EQ(layout->boundsByName.at("A"), Rect(2, 2, 2, 2));
    EXPECT_EQ(storage->layoutWatch->modificationTime, 1700000000LL * 1000000000LL + 250000000LL);

    layout->timerCallback();
    EXPECT_EQ(counter.count, 1);
}

TEST_F(LayoutTest, ReloadsWhenOnlyWholeSecondsDiffer)
{
    // Whole-second timestamps (as on many file systems): the nanoseconds are 0 every time.
    const auto file = writeFile("seconds.json",
                                document(R"({"A": {"bounds": {"x": 1, "y": 1, "w": 1, "h": 1}}})"));
    setTime(file, 1700000000, 0);
    ASSERT_TRUE(drop(file));

    writeFile("seconds.json", document(R"({"A": {"bounds": {"x": 3, "y": 3, "w": 3, "h": 3}}})"));
    setTime(file, 1700000001, 0);
    counter.count = 0;
    layout->timerCallback();
    EXPECT_EQ(counter.count, 1);
    EXPECT_EQ(layout->boundsByName.at("A"), Rect(3, 3, 3, 3));

    // Same sub-second part, whole seconds apart.
    writeFile("seconds.json", document(R"({"A": {"bounds": {"x": 4, "y": 4, "w": 4, "h": 4}}})"));
    setTime(file, 1700000000, 0); // even backwards in time
    layout->timerCallback();
    EXPECT_EQ(layout->boundsByName.at("A"), Rect(4, 4, 4, 4));
}

TEST_F(LayoutTest, SameTimeMeansNoReload)
{
    const auto file =
        writeFile("same.json", document(R"({"A": {"bounds": {"x": 1, "y": 1, "w": 1, "h": 1}}})"));
    setTime(file, 1700000000, 42);
    ASSERT_TRUE(drop(file));
    writeFile("same.json", document(R"({"A": {"bounds": {"x": 9, "y": 9, "w": 9, "h": 9}}})"));
    setTime(file, 1700000000, 42);
    counter.count = 0;
    layout->timerCallback();
    EXPECT_EQ(counter.count, 0);
    EXPECT_EQ(layout->boundsByName.at("A"), Rect(1, 1, 1, 1));
}

TEST_F(LayoutTest, InvalidSaveShowsEmbeddedAndTheFixRestores)
{
    const auto file =
        writeFile("edit.json", document(R"({"A": {"bounds": {"x": 1, "y": 1, "w": 1, "h": 1}}})"));
    setTime(file, 1700000000, 0);
    ASSERT_TRUE(drop(file));

    writeFile("edit.json",
              document(R"({"A": {"bounds": {"x": 1, "y": 1, "w": 1, "h": 1)")); // syntax error
    setTime(file, 1700000010, 0);
    counter.count = 0;
    layout->timerCallback();
    EXPECT_EQ(counter.count, 2);
    expectEmbedded();

    writeFile("edit.json", document(R"({"A": {"bounds": {"x": 7, "y": 7, "w": 7, "h": 7}}})"));
    setTime(file, 1700000020, 0);
    layout->timerCallback();
    EXPECT_EQ(layout->boundsByName.at("A"), Rect(7, 7, 7, 7));
    EXPECT_TRUE(layout->statusMessage.empty());
}

TEST_F(LayoutTest, ReloadSkipsTheFirstCharacterAndFileTypeTests)
{
    const auto file = writeFile("edit.json", document(""));
    setTime(file, 1700000000, 0);
    ASSERT_TRUE(drop(file));
    writeFile("edit.json", "  " + std::string(R"({"Constants": {)") + requiredConstants +
                               R"(, "UI WIDTH": 321}})");
    setTime(file, 1700000001, 0);
    layout->timerCallback();
    EXPECT_EQ(layout->uiWidth, 321);
}

TEST_F(LayoutTest, MissingFileIsSkippedAndStaysWatched)
{
    const auto file =
        writeFile("gone.json", document(R"({"A": {"bounds": {"x": 1, "y": 1, "w": 1, "h": 1}}})"));
    setTime(file, 1700000000, 0);
    ASSERT_TRUE(drop(file));
    const auto path = file.getFullPathName().toStdString();

    // Moved away: nothing is reloaded, nothing falls back, the watch stays.
    const auto moved = folder.getChildFile("moved.json");
    ASSERT_TRUE(file.moveFileTo(moved));
    counter.count = 0;
    for (int i = 0; i < 3; ++i)
        layout->timerCallback();
    EXPECT_EQ(counter.count, 0);
    EXPECT_EQ(layout->boundsByName.at("A"), Rect(1, 1, 1, 1));
    ASSERT_NE(storage->layoutWatch, nullptr);
    EXPECT_EQ(storage->layoutWatch->path, path);
    EXPECT_EQ(storage->layoutWatch->modificationTime, 1700000000LL * 1000000000LL);

    // It comes back with new content and a new time: reloaded.
    writeFile("gone.json", document(R"({"A": {"bounds": {"x": 8, "y": 8, "w": 8, "h": 8}}})"));
    setTime(file, 1700000005, 0);
    layout->timerCallback();
    EXPECT_EQ(counter.count, 1);
    EXPECT_EQ(layout->boundsByName.at("A"), Rect(8, 8, 8, 8));
}

TEST_F(LayoutTest, WatchedFileGrownHugeFallsBack)
{
    const auto file = writeFile("grow.json", document(""));
    setTime(file, 1700000000, 0);
    ASSERT_TRUE(drop(file));
    writeFile("grow.json", document("") + std::string(Layout::maxFileBytes, ' '));
    setTime(file, 1700000001, 0);
    counter.count = 0;
    layout->timerCallback();
    EXPECT_EQ(counter.count, 2);
    expectEmbedded();
    EXPECT_NE(storage->layoutWatch, nullptr);
}

TEST_F(LayoutTest, TheWatchOutlivesTheReader)
{
    const auto file = writeFile("shared.json",
                                document(R"({"A": {"bounds": {"x": 1, "y": 1, "w": 1, "h": 1}}})"));
    setTime(file, 1700000000, 0);
    ASSERT_TRUE(drop(file));
    layout.reset();

    // A new editor's reader starts from the embedded layout and does not reload an unchanged file.
    Layout next(storage);
    ChangeCounter nextCounter;
    next.changed.connect(&nextCounter, &ChangeCounter::onChanged);
    EXPECT_EQ(next.uiWidth, 808);
    next.timerCallback();
    EXPECT_EQ(nextCounter.count, 0);
    EXPECT_EQ(next.uiWidth, 808);

    setTime(file, 1700000001, 0);
    next.timerCallback();
    EXPECT_EQ(nextCounter.count, 1);
    EXPECT_EQ(next.uiWidth, 500);
}

TEST_F(LayoutTest, ModificationTimeHelper)
{
    const auto file = writeFile("t.json", "{}");
    setTime(file, 1234567890, 987654321);
    const auto time = layoutFileModificationTime(file.getFullPathName().toStdString());
    ASSERT_TRUE(time.has_value());
    EXPECT_EQ(*time, 1234567890LL * 1000000000LL + 987654321LL);
    EXPECT_FALSE(
        layoutFileModificationTime(folder.getChildFile("none").getFullPathName().toStdString()));
    EXPECT_FALSE(layoutFileModificationTime(""));
}

// ---------------------------------------------------------------- apply

namespace
{

struct Editorish
{
    Editorish()
    {
        knob = std::make_unique<TextureKnob>(&parameter, 0.5f, 0.01f);
        knob->setName("Wet Knob");
        button = std::make_unique<TallowImageButton>("Shift In Feedback", "Shift In Feedback",
                                                     nullptr, true);
        background.setName("Background");
        area.setName("Boring Area");
        buildString.setName("Build String");
        stranger.setName("Stranger");
        stranger.setBounds(3, 4, 5, 6);
        area.addAndMakeVisible(buildString);
        parent.addAndMakeVisible(background);
        parent.addAndMakeVisible(*knob);
        parent.addAndMakeVisible(*button);
        parent.addAndMakeVisible(area);
        parent.addAndMakeVisible(stranger);
    }

    juce::AudioParameterFloat parameter{juce::ParameterID{"wet", 1}, "Wet", 0.0f, 1.0f, 0.5f};
    juce::Component parent;
    juce::ImageComponent background;
    std::unique_ptr<TextureKnob> knob;
    std::unique_ptr<TallowImageButton> button;
    juce::Component area;
    juce::Label buildString;
    juce::Component stranger;
};

} // namespace

TEST_F(LayoutTest, ApplyEmbeddedLayout)
{
    Editorish editor;
    layout->apply(&editor.parent, true, "");
    EXPECT_EQ(editor.parent.getBounds(), Rect(0, 0, 808, 712));
    EXPECT_EQ(editor.background.getBounds(), Rect(0, 0, 808, 712));
    EXPECT_EQ(editor.knob->getBounds(), Rect(457, 82, 72, 72));
    EXPECT_EQ(editor.knob->imagePosition, juce::Point<int>(0, 0));
    ASSERT_TRUE(editor.knob->filmstripImage.isValid());
    EXPECT_EQ(editor.knob->frameCount, 91);
    EXPECT_EQ(editor.knob->frameWidth, 72);
    EXPECT_EQ(editor.knob->frameHeight, 72);
    EXPECT_EQ(editor.area.getBounds(), Rect(0, 616, 808, 76));
    EXPECT_EQ(editor.buildString.getBounds(), Rect(5, 40, 100, 12));
    EXPECT_EQ(editor.stranger.getBounds(), Rect(3, 4, 5, 6)); // no entry: keeps its bounds

    // The button takes the size of its "unset" image at the bounds position.
    const auto unset = juce::ImageCache::getFromMemory(getAsset("shiftstyle_off.png").data,
                                                       getAsset("shiftstyle_off.png").size);
    ASSERT_TRUE(unset.isValid());
    EXPECT_EQ(editor.button->getPosition(), juce::Point<int>(553, 298));
    EXPECT_EQ(editor.button->getWidth(), unset.getWidth());
    EXPECT_EQ(editor.button->getHeight(), unset.getHeight());
    EXPECT_TRUE(editor.button->getNormalImage().isValid());
    EXPECT_TRUE(editor.button->getDownImage().isValid());
    EXPECT_TRUE(editor.button->getOverImage().isValid()); // "over" absent: the "unset" image

    // A second apply changes nothing.
    layout->apply(&editor.parent, true, "");
    EXPECT_EQ(editor.knob->getBounds(), Rect(457, 82, 72, 72));
}

TEST_F(LayoutTest, ApplyKnobWithHitboxEnclosingTheBounds)
{
    ASSERT_TRUE(loads(document(R"({"Wet Knob": {"bounds": {"x": 100, "y": 100, "w": 72, "h": 72},
                                                "hitbox": {"x": 90, "y": 80, "w": 100, "h": 120},
                                                "assets": {"filmstrip": "knob_filmstrip_72x72.png"}}})")));
    Editorish editor;
    layout->apply(&editor.parent, true, "");
    EXPECT_EQ(editor.parent.getBounds(), Rect(0, 0, 500, 400));
    EXPECT_EQ(editor.knob->getBounds(), Rect(90, 80, 100, 120));
    EXPECT_EQ(editor.knob->imagePosition, juce::Point<int>(10, 20));
    EXPECT_EQ(editor.knob->frameHeight, 72);
}

TEST_F(LayoutTest, ApplyKnobWithHitboxInsideTheBounds)
{
    ASSERT_TRUE(loads(document(R"({"Wet Knob": {"bounds": {"x": 100, "y": 100, "w": 72, "h": 72},
                                                "hitbox": {"x": 110, "y": 110, "w": 10, "h": 10}}})")));
    Editorish editor;
    editor.knob->imagePosition = {4, 4};
    layout->apply(&editor.parent, false, "");
    EXPECT_EQ(editor.knob->getBounds(), Rect(100, 100, 72, 72));
    EXPECT_EQ(editor.knob->imagePosition, juce::Point<int>(0, 0));
    EXPECT_FALSE(editor.knob->filmstripImage.isValid()); // no filmstrip named
}

TEST_F(LayoutTest, ApplyKnobKeepsItsImageWhenTheFilmstripIsNotEmbedded)
{
    Editorish editor;
    layout->apply(&editor.parent, true, "");
    ASSERT_TRUE(editor.knob->filmstripImage.isValid());
    ASSERT_TRUE(loads(document(R"({"Wet Knob": {"bounds": {"x": 1, "y": 1, "w": 72, "h": 72},
                                                "assets": {"filmstrip": "no_such_file.png"}}})")));
    layout->apply(&editor.parent, true, "");
    EXPECT_TRUE(editor.knob->filmstripImage.isValid());
    EXPECT_EQ(editor.knob->frameHeight, 72);
}

TEST_F(LayoutTest, ApplyFilmstripHeightNotAMultipleOf91)
{
    ASSERT_TRUE(loads(document(R"({"Wet Knob": {"bounds": {"x": 1, "y": 1, "w": 72, "h": 72},
                                                "assets": {"filmstrip": "background.png"}}})")));
    Editorish editor;
    layout->apply(&editor.parent, true, "");
    ASSERT_TRUE(editor.knob->filmstripImage.isValid());
    EXPECT_EQ(editor.knob->frameHeight, editor.knob->filmstripImage.getHeight() / 91);
    EXPECT_EQ(editor.knob->frameWidth, editor.knob->filmstripImage.getWidth());
}

TEST_F(LayoutTest, ApplyButtonHitbox)
{
    ASSERT_TRUE(
        loads(document(R"({"Shift In Feedback": {"bounds": {"x": 0, "y": 0, "w": 59, "h": 52},
                                                          "hitbox": {"x": 10, "y": 10, "w": 20, "h": 20}}})")));
    Editorish editor;
    layout->apply(&editor.parent, true, "");
    EXPECT_EQ(editor.button->getBounds(), Rect(0, 0, 59, 52)); // no assets: no setImages, no resize
    EXPECT_FALSE(editor.button->hitTest(5, 5));
    EXPECT_TRUE(editor.button->hitTest(10, 10));
    EXPECT_TRUE(editor.button->hitTest(29, 29));
    EXPECT_FALSE(editor.button->hitTest(30, 30));
}

TEST_F(LayoutTest, ApplyButtonHitboxWithOffsetBounds)
{
    ASSERT_TRUE(
        loads(document(R"({"Shift In Feedback": {"bounds": {"x": 100, "y": 200, "w": 59, "h": 52},
                                                          "hitbox": {"x": 110, "y": 210, "w": 20, "h": 20},
                                                          "assets": {"unset": "shiftstyle_off.png",
                                                                     "set": "shiftstyle_on.png",
                                                                     "over": "shiftstyle_on.png"}}})")));
    Editorish editor;
    layout->apply(&editor.parent, true, "");
    EXPECT_EQ(editor.button->getPosition(), juce::Point<int>(100, 200));
    EXPECT_FALSE(editor.button->hitTest(0, 0));
    EXPECT_TRUE(editor.button->hitTest(10, 10));
    EXPECT_FALSE(editor.button->hitTest(30, 30));
    EXPECT_TRUE(editor.button->getOverImage().isValid());
}

TEST_F(LayoutTest, ApplyWithPrefixAndNullParent)
{
    layout->apply(nullptr, true, "");
    juce::Component area, child;
    child.setName("Build String");
    area.addAndMakeVisible(child);
    layout->apply(&area, false, "Boring Area");
    EXPECT_EQ(child.getBounds(), Rect(5, 40, 100, 12));
    EXPECT_EQ(area.getBounds(), Rect()); // setParentSize false
}

TEST_F(LayoutTest, ApplyExtremeValuesDoesNotCrash)
{
    ASSERT_TRUE(loads(document(
        R"({"Wet Knob": {"bounds": {"x": 2147483647, "y": -2147483648, "w": 2147483647, "h": -5},
                                                "hitbox": {"x": -2147483648, "y": -2147483648, "w": 2147483647, "h": 2147483647}},
                                   "Background": {"bounds": {"x": -2147483648, "y": 0, "w": 0, "h": 0},
                                                  "assets": {"image": "background.png"}}})",
        R"("UI WIDTH": 0, "UI HEIGHT": -3)")));
    Editorish editor;
    layout->apply(&editor.parent, true, "");
    EXPECT_TRUE(editor.background.getImage().isValid());
    SUCCEED();
}
