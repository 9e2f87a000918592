// A file dropped on the editor, then saved again while it is watched. The first part of the input
// is the dropped file, the rest its content after the save. A refused file changes nothing; an
// accepted one is watched, and its reload (which checks less than the drop) never fails hard.
#include "layout/Layout.h"
#include "processor/InstanceStorage.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

namespace
{
struct Fixture
{
    Fixture()
    {
        folder = juce::File::getSpecialLocation(juce::File::tempDirectory)
                     .getNonexistentChildFile("quillmere_fuzz_layout", "", false);
        if (!folder.createDirectory())
            std::abort();
    }
    ~Fixture() { folder.deleteRecursively(); }

    juce::ScopedJuceInitialiser_GUI juce;
    std::shared_ptr<InstanceStorage> storage = std::make_shared<InstanceStorage>();
    Layout layout{storage};
    const Layout::RectangleTable embeddedBounds = layout.boundsByName;
    juce::File folder;
    juce::File file = folder.getChildFile("dropped.json");
};

void write(const juce::File& file, const std::uint8_t* data, std::size_t size)
{
    if (!file.replaceWithData(data, size))
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Fixture fixture;
    auto& layout = fixture.layout;
    fixture.storage->layoutWatch.reset();
    layout.load(Layout::embeddedLayoutText());

    // Split where the input says, so both parts mutate freely.
    const std::size_t split = size == 0 ? 0 : data[0] % size;
    const auto* dropped = data + (size == 0 ? 0 : 1);
    const auto droppedSize = split == 0 ? 0 : split - 1;
    write(fixture.file, dropped, droppedSize);

    if (!layout.loadDroppedFiles({fixture.file.getFullPathName()}))
    {
        if (fixture.storage->layoutWatch != nullptr ||
            layout.boundsByName != fixture.embeddedBounds)
            std::abort();
        return 0;
    }
    if (fixture.storage->layoutWatch == nullptr ||
        fixture.storage->layoutWatch->path != fixture.file.getFullPathName().toStdString())
        std::abort();

    write(fixture.file, data + split, size - split);
    // Same-second saves can keep the time on coarse file systems; make sure the tick reloads.
    --fixture.storage->layoutWatch->modificationTime;
    layout.timerCallback();
    return 0;
}
