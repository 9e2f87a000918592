#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>

struct InstanceStorage;

/** The editor's right-click menu: reset, randomize, three entries that do nothing yet, and the
    credits pages. Building the menu and acting on the chosen item are separate, so that the menu
    can be shown asynchronously and outlive the editor that opened it. */
class EditorMenu
{
public:
    enum ItemId
    {
        resetAllItem = 1,
        randomizeItem = 2,
        hauntSomeoneItem = 3,
        honkItem = 4,
        feelPureJoyItem = 5,
        hackFontItem = 90,
        juceItem = 91,
        intelIppItem = 92,
        steinbergItem = 93
    };

    using UrlOpener = std::function<void(const juce::URL&)>;

    /** Acts on storage's request flags; opens credits pages with openUrl. */
    explicit EditorMenu(std::shared_ptr<InstanceStorage> storage,
                        UrlOpener openUrl = launchInDefaultBrowser);

    /** The menu, drawn with lookAndFeel, on which it sets the menu colours. */
    static juce::PopupMenu build(juce::LookAndFeel& lookAndFeel);

    /** Carries out the chosen item; 0 (dismissed) and the inactive items do nothing. */
    void perform(int itemId) const;

    /** The web page of a credits item, or an empty URL for any other id. */
    static juce::URL creditsPage(int itemId);

    static void launchInDefaultBrowser(const juce::URL& url);

private:
    std::shared_ptr<InstanceStorage> storage;
    UrlOpener openUrl;
};
