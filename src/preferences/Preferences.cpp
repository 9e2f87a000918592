#include "preferences/Preferences.h"

#include <juce_core/juce_core.h>

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstddef>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <stdexcept>

namespace
{

/** A preferences file is a few bytes; anything larger than this is not one and reads as absent. */
constexpr std::size_t maxPreferencesFileBytes = 1 << 20;

/** Documents nested deeper than this read as absent; the parse stops at the first level beyond. */
constexpr int maxNestingDepth = 64;

/** The data model's conversion; values that do not fit an int do not read. */
std::optional<int> toInt(const nlohmann::json& value)
{
    constexpr auto lowest = std::numeric_limits<int>::min();
    constexpr auto highest = std::numeric_limits<int>::max();
    switch (value.type())
    {
    case nlohmann::json::value_t::boolean:
        return value.get<bool>() ? 1 : 0;
    case nlohmann::json::value_t::number_integer:
    {
        const auto v = value.get<std::int64_t>();
        if (v < lowest || v > highest)
            return std::nullopt;
        return static_cast<int>(v);
    }
    case nlohmann::json::value_t::number_unsigned:
    {
        const auto v = value.get<std::uint64_t>();
        if (v > static_cast<std::uint64_t>(highest))
            return std::nullopt;
        return static_cast<int>(v);
    }
    case nlohmann::json::value_t::number_float:
    {
        const double t = std::trunc(value.get<double>());
        if (!std::isfinite(t) || t < static_cast<double>(lowest) ||
            t > static_cast<double>(highest))
            return std::nullopt;
        return static_cast<int>(t);
    }
    default:
        return std::nullopt;
    }
}

} // namespace

std::string preferencesFilePath()
{
    const auto folder = juce::File::getSpecialLocation(juce::File::userApplicationDataDirectory);
    return folder.getFullPathName().toStdString() + "/Tallowbark/Orrery_pref.json";
}

bool readPreference(const std::string& key, int* out)
{
    try
    {
        const std::string path = preferencesFilePath();

        // Only creates an empty file (and its folders) when nothing exists at the path.
        const juce::File file(juce::String::fromUTF8(path.c_str()));
        if (!file.exists())
            (void)file.create();

        std::ifstream stream(path);
        if (!stream)
            return false;

        std::string text;
        text.reserve(256);
        std::istreambuf_iterator<char> it(stream), end;
        for (; it != end; ++it)
        {
            if (text.size() >= maxPreferencesFileBytes)
                return false;
            text.push_back(*it);
        }

        const auto root =
            nlohmann::json::parse(text,
                                  [](int depth, nlohmann::json::parse_event_t, nlohmann::json&)
                                  {
                                      if (depth > maxNestingDepth)
                                          throw std::length_error("nested too deep");
                                      return true;
                                  });
        if (!root.is_object())
            return false;
        const auto found = root.find(key);
        if (found == root.end())
            return false;
        const auto value = toInt(*found);
        if (!value)
            return false;
        if (out != nullptr)
            *out = *value;
        return true;
    }
    catch (...)
    {
        return false;
    }
}
