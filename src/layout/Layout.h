#pragma once

// Layout reader: turns a layout description (JSON) into lookup tables by
// component name, places an editor's children by those tables, accepts a layout file dropped on the
// editor and reloads it whenever its modification time changes.

#include "signals/Signals.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>

struct InstanceStorage;

class Layout : public juce::Timer
{
public:
    using RectangleTable = std::unordered_map<std::string, juce::Rectangle<int>>;
    using AssetTableByName =
        std::unordered_map<std::string, std::unordered_map<std::string, std::string>>;

    /** Loads the embedded "layout.json" and starts the 62 ms watch timer. A null storage is
        replaced by a private one (the watch then lives only as long as this reader). */
    explicit Layout(std::shared_ptr<InstanceStorage> storage);
    ~Layout() override;

    /** Loads a layout description. On any invalid text the embedded description is loaded
        instead, statusMessage becomes "Failed to load file, reset" and `changed` is emitted twice;
        on success statusMessage is empty and `changed` is emitted once. Never throws. */
    void load(const std::string& text);

    /** Considers only the first path. Accepts it (loads it, watches it, returns true) when it is a
        readable file of at most maxFileBytes that begins with "{", parses as JSON no deeper than
        maxNestingDepth, and whose "FileType" is the string "LAYOUT". Otherwise returns false and
        changes nothing. */
    bool loadDroppedFiles(const juce::StringArray& files);

    /** Places every child of parent (recursively) by its full name. */
    void apply(juce::Component* parent, bool setParentSize, std::string prefix);

    /** The named constant, or 0 when the layout has none of that name. */
    int getConstant(const std::string& name) const;

    /** Reloads the watched file when its modification time (seconds and nanoseconds) changed; a
        file that cannot be examined is skipped and stays watched. */
    void timerCallback() override;

    /** The exact text of the embedded "layout.json". */
    static std::string embeddedLayoutText();

    /** Files larger than this are not layout descriptions (the embedded one is about 3 KiB). */
    static constexpr std::size_t maxFileBytes = 1 << 20;
    /** Documents whose objects and arrays nest deeper than this are refused before parsing (the
        embedded one nests 6 deep). This also bounds the reader's own recursion over "children". */
    static constexpr int maxNestingDepth = 64;
    static constexpr int watchIntervalMs = 62;
    static constexpr int filmstripFrames = 91;

    /** Emitted after every load. */
    Signals::Signal<void()> changed;

    std::shared_ptr<InstanceStorage> instanceStorage;

    RectangleTable boundsByName;
    RectangleTable hitboxByName;
    RectangleTable hoverAreas;
    AssetTableByName assetsByName;
    std::unordered_map<std::string, int> constants;

    /** Empty after a successful load; "Failed to load file, reset" after a fallback. */
    std::string statusMessage;

    int uiWidth = 100;
    int uiHeight = 100;

private:
    void loadText(const std::string& text, bool fallBackToEmbedded);

    JUCE_DECLARE_NON_COPYABLE(Layout)
};
