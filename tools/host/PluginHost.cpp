#include "PluginTestHost.h"

#include <stdexcept>

juce::PluginDescription PluginTestHost::describe(const juce::File& bundle)
{
    juce::VST3PluginFormat format;
    juce::OwnedArray<juce::PluginDescription> types;
    format.findAllTypesForFile(types, bundle.getFullPathName());
    if (types.isEmpty())
        throw std::runtime_error("no plug-in found in " + bundle.getFullPathName().toStdString());
    return *types.getFirst();
}

std::unique_ptr<juce::AudioPluginInstance> PluginTestHost::load(const juce::File& bundle,
                                                                double sampleRate, int blockSize)
{
    juce::VST3PluginFormat format;
    juce::String error;
    auto instance =
        format.createInstanceFromDescription(describe(bundle), sampleRate, blockSize, error);
    if (instance == nullptr)
        throw std::runtime_error("could not load " + bundle.getFullPathName().toStdString() + ": " +
                                 error.toStdString());
    return instance;
}

juce::AudioProcessorParameter& PluginTestHost::parameter(juce::AudioPluginInstance& instance,
                                                         const juce::String& name)
{
    for (auto* candidate : instance.getParameters())
        if (candidate->getName(100) == name)
            return *candidate;
    throw std::runtime_error("the plug-in has no parameter " + name.toStdString());
}

void PluginTestHost::deliverHostNotifications(int milliseconds)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil(milliseconds);
}
