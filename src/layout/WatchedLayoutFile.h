#pragma once

#include <cstdint>
#include <string>

/** A layout file dropped on the editor, and its modification time when it was last read. */
struct WatchedLayoutFile
{
    std::string path;
    /** Last-modification time in nanoseconds since the epoch (seconds and sub-second part). */
    std::int64_t modificationTime = 0;
};
