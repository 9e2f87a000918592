// Layout text: any text given to Layout::load either loads (no status, one `changed`) or falls back
// to the embedded description (the failure status, two `changed`), and never throws. What loaded
// is then applied to components named like the embedded layout's, as the editor does.
#include "layout/Layout.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace
{
struct ChangeCounter : Signals::Trackable
{
    void onChanged() { ++count; }
    int count = 0;
};

struct Fixture
{
    Fixture()
    {
        layout.changed.connect(&counter, &ChangeCounter::onChanged);
        for (const auto& [name, bounds] : layout.boundsByName)
        {
            children.push_back(std::make_unique<juce::Component>(name));
            parent.addAndMakeVisible(*children.back());
        }
    }

    juce::ScopedJuceInitialiser_GUI juce;
    Layout layout{nullptr};
    const Layout::RectangleTable embeddedBounds = layout.boundsByName;
    ChangeCounter counter;
    juce::Component parent;
    std::vector<std::unique_ptr<juce::Component>> children;
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Fixture fixture;
    auto& layout = fixture.layout;

    fixture.counter.count = 0;
    layout.load(std::string(reinterpret_cast<const char*>(data), size));

    if (layout.statusMessage.empty())
    {
        if (fixture.counter.count != 1)
            std::abort();
    }
    else if (layout.statusMessage != "Failed to load file, reset" || fixture.counter.count != 2 ||
             layout.boundsByName != fixture.embeddedBounds)
        std::abort();

    layout.apply(&fixture.parent, true, "");
    return 0;
}
