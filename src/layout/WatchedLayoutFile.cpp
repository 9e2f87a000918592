#include "layout/WatchedLayoutFile.h"

#include <cstdint>

#if defined(_WIN32)
#include <juce_core/juce_core.h>
#else
#include <sys/stat.h>
#endif

std::optional<std::int64_t> layoutFileModificationTime(const std::string& path)
{
    if (path.empty())
        return std::nullopt;

#if defined(_WIN32)
    // No nanoseconds from the C runtime's stat here; JUCE gives milliseconds.
    const juce::File file(juce::String::fromUTF8(path.c_str()));
    if (!file.existsAsFile())
        return std::nullopt;
    return static_cast<std::int64_t>(file.getLastModificationTime().toMilliseconds()) * 1000000;
#else
    struct stat info
    {
    };
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
#if defined(__APPLE__)
    const auto seconds = static_cast<std::uint64_t>(info.st_mtimespec.tv_sec);
    const auto nanoseconds = static_cast<std::uint64_t>(info.st_mtimespec.tv_nsec);
#else
    const auto seconds = static_cast<std::uint64_t>(info.st_mtim.tv_sec);
    const auto nanoseconds = static_cast<std::uint64_t>(info.st_mtim.tv_nsec);
#endif
    // Unsigned arithmetic: wraps instead of overflowing for times centuries away. The value is only
    // compared for equality, so that cannot matter.
    return static_cast<std::int64_t>(seconds * 1000000000u + nanoseconds);
#endif
}
