#pragma once

#include <string>
#include <unordered_map>

/** One embedded file: its bytes, which live for the whole process, and their number. */
struct AssetData
{
    const char* data = nullptr;
    int size = 0;
};

/** The embedded files by file name ("knob_filmstrip_72x72.png"), not by resource name. */
using AssetTable = std::unordered_map<std::string, AssetData>;

/** The process-wide table, built from BinaryData's name lists at the first call. */
AssetTable& getAssetTable();

/** True when a file of that exact name (case-sensitive) is embedded. */
bool hasAsset(const std::string& fileName);

/** The bytes of that file; call only after hasAsset answered true, since another name adds an empty entry. */
AssetData& getAsset(const std::string& fileName);
