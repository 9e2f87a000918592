#pragma once

#include <cstdint>
#include <optional>
#include <string>

/** A layout file dropped on the editor, and its modification time when it was last read. Held by
    InstanceStorage::layoutWatch, so the watch outlives the editor.

    The whole modification time is recorded and compared, not only its sub-second part: saves
    whole seconds apart, and file systems with whole-second timestamps, are told apart. */
struct WatchedLayoutFile
{
    std::string path;
    /** Last-modification time in nanoseconds since the epoch (seconds and sub-second part). */
    std::int64_t modificationTime = 0;
};

/** The last-modification time of the file at path, in nanoseconds since the epoch, from stat();
    nothing when the file cannot be examined (missing, moved away, no permission). */
std::optional<std::int64_t> layoutFileModificationTime(const std::string& path);
