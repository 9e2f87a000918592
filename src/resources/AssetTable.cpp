#include "resources/AssetTable.h"

#include <BinaryData.h>

namespace
{
AssetTable buildAssetTable()
{
    AssetTable table;
    for (int index = 0; index < BinaryData::namedResourceListSize; ++index)
    {
        int size = 0;
        const char* data = BinaryData::getNamedResource(BinaryData::namedResourceList[index], size);
        table[BinaryData::originalFilenames[index]] = AssetData { data, size };
    }
    return table;
}
} // namespace

AssetTable& getAssetTable()
{
    // A function-local static: built once, also when two threads ask first at the same time.
    static AssetTable table = buildAssetTable();
    return table;
}

bool hasAsset(const std::string& fileName)
{
    return getAssetTable().count(fileName) != 0;
}

AssetData& getAsset(const std::string& fileName)
{
    return getAssetTable()[fileName];
}
