#include "PluginSettings.h"

#include "RenderError.h"

#include "processor/Parameters.h"

#include <cmath>

namespace
{
// Units of the parameters, in their order; the parameters themselves carry no unit label.
const char* const units[] = {"dB", "dB", "taps", "ms", "factor", "%", "", "Hz", "style", ""};

juce::String numberText(float value)
{
    return juce::String(value, 5).trimCharactersAtEnd("0").trimCharactersAtEnd(".");
}

std::optional<float> textValue(const juce::RangedAudioParameter& parameter,
                               const juce::String& text)
{
    const auto name = parameter.getName(100);
    if (name == ParameterIDs::shiftStyle)
        for (size_t index = 0; index < shiftStyleNames.size(); ++index)
            if (text.equalsIgnoreCase(shiftStyleNames[index]))
                return static_cast<float>(index);

    if (name == ParameterIDs::shiftPath)
        for (const auto on : {false, true})
            if (text.equalsIgnoreCase(shiftPathToText(on, 0)))
                return on ? 1.0f : 0.0f;

    if (dynamic_cast<const juce::AudioParameterBool*>(&parameter) != nullptr)
    {
        if (text.equalsIgnoreCase("on") || text.equalsIgnoreCase("true"))
            return 1.0f;
        if (text.equalsIgnoreCase("off") || text.equalsIgnoreCase("false"))
            return 0.0f;
    }
    return {};
}
} // namespace

PluginSettings::PluginSettings() = default;

void PluginSettings::loadState(const juce::File& file)
{
    juce::MemoryBlock block;
    if (!file.loadFileAsData(block))
        throw RenderError("cannot read the state file " + file.getFullPathName().toStdString());

    const auto xml =
        juce::AudioProcessor::getXmlFromBinary(block.getData(), static_cast<int>(block.getSize()));
    if (xml == nullptr || !xml->getTagName().equalsIgnoreCase("Orrery_XML"))
        throw RenderError(file.getFullPathName().toStdString() +
                          " is not a saved Quillmere state (save one with --save-state)");
    quillmere.setStateInformation(block.getData(), static_cast<int>(block.getSize()));
}

void PluginSettings::saveState(const juce::File& file)
{
    juce::MemoryBlock block;
    quillmere.getStateInformation(block);
    juce::TemporaryFile temporary(file);
    if (!temporary.getFile().replaceWithData(block.getData(), block.getSize()) ||
        !temporary.overwriteTargetFileWithTemporary())
        throw RenderError("cannot write the state file " + file.getFullPathName().toStdString() +
                          ": check that its folder exists and is writable");
}

juce::RangedAudioParameter& PluginSettings::parameterNamed(const juce::String& name)
{
    juce::StringArray names;
    for (auto* parameter : quillmere.getParameters())
    {
        auto& ranged = dynamic_cast<juce::RangedAudioParameter&>(*parameter);
        if (ranged.getName(100).equalsIgnoreCase(name.trim()))
            return ranged;
        names.add("\"" + ranged.getName(100) + "\"");
    }
    throw RenderError("unknown parameter \"" + name.toStdString() + "\"; the parameters are " +
                          names.joinIntoString(", ").toStdString(),
                      2);
}

void PluginSettings::assign(const juce::String& name, const juce::String& text)
{
    auto& parameter = parameterNamed(name);
    const auto trimmed = text.trim();
    auto value = textValue(parameter, trimmed);

    if (!value)
    {
        char* end = nullptr;
        const auto number = std::strtod(trimmed.toRawUTF8(), &end);
        if (trimmed.isEmpty() || *end != '\0' || !std::isfinite(number))
            throw RenderError("\"" + text.toStdString() + "\" is not a value of \"" +
                                  parameter.getName(100).toStdString() +
                                  "\": give a number or one of its value texts",
                              2);
        value = static_cast<float>(number);
    }

    const auto& range = parameter.getNormalisableRange();
    if (*value < range.start || *value > range.end)
        throw RenderError("\"" + parameter.getName(100).toStdString() + "\" takes " +
                              numberText(range.start).toStdString() + " to " +
                              numberText(range.end).toStdString() + ", not " +
                              trimmed.toStdString(),
                          2);
    parameter.setValueNotifyingHost(parameter.convertTo0to1(*value));
}

juce::String PluginSettings::describe() const
{
    juce::String text;
    const auto& parameters = quillmere.getParameters();
    for (int index = 0; index < parameters.size(); ++index)
    {
        const auto& parameter = dynamic_cast<const juce::RangedAudioParameter&>(*parameters[index]);
        const auto& range = parameter.getNormalisableRange();
        const auto isBool = dynamic_cast<const juce::AudioParameterBool*>(&parameter) != nullptr;
        const auto rangeText =
            isBool ? parameter.getText(0.0f, 20) + " or " + parameter.getText(1.0f, 20)
                   : numberText(range.start) + " to " + numberText(range.end);
        const auto defaultText = parameter.getText(parameter.getDefaultValue(), 20);
        text << parameter.getName(100).paddedRight(' ', 14) << rangeText.paddedRight(' ', 20)
             << ("default " + defaultText).paddedRight(' ', 18)
             << juce::String(units[index]).paddedRight(' ', 8) << "now "
             << parameter.getCurrentValueAsText() << "\n";
    }
    return text;
}
