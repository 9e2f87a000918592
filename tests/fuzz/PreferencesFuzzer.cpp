// The preferences file, as any program or person may have left it. The first byte gives the length
// of the key to look up, taken from the input after it; the rest is the file. A read never throws,
// never changes the file, and gives the same answer twice.
#include "preferences/Preferences.h"

#include <juce_core/juce_core.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{
// The user's own folders are never touched: HOME points at a folder of our own for the whole run.
struct TemporaryHome
{
    TemporaryHome()
    {
        ::unsetenv("XDG_CONFIG_HOME");
        folder = juce::File::getSpecialLocation(juce::File::tempDirectory)
                     .getNonexistentChildFile("quillmere_fuzz_home", "", false);
        if (!folder.createDirectory())
            std::abort();
        ::setenv("HOME", folder.getFullPathName().toRawUTF8(), 1);
        file = juce::File(juce::String(preferencesFilePath()));
        if (!file.getFullPathName().startsWith(folder.getFullPathName()) ||
            !file.getParentDirectory().createDirectory())
            std::abort();
    }
    ~TemporaryHome() { folder.deleteRecursively(); }

    juce::File folder;
    juce::File file;
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static TemporaryHome home;

    const std::size_t keyLength = size == 0 ? 0 : std::min<std::size_t>(data[0], size - 1);
    const std::string key(reinterpret_cast<const char*>(data) + (size == 0 ? 0 : 1), keyLength);
    const auto* content = data + (size == 0 ? 0 : 1 + keyLength);
    const auto contentSize = size == 0 ? 0 : size - 1 - keyLength;
    if (!home.file.replaceWithData(content, contentSize))
        std::abort();

    int first = -1;
    int second = -2;
    const auto found = readPreference(key, &first);
    if (readPreference(key, &second) != found || (found && first != second) ||
        readPreference(key, nullptr) != found)
        std::abort();

    juce::MemoryBlock after;
    if (!home.file.loadFileAsData(after) || after.getSize() != contentSize ||
        (contentSize > 0 && std::memcmp(after.getData(), content, contentSize) != 0))
        std::abort();
    return 0;
}
