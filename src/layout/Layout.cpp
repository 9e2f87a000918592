#include "layout/Layout.h"

#include "controls/TallowImageButton.h"
#include "controls/TextureKnob.h"
#include "layout/WatchedLayoutFile.h"
#include "processor/InstanceStorage.h"
#include "resources/AssetTable.h"

#include <BinaryData.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <utility>

namespace
{

using json = nlohmann::json;

const char* const failedStatus = "Failed to load file, reset";

/** Raised for every rule that makes a layout document invalid. */
struct InvalidLayout : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

/** Parses text, or throws (syntax error, or nesting deeper than the limit). */
json parseLimited(const std::string& text)
{
    // The parse stops at the first level beyond the limit, before deep values are ever built.
    return json::parse(text,
                       [](int depth, json::parse_event_t, json&)
                       {
                           if (depth > Layout::maxNestingDepth)
                               throw InvalidLayout("nested too deep");
                           return true;
                       });
}

/** Layout integers: integral numbers as they are, fractions truncated toward zero, true 1,
    false 0. Anything else, and any number outside the range of int, makes the document invalid. */
int readInt(const json& value)
{
    constexpr auto lowest = std::numeric_limits<int>::min();
    constexpr auto highest = std::numeric_limits<int>::max();
    switch (value.type())
    {
    case json::value_t::boolean:
        return value.get<bool>() ? 1 : 0;
    case json::value_t::number_integer:
    {
        const auto v = value.get<std::int64_t>();
        if (v >= lowest && v <= highest)
            return static_cast<int>(v);
        break;
    }
    case json::value_t::number_unsigned:
    {
        const auto v = value.get<std::uint64_t>();
        if (v <= static_cast<std::uint64_t>(highest))
            return static_cast<int>(v);
        break;
    }
    case json::value_t::number_float:
    {
        const double t = std::trunc(value.get<double>());
        if (std::isfinite(t) && t >= static_cast<double>(lowest) &&
            t <= static_cast<double>(highest))
            return static_cast<int>(t);
        break;
    }
    default:
        break;
    }
    throw InvalidLayout("not an integer");
}

const json& requireMember(const json& object, const char* name)
{
    const auto found = object.find(name);
    if (found == object.end())
        throw InvalidLayout(std::string("missing member ") + name);
    return *found;
}

juce::Rectangle<int> readRectangle(const json& value)
{
    if (!value.is_object())
        throw InvalidLayout("rectangle is not an object");
    return {readInt(requireMember(value, "x")), readInt(requireMember(value, "y")),
            readInt(requireMember(value, "w")), readInt(requireMember(value, "h"))};
}

/** Members of an object in ascending byte order of their names (nlohmann's std::map order); the
    elements of an array as members named "0", "1", ...; null as no members; any other value as one
    member with the empty name. */
template <typename Function>
void forEachMember(const json& value, Function&& function)
{
    if (value.is_object())
    {
        for (auto it = value.begin(); it != value.end(); ++it)
            function(it.key(), it.value());
    }
    else if (value.is_array())
    {
        std::size_t index = 0;
        for (const auto& element : value)
            function(std::to_string(index++), element);
    }
    else if (!value.is_null())
    {
        function(std::string(), value);
    }
}

/** The tables of one document, filled completely before any of them reaches the reader. */
struct ParsedLayout
{
    Layout::RectangleTable bounds, hitboxes, hovers;
    Layout::AssetTableByName assets;
    std::unordered_map<std::string, int> constants;
    int width = 0, height = 0;
};

void parseComponent(ParsedLayout& parsed, const std::string& fullName, const json& value)
{
    if (parsed.bounds.count(fullName) != 0 || !value.is_object())
        return;

    bool hasBounds = false;
    juce::Rectangle<int> bounds;
    if (const auto found = value.find("bounds"); found != value.end())
    {
        bounds = readRectangle(*found);
        parsed.bounds[fullName] = bounds;
        hasBounds = true;
    }

    if (const auto found = value.find("hitbox"); found != value.end())
        parsed.hitboxes[fullName] = readRectangle(*found);
    else if (hasBounds)
        parsed.hitboxes[fullName] = bounds;

    if (const auto found = value.find("hover"); found != value.end())
        parsed.hovers[fullName] = readRectangle(*found);
    else if (hasBounds)
        parsed.hovers[fullName] = bounds;

    if (const auto found = value.find("assets"); found != value.end())
    {
        forEachMember(*found,
                      [&](const std::string& role, const json& fileName)
                      {
                          if (!fileName.is_string())
                              throw InvalidLayout("asset is not a string");
                          parsed.assets[fullName][role] = fileName.get<std::string>();
                      });
    }

    if (const auto found = value.find("children"); found != value.end())
    {
        forEachMember(*found, [&](const std::string& childName, const json& child)
                      { parseComponent(parsed, fullName + "-" + childName, child); });
    }
}

/** Parses a whole document , or throws. */
ParsedLayout parseLayout(const std::string& text)
{
    const json root = parseLimited(text);
    if (!root.is_object())
        throw InvalidLayout("root is not an object");

    ParsedLayout parsed;

    const json& constants = requireMember(root, "Constants");
    if (!constants.is_object())
        throw InvalidLayout("Constants is not an object");
    for (auto it = constants.begin(); it != constants.end(); ++it)
        parsed.constants[it.key()] = readInt(it.value());

    parsed.width = readInt(requireMember(constants, "UI WIDTH"));
    parsed.height = readInt(requireMember(constants, "UI HEIGHT"));
    (void)readInt(requireMember(constants, "UI BORING HEIGHT"));
    (void)readInt(requireMember(constants, "UI BANNER HEIGHT"));

    if (const auto components = root.find("Components"); components != root.end())
    {
        forEachMember(*components,
                      [&](const std::string& name, const json& entry)
                      {
                          parseComponent(parsed, name, entry);
                          if (entry.is_object())
                              if (const auto offset = entry.find("handle offset");
                                  offset != entry.end())
                                  parsed.constants[name + " handle offset"] = readInt(*offset);
                      });
    }
    return parsed;
}

/** Reads a file the way juce::File::loadFileAsString does (UTF-16 and UTF-8 byte-order marks
    handled), but refuses files larger than Layout::maxFileBytes. */
bool readLayoutFile(const juce::File& file, std::string& text)
{
    juce::FileInputStream stream(file);
    if (!stream.openedOk())
        return false;
    const auto length = stream.getTotalLength();
    if (length < 0 || static_cast<std::uint64_t>(length) > Layout::maxFileBytes)
        return false;
    juce::MemoryBlock block;
    stream.readIntoMemoryBlock(block, static_cast<ssize_t>(Layout::maxFileBytes) + 1);
    if (block.getSize() > Layout::maxFileBytes)
        return false;
    text = juce::String::createStringFromData(block.getData(), static_cast<int>(block.getSize()))
               .toStdString();
    return true;
}

juce::Image decodeAsset(const std::string& fileName)
{
    if (!hasAsset(fileName))
        return {};
    const AssetData& asset = getAsset(fileName);
    if (asset.data == nullptr || asset.size <= 0)
        return {};
    return juce::ImageCache::getFromMemory(asset.data, asset.size);
}

/** The file name that role names for fullName, or nothing. */
const std::string* assetFor(const Layout::AssetTableByName& assets, const std::string& fullName,
                            const std::string& role)
{
    const auto entry = assets.find(fullName);
    if (entry == assets.end())
        return nullptr;
    const auto found = entry->second.find(role);
    return found == entry->second.end() ? nullptr : &found->second;
}

int saturate(std::int64_t value)
{
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

/** Rectangle containment with 64-bit edges, so that extreme layout values cannot overflow. */
bool encloses(const juce::Rectangle<int>& outer, const juce::Rectangle<int>& inner)
{
    const std::int64_t outerRight = std::int64_t{outer.getX()} + outer.getWidth();
    const std::int64_t outerBottom = std::int64_t{outer.getY()} + outer.getHeight();
    const std::int64_t innerRight = std::int64_t{inner.getX()} + inner.getWidth();
    const std::int64_t innerBottom = std::int64_t{inner.getY()} + inner.getHeight();
    return outer.getX() <= inner.getX() && outer.getY() <= inner.getY() &&
           outerRight >= innerRight && outerBottom >= innerBottom;
}

} // namespace

Layout::Layout(std::shared_ptr<InstanceStorage> storage)
    : instanceStorage(storage != nullptr ? std::move(storage) : std::make_shared<InstanceStorage>())
{
    load(embeddedLayoutText());
    startTimer(watchIntervalMs);
}

Layout::~Layout()
{
    stopTimer();
}

std::string Layout::embeddedLayoutText()
{
    return std::string(BinaryData::layout_json,
                       static_cast<std::size_t>(BinaryData::layout_jsonSize));
}

void Layout::load(const std::string& text)
{
    loadText(text, true);
}

void Layout::loadText(const std::string& text, bool fallBackToEmbedded)
{
    bool loaded = false;
    try
    {
        ParsedLayout parsed = parseLayout(text);
        boundsByName = std::move(parsed.bounds);
        hitboxByName = std::move(parsed.hitboxes);
        hoverAreas = std::move(parsed.hovers);
        assetsByName = std::move(parsed.assets);
        constants = std::move(parsed.constants);
        uiWidth = parsed.width;
        uiHeight = parsed.height;
        statusMessage.clear();
        loaded = true;
    }
    catch (...)
    {
    }

    if (!loaded)
    {
        if (fallBackToEmbedded)
        {
            // The inner load fills the tables from the embedded description and emits once.
            loadText(embeddedLayoutText(), false);
        }
        else
        {
            // Only if the embedded description itself were broken: empty tables, never a loop.
            boundsByName.clear();
            hitboxByName.clear();
            hoverAreas.clear();
            assetsByName.clear();
            constants.clear();
        }
        statusMessage = failedStatus;
    }

    changed.emit();
}

bool Layout::loadDroppedFiles(const juce::StringArray& files)
{
    if (files.isEmpty() || files[0].isEmpty() || !juce::File::isAbsolutePath(files[0]))
        return false;

    const juce::File file(files[0]);
    const std::string path = file.getFullPathName().toStdString();

    // The time is taken before the text is read: a save that lands in between is then seen by the
    // next tick instead of being missed.
    const auto modificationTime = layoutFileModificationTime(path);
    if (!modificationTime)
        return false;

    std::string text;
    if (!readLayoutFile(file, text) || text.empty() || text.front() != '{')
        return false;

    try
    {
        const json root = parseLimited(text);
        const auto fileType = root.find("FileType");
        if (fileType == root.end() || !fileType->is_string() ||
            fileType->get<std::string>() != "LAYOUT")
            return false;
    }
    catch (...)
    {
        return false;
    }

    instanceStorage->layoutWatch =
        std::make_unique<WatchedLayoutFile>(WatchedLayoutFile{path, *modificationTime});
    load(text);
    return true;
}

void Layout::timerCallback()
{
    const auto& watch = instanceStorage->layoutWatch;
    if (watch == nullptr || watch->path.empty())
        return;

    // A file that cannot be examined (deleted, moved away) is not reloaded and stays watched.
    const std::string path = watch->path;
    const auto modificationTime = layoutFileModificationTime(path);
    if (!modificationTime || *modificationTime == watch->modificationTime)
        return;

    // No "{" or "FileType" test on a reload; an unreadable or oversized file reads as empty text,
    // which is invalid and shows the embedded layout until the next save.
    std::string text;
    if (!readLayoutFile(juce::File(juce::String::fromUTF8(path.c_str())), text))
        text.clear();
    load(text);

    // The time read before the text (see loadDroppedFiles). The record is looked up again, since a
    // receiver of `changed` may have dropped another file meanwhile.
    if (auto& current = instanceStorage->layoutWatch; current != nullptr && current->path == path)
        current->modificationTime = *modificationTime;
}

int Layout::getConstant(const std::string& name) const
{
    const auto found = constants.find(name);
    return found == constants.end() ? 0 : found->second;
}

void Layout::apply(juce::Component* parent, bool setParentSize, std::string prefix)
{
    if (parent == nullptr)
        return;
    if (setParentSize)
        parent->setSize(uiWidth, uiHeight);

    // By index, re-reading the count: a child's resized() may change the parent's children.
    for (int index = 0; index < parent->getNumChildComponents(); ++index)
    {
        juce::Component* child = parent->getChildComponent(index);
        if (child == nullptr)
            continue;

        const std::string name = child->getName().toStdString();
        const std::string fullName = prefix.empty() ? name : prefix + "-" + name;

        const auto boundsEntry = boundsByName.find(fullName);
        const juce::Rectangle<int> bounds =
            boundsEntry != boundsByName.end() ? boundsEntry->second : child->getBounds();
        const auto hitboxEntry = hitboxByName.find(fullName);
        const juce::Rectangle<int> hitbox =
            hitboxEntry != hitboxByName.end() ? hitboxEntry->second : bounds;

        // A hitbox that encloses the bounds enlarges the component; its artwork stays at the
        // bounds.
        juce::Point<int> imagePosition;
        if (encloses(hitbox, bounds))
        {
            child->setBounds(hitbox);
            imagePosition = {saturate(std::int64_t{bounds.getX()} - hitbox.getX()),
                             saturate(std::int64_t{bounds.getY()} - hitbox.getY())};
        }
        else
        {
            child->setBounds(bounds);
        }

        if (auto* knob = dynamic_cast<TextureKnob*>(child))
        {
            knob->imagePosition = imagePosition;
            if (const auto* fileName = assetFor(assetsByName, fullName, "filmstrip"))
            {
                const juce::Image image = decodeAsset(*fileName);
                if (image.isValid())
                {
                    knob->filmstripImage = image;
                    knob->frameCount = filmstripFrames;
                    knob->frameWidth = image.getWidth();
                    knob->frameHeight = image.getHeight() / filmstripFrames;
                }
            }
            knob->repaint();
        }
        else if (auto* button = dynamic_cast<TallowImageButton*>(child))
        {
            button->setHitbox(hitbox.getX(), hitbox.getY(), hitbox.getWidth(), hitbox.getHeight());
            if (assetsByName.count(fullName) != 0)
            {
                juce::Image unset, set, over;
                if (const auto* fileName = assetFor(assetsByName, fullName, "unset"))
                    unset = decodeAsset(*fileName);
                if (const auto* fileName = assetFor(assetsByName, fullName, "set"))
                    set = decodeAsset(*fileName);
                if (const auto* fileName = assetFor(assetsByName, fullName, "over"))
                    over = decodeAsset(*fileName);
                if (!over.isValid())
                    over = unset;
                const auto none = juce::Colours::transparentWhite;
                button->setImages(true, false, true, unset, 1.0f, none, over, 1.0f, none, set, 1.0f,
                                  none, 0.0f);
            }
        }
        else if (auto* imageComponent = dynamic_cast<juce::ImageComponent*>(child))
        {
            if (const auto* fileName = assetFor(assetsByName, fullName, "image"))
            {
                const juce::Image image = decodeAsset(*fileName);
                if (image.isValid())
                    imageComponent->setImage(image);
            }
        }

        if (child->getNumChildComponents() > 0)
            apply(child, false, fullName);
    }
}
