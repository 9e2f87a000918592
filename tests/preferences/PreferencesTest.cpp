#include "preferences/Preferences.h"

#include <juce_core/juce_core.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace
{

/** Points HOME at a fresh temporary folder for one test, so that the user's real application-data
    folder is never touched; JUCE resolves the folder from HOME on every call. */
class PreferencesTest : public testing::Test
{
protected:
    void SetUp() override
    {
        if (const char* existing = std::getenv("HOME"))
        {
            hadHome = true;
            savedHome = existing;
        }
        home = juce::File::getSpecialLocation(juce::File::tempDirectory)
                   .getNonexistentChildFile("quillmere_prefs_test", "", false);
        ASSERT_TRUE(home.createDirectory());
        ::setenv("HOME", home.getFullPathName().toRawUTF8(), 1);
    }

    void TearDown() override
    {
        if (hadHome)
            ::setenv("HOME", savedHome.c_str(), 1);
        else
            ::unsetenv("HOME");
        home.deleteRecursively();
    }

    juce::File prefsFile() const { return juce::File(juce::String(preferencesFilePath())); }

    void write(const std::string& content) const
    {
        ASSERT_TRUE(prefsFile().getParentDirectory().createDirectory());
        ASSERT_TRUE(prefsFile().replaceWithData(content.data(), content.size()));
    }

    /** Reads FIRSTLAUNCH into a value that starts at -12345. */
    bool read(int& value) const
    {
        value = -12345;
        return readPreference("FIRSTLAUNCH", &value);
    }

    juce::MemoryBlock bytes() const
    {
        juce::MemoryBlock block;
        prefsFile().loadFileAsData(block);
        return block;
    }

    juce::File home;
    std::string savedHome;
    bool hadHome = false;
};

} // namespace

TEST_F(PreferencesTest, PathIsInTheApplicationDataFolder)
{
    const auto expected = juce::File::getSpecialLocation(juce::File::userApplicationDataDirectory)
                              .getFullPathName()
                              .toStdString() +
                          "/Tallowbark/Orrery_pref.json";
    EXPECT_EQ(preferencesFilePath(), expected);
    EXPECT_EQ(preferencesFilePath().rfind(home.getFullPathName().toStdString(), 0), 0u);
}

TEST_F(PreferencesTest, FirstReadCreatesFolderAndEmptyFile)
{
    EXPECT_FALSE(prefsFile().getParentDirectory().exists());
    int value;
    EXPECT_FALSE(read(value));
    EXPECT_EQ(value, -12345);
    EXPECT_TRUE(prefsFile().existsAsFile());
    EXPECT_EQ(prefsFile().getSize(), 0);
}

TEST_F(PreferencesTest, EmptyFileReadsAsAbsentAndStaysEmpty)
{
    write("");
    int value;
    EXPECT_FALSE(read(value));
    EXPECT_FALSE(read(value));
    EXPECT_EQ(value, -12345);
    EXPECT_EQ(prefsFile().getSize(), 0);
}

TEST_F(PreferencesTest, ValuesAsTable)
{
    struct Row
    {
        const char* content;
        bool found;
        int value;
    };
    const Row rows[] = {
        {R"({"FIRSTLAUNCH": 1})", true, 1},
        {R"({"FIRSTLAUNCH": 0})", true, 0},
        {R"({"FIRSTLAUNCH": -7})", true, -7},
        {R"({"FIRSTLAUNCH": 2.9})", true, 2},
        {R"({"FIRSTLAUNCH": -2.9})", true, -2},
        {R"({"FIRSTLAUNCH": true})", true, 1},
        {R"({"FIRSTLAUNCH": false})", true, 0},
        {R"({"FIRSTLAUNCH": 2147483647})", true, 2147483647},
        {R"({"FIRSTLAUNCH": -2147483648})", true, -2147483647 - 1},
        {R"({"OTHER": 3, "FIRSTLAUNCH": 4})", true, 4},
        {R"({"FIRSTLAUNCH": "1"})", false, 0},
        {R"({"FIRSTLAUNCH": null})", false, 0},
        {R"({"FIRSTLAUNCH": [1]})", false, 0},
        {R"({"FIRSTLAUNCH": {"a": 1}})", false, 0},
        {R"({"firstlaunch": 1})", false, 0},
        {R"({"FIRSTLAUNCH": 2147483648})", false, 0},
        {R"({"FIRSTLAUNCH": 18446744073709551615})", false, 0},
        {R"({"FIRSTLAUNCH": 1e300})", false, 0},
        {R"({"FIRSTLAUNCH": -1e300})", false, 0},
        {R"({"FIRSTLAUNCH": 1e400})", false, 0},
        {R"([{"FIRSTLAUNCH": 1}])", false, 0},
        {R"("FIRSTLAUNCH")", false, 0},
        {R"(17)", false, 0},
        {R"({"FIRSTLAUNCH": 1)", false, 0},
        {R"({"FIRSTLAUNCH": 1} trailing)", false, 0},
        {"not json at all", false, 0},
        {"\xEF\xBB\xBF{\"FIRSTLAUNCH\": 5}", true, 5},
    };
    for (const auto& row : rows)
    {
        write(row.content);
        int value;
        const bool found = read(value);
        EXPECT_EQ(found, row.found) << row.content;
        EXPECT_EQ(value, row.found ? row.value : -12345) << row.content;
        EXPECT_EQ(bytes().toString().toStdString(), std::string(row.content)) << "file changed";
    }
}

TEST_F(PreferencesTest, OtherKeys)
{
    write(R"({"A": 1, "": 2, "B B": 3.5})");
    int value = 0;
    EXPECT_TRUE(readPreference("", &value));
    EXPECT_EQ(value, 2);
    EXPECT_TRUE(readPreference("B B", &value));
    EXPECT_EQ(value, 3);
    EXPECT_FALSE(readPreference("C", &value));
    EXPECT_EQ(value, 3);
    EXPECT_TRUE(readPreference("A", nullptr));
}

TEST_F(PreferencesTest, BinaryContentReadsAsAbsentAndIsNotTouched)
{
    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary.push_back(static_cast<char>((i * 131 + 7) & 0xff));
    write(binary);
    int value;
    EXPECT_FALSE(read(value));
    EXPECT_EQ(value, -12345);
    const auto after = bytes();
    ASSERT_EQ(after.getSize(), binary.size());
    EXPECT_EQ(std::string(static_cast<const char*>(after.getData()), after.getSize()), binary);
}

TEST_F(PreferencesTest, DeepNestingReadsAsAbsent)
{
    std::string deep = "{\"FIRSTLAUNCH\": 1, \"x\": ";
    deep += std::string(200000, '[') + std::string(200000, ']') + "}";
    write(deep);
    int value;
    EXPECT_FALSE(read(value));
    // Moderate nesting elsewhere in the document is fine.
    write(R"({"x": [[[[{"y": [1]}]]]], "FIRSTLAUNCH": 9})");
    EXPECT_TRUE(read(value));
    EXPECT_EQ(value, 9);
}

TEST_F(PreferencesTest, HugeFileReadsAsAbsent)
{
    std::string huge = "{\"FIRSTLAUNCH\": 1, \"pad\": \"" + std::string(3 << 20, 'x') + "\"}";
    write(huge);
    int value;
    EXPECT_FALSE(read(value));
    EXPECT_EQ(prefsFile().getSize(), static_cast<juce::int64>(huge.size()));
}

TEST_F(PreferencesTest, FileThatIsAFolderReadsAsAbsent)
{
    ASSERT_TRUE(prefsFile().createDirectory());
    int value;
    EXPECT_FALSE(read(value));
    EXPECT_TRUE(prefsFile().isDirectory());
}

TEST_F(PreferencesTest, FolderThatCannotBeCreatedReadsAsAbsent)
{
    // A plain file where the folder "Tallowbark" should be: the folder cannot be made (even as
    // root, unlike a read-only folder).
    const auto blocker = prefsFile().getParentDirectory();
    ASSERT_TRUE(blocker.getParentDirectory().createDirectory());
    ASSERT_TRUE(blocker.replaceWithText("not a folder"));
    int value;
    EXPECT_FALSE(read(value));
    EXPECT_EQ(value, -12345);
    EXPECT_TRUE(blocker.existsAsFile());
    EXPECT_EQ(blocker.loadFileAsString(), "not a folder");
}

TEST_F(PreferencesTest, ReadingNeverChangesTheFileOrItsTime)
{
    write(R"({"FIRSTLAUNCH": 1})");
    const auto when = juce::Time(2001, 0, 1, 0, 0);
    ASSERT_TRUE(prefsFile().setLastModificationTime(when));
    int value;
    EXPECT_TRUE(read(value));
    EXPECT_FALSE(readPreference("MISSING", &value));
    EXPECT_EQ(prefsFile().getLastModificationTime(), when);
    EXPECT_EQ(bytes().toString(), R"({"FIRSTLAUNCH": 1})");
}
