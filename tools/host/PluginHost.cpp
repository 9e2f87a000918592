#include "PluginHost.h"

#include <stdexcept>

namespace
{
std::unique_ptr<juce::AudioPluginFormat> formatFor(const juce::File& bundle)
{
    if (bundle.hasFileExtension(".vst3"))
        return std::make_unique<juce::VST3PluginFormat>();
    if (bundle.hasFileExtension(".lv2"))
        return std::make_unique<juce::LV2PluginFormat>();
    throw std::runtime_error("cannot host " + bundle.getFullPathName().toStdString() +
                             ": expected a .vst3 or .lv2 bundle");
}

// LV2 hosting names a plug-in by its URI: the one the bundle's manifest declares as a plug-in.
juce::String lv2UriOf(const juce::File& bundle)
{
    const auto manifest = bundle.getChildFile("manifest.ttl").loadFileAsString();
    const auto declaration = manifest.indexOf("a lv2:Plugin");
    if (declaration < 0)
        return {};
    const auto start = manifest.substring(0, declaration).lastIndexOfChar('<');
    const auto end = manifest.indexOfChar(start, '>');
    return start >= 0 && end > start ? manifest.substring(start + 1, end) : juce::String();
}

juce::String identifierFor(const juce::File& bundle, juce::AudioPluginFormat& format)
{
    if (dynamic_cast<juce::LV2PluginFormat*>(&format) == nullptr)
        return bundle.getFullPathName();
    format.searchPathsForPlugins(
        juce::FileSearchPath(bundle.getParentDirectory().getFullPathName()), false, true);
    return lv2UriOf(bundle);
}

// The format object must be the one that creates the instance: LV2 hosting knows only the
// bundles its own world has loaded.
juce::PluginDescription describeWith(juce::AudioPluginFormat& format, const juce::File& bundle)
{
    juce::OwnedArray<juce::PluginDescription> types;
    format.findAllTypesForFile(types, identifierFor(bundle, format));
    if (types.isEmpty())
        throw std::runtime_error("no plug-in found in " + bundle.getFullPathName().toStdString());
    return *types.getFirst();
}
} // namespace

juce::PluginDescription PluginHost::describe(const juce::File& bundle)
{
    return describeWith(*formatFor(bundle), bundle);
}

std::unique_ptr<juce::AudioPluginInstance> PluginHost::load(const juce::File& bundle,
                                                            double sampleRate, int blockSize)
{
    auto format = formatFor(bundle);
    juce::String error;
    auto instance = format->createInstanceFromDescription(describeWith(*format, bundle), sampleRate,
                                                          blockSize, error);
    if (instance == nullptr)
        throw std::runtime_error("could not load " + bundle.getFullPathName().toStdString() + ": " +
                                 error.toStdString());
    return instance;
}

void PluginHost::deliverHostNotifications(int milliseconds)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil(milliseconds);
}

juce::AudioProcessorParameter& PluginHost::parameter(juce::AudioPluginInstance& instance,
                                                     const juce::String& name)
{
    for (auto* candidate : instance.getParameters())
        if (candidate->getName(100) == name)
            return *candidate;
    throw std::runtime_error("the plug-in has no parameter " + name.toStdString());
}
