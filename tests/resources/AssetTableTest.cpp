#include "resources/AssetTable.h"

#include <BinaryData.h>

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <thread>
#include <vector>

namespace
{
// The embedded files by resource name and file name, in the generator's order.
const std::vector<std::pair<std::string, std::string>> expectedResources {
    { "InterUIBold_otf", "InterUIBold.otf" },
    { "PrintChar21_ttf", "PrintChar21.ttf" },
    { "background_png", "background.png" },
    { "knob_filmstrip_72x72_png", "knob_filmstrip_72x72.png" },
    { "layout_json", "layout.json" },
    { "delaycount_overlay_png", "delaycount_overlay.png" },
    { "shiftdisabled_overlay_png", "shiftdisabled_overlay.png" },
    { "shiftstyle_off_png", "shiftstyle_off.png" },
    { "shiftstyle_on_png", "shiftstyle_on.png" },
};
} // namespace

TEST(BinaryData, ListsTheNineFilesInTheDesignsOrder)
{
    ASSERT_EQ(BinaryData::namedResourceListSize, (int) expectedResources.size());
    for (int i = 0; i < BinaryData::namedResourceListSize; ++i)
    {
        EXPECT_STREQ(BinaryData::namedResourceList[i], expectedResources[(size_t) i].first.c_str()) << "index " << i;
        EXPECT_STREQ(BinaryData::originalFilenames[i], expectedResources[(size_t) i].second.c_str()) << "index " << i;
    }
}

TEST(BinaryData, FindsResourcesByResourceNameOnly)
{
    int size = -1;
    EXPECT_NE(BinaryData::getNamedResource("knob_filmstrip_72x72_png", size), nullptr);
    EXPECT_GT(size, 0);

    size = -1;
    EXPECT_EQ(BinaryData::getNamedResource("knob_filmstrip_72x72.png", size), nullptr) << "a file name is not a resource name";
    EXPECT_EQ(size, 0);

    size = -1;
    EXPECT_EQ(BinaryData::getNamedResource(nullptr, size), nullptr);
    EXPECT_EQ(size, 0);

    EXPECT_STREQ(BinaryData::getNamedResourceOriginalFilename("layout_json"), "layout.json");
    EXPECT_EQ(BinaryData::getNamedResourceOriginalFilename("layout.json"), nullptr);
}

TEST(AssetTable, HoldsEveryEmbeddedFileByFileName)
{
    const auto& table = getAssetTable();
    ASSERT_EQ(table.size(), expectedResources.size());
    for (const auto& [resourceName, fileName] : expectedResources)
    {
        ASSERT_TRUE(hasAsset(fileName)) << fileName;
        int size = 0;
        const char* data = BinaryData::getNamedResource(resourceName.c_str(), size);
        EXPECT_EQ(getAsset(fileName).data, data) << fileName << ": the table points into the array, it holds no copy";
        EXPECT_EQ(getAsset(fileName).size, size) << fileName;
    }
}

TEST(AssetTable, IsKeyedByExactFileNameOnly)
{
    EXPECT_TRUE(hasAsset("knob_filmstrip_72x72.png"));
    EXPECT_FALSE(hasAsset("knob_filmstrip_72x72_png")) << "resource names are not keys";
    EXPECT_FALSE(hasAsset("Knob_Filmstrip_72x72.png")) << "file names are case-sensitive";
    EXPECT_FALSE(hasAsset("LAYOUT.JSON"));
    EXPECT_FALSE(hasAsset(""));
}

TEST(AssetTable, GetAssetOfAnUnknownNameAddsAnEmptyEntry)
{
    const std::string unknown = "no_such_file_for_this_test.png";
    ASSERT_FALSE(hasAsset(unknown));
    const auto before = getAssetTable().size();

    const AssetData asset = getAsset(unknown);
    EXPECT_EQ(asset.data, nullptr);
    EXPECT_EQ(asset.size, 0);
    EXPECT_TRUE(hasAsset(unknown)) << "getAsset inserts the empty entry it returns";
    EXPECT_EQ(getAssetTable().size(), before + 1);

    getAssetTable().erase(unknown); // leave the process-wide table as the other tests expect it
}

TEST(AssetTable, IsOneTableBuiltOnceEvenWhenThreadsRaceForIt)
{
    std::vector<const AssetTable*> seen(8, nullptr);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < seen.size(); ++i)
        threads.emplace_back([&seen, i] { seen[i] = &getAssetTable(); });
    for (auto& thread : threads)
        thread.join();
    for (const auto* table : seen)
        EXPECT_EQ(table, &getAssetTable());
}
