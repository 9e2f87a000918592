#include "editor/EditorMenu.h"

#include "processor/InstanceStorage.h"

#include <utility>

EditorMenu::EditorMenu(std::shared_ptr<InstanceStorage> storageToUse, UrlOpener opener)
    : storage(std::move(storageToUse)), openUrl(std::move(opener))
{
}

juce::PopupMenu EditorMenu::build(juce::LookAndFeel& lookAndFeel)
{
    juce::PopupMenu credits;
    credits.addItem(hackFontItem, "Font 'Hack' from Source Foundry");
    credits.addItem(juceItem, "JUCE");
    credits.addItem(intelIppItem, "Intel IPP");
    credits.addItem(steinbergItem, "VST by Steinberg");

    juce::PopupMenu menu;
    menu.setLookAndFeel(&lookAndFeel);
    lookAndFeel.setColour(juce::PopupMenu::backgroundColourId, juce::Colour(0xff454545));
    lookAndFeel.setColour(juce::PopupMenu::highlightedBackgroundColourId, juce::Colour(0xff202020));
    lookAndFeel.setColour(juce::PopupMenu::textColourId, juce::Colours::ghostwhite);

    menu.addItem(resetAllItem, "Reset All to Default");
    menu.addItem(randomizeItem, "Fuck Me Up");
    menu.addItem(hauntSomeoneItem, "Haunt Someone", false);
    menu.addSeparator();
    menu.addItem(honkItem, "Honk at a slow car", false);
    menu.addItem(feelPureJoyItem, "Feel Pure Joy", false);
    menu.addSeparator();
    menu.addSubMenu("Software We Use", credits);
    return menu;
}

void EditorMenu::perform(int itemId) const
{
    switch (itemId)
    {
    case resetAllItem:
        storage->resetRequested = true;
        break;
    case randomizeItem:
        storage->randomizeRequested = true;
        break;
    case hackFontItem:
    case juceItem:
    case intelIppItem:
    case steinbergItem:
        openUrl(creditsPage(itemId));
        break;
    default:
        break;
    }
}

juce::URL EditorMenu::creditsPage(int itemId)
{
    static const juce::URL hackFont("https://sourcefoundry.org/hack/");
    static const juce::URL juceHome("https://juce.com/");
    static const juce::URL intelIpp(
        "https://www.intel.com/content/www/us/en/developer/tools/oneapi/ipp.html");
    static const juce::URL steinbergDevelopers("https://www.steinberg.net/developers/");

    switch (itemId)
    {
    case hackFontItem:
        return hackFont;
    case juceItem:
        return juceHome;
    case intelIppItem:
        return intelIpp;
    case steinbergItem:
        return steinbergDevelopers;
    default:
        return {};
    }
}

void EditorMenu::launchInDefaultBrowser(const juce::URL& url)
{
    url.launchInDefaultBrowser();
}
