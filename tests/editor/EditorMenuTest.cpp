#include "EditorTestSupport.h"

#include "controls/LookAndFeel_Tallowbark.h"
#include "editor/EditorMenu.h"
#include "processor/InstanceStorage.h"

#include <vector>

namespace
{
struct Item
{
    int id;
    juce::String text;
    bool enabled;
    bool separator;
    bool hasSubMenu;

    bool operator==(const Item& other) const
    {
        return id == other.id && text == other.text && enabled == other.enabled &&
               separator == other.separator && hasSubMenu == other.hasSubMenu;
    }
};

std::ostream& operator<<(std::ostream& out, const Item& item)
{
    return out << "{" << item.id << " \"" << item.text << "\" enabled " << item.enabled
               << " separator " << item.separator << " submenu " << item.hasSubMenu << "}";
}

std::vector<Item> itemsOf(const juce::PopupMenu& menu)
{
    std::vector<Item> items;
    for (juce::PopupMenu::MenuItemIterator it(menu); it.next();)
    {
        const auto& item = it.getItem();
        EXPECT_FALSE(item.isTicked) << item.text;
        items.push_back(
            {item.itemID, item.text, item.isEnabled, item.isSeparator, item.subMenu != nullptr});
    }
    return items;
}

const juce::PopupMenu* subMenuOf(const juce::PopupMenu& menu)
{
    for (juce::PopupMenu::MenuItemIterator it(menu); it.next();)
        if (it.getItem().subMenu != nullptr)
            return it.getItem().subMenu.get();
    return nullptr;
}

/** Where right clicks land on the editor: on each kind of child. */
const std::pair<const char*, juce::Point<float>> rightClickTargets[] = {
    {"background", {20.0f, 20.0f}},     {"knob", {335.0f, 341.0f}},
    {"button", {582.0f, 324.0f}},       {"overlay", {170.0f, 515.0f}},
    {"readout label", {700.0f, 30.0f}}, {"banner text", {10.0f, 662.0f}}};

/** Closes whatever menu is open and lets it go. */
void closeMenus()
{
    juce::PopupMenu::dismissAllActiveMenus();
    deliverMessages(50);
}

struct EditorMenuOnScreen : EditorTest
{
    void SetUp() override
    {
        ASSERT_TRUE(editorTestsHaveDisplay) << "needs an X display (run under xvfb-run)";
        mouse = std::make_unique<DesktopMouse>(*editor);
        ASSERT_TRUE(mouse->ready());
    }

    void TearDown() override
    {
        closeMenus();
        mouse.reset();
    }

    static int openMenus() { return juce::Component::getNumCurrentlyModalComponents(); }

    std::unique_ptr<DesktopMouse> mouse;
};
} // namespace

TEST(EditorMenu, OffersResetRandomizeThreeInactiveEntriesAndTheCredits)
{
    LookAndFeel_Tallowbark lookAndFeel;
    const auto menu = EditorMenu::build(lookAndFeel);

    const std::vector<Item> expected{{1, "Reset All to Default", true, false, false},
                                     {2, "Fuck Me Up", true, false, false},
                                     {3, "Haunt Someone", false, false, false},
                                     {0, "", true, true, false},
                                     {4, "Honk at a slow car", false, false, false},
                                     {5, "Feel Pure Joy", false, false, false},
                                     {0, "", true, true, false},
                                     {0, "Software We Use", true, false, true}};
    EXPECT_EQ(itemsOf(menu), expected);

    const auto* credits = subMenuOf(menu);
    ASSERT_NE(credits, nullptr);
    const std::vector<Item> expectedCredits{
        {90, "Font 'Hack' from Source Foundry", true, false, false},
        {91, "JUCE", true, false, false},
        {92, "Intel IPP", true, false, false},
        {93, "VST by Steinberg", true, false, false}};
    EXPECT_EQ(itemsOf(*credits), expectedCredits);

    EXPECT_EQ(lookAndFeel.findColour(juce::PopupMenu::backgroundColourId),
              juce::Colour(0xff454545));
    EXPECT_EQ(lookAndFeel.findColour(juce::PopupMenu::highlightedBackgroundColourId),
              juce::Colour(0xff202020));
    EXPECT_EQ(lookAndFeel.findColour(juce::PopupMenu::textColourId), juce::Colour(0xfff8f8ff));
}

TEST(EditorMenu, EachItemRaisesItsRequestOrOpensItsPageAndNothingElse)
{
    const struct
    {
        int id;
        bool reset;
        bool randomize;
        const char* page;
    } cases[] = {{0, false, false, nullptr},
                 {1, true, false, nullptr},
                 {2, false, true, nullptr},
                 {3, false, false, nullptr},
                 {4, false, false, nullptr},
                 {5, false, false, nullptr},
                 {90, false, false, "https://sourcefoundry.org/hack/"},
                 {91, false, false, "https://juce.com/"},
                 {92, false, false,
                  "https://www.intel.com/content/www/us/en/developer/tools/oneapi/ipp.html"},
                 {93, false, false, "https://www.steinberg.net/developers/"},
                 {94, false, false, nullptr}};

    for (const auto& c : cases)
    {
        const auto storage = std::make_shared<InstanceStorage>();
        std::vector<juce::String> opened;
        const EditorMenu menu(storage, [&opened](const juce::URL& url)
                              { opened.push_back(url.toString(false)); });

        menu.perform(c.id);
        EXPECT_EQ(storage->resetRequested.load(), c.reset) << c.id;
        EXPECT_EQ(storage->randomizeRequested.load(), c.randomize) << c.id;
        EXPECT_EQ(opened, c.page != nullptr ? std::vector<juce::String>{c.page}
                                            : std::vector<juce::String>{})
            << c.id;
    }
}

TEST_F(EditorMenuOnScreen, ARightClickOnAnyPartOfTheWindowOpensOneMenu)
{
    for (const auto& [what, where] : rightClickTargets)
    {
        mouse->click(where, juce::ModifierKeys::rightButtonModifier);
        EXPECT_EQ(openMenus(), 1) << what;
        closeMenus();
    }

    // A press on the editor itself reaches it twice: directly and as its own mouse listener.
    child("Background")->setInterceptsMouseClicks(false, false);
    mouse->click({20.0f, 20.0f}, juce::ModifierKeys::rightButtonModifier);
    EXPECT_EQ(openMenus(), 1) << "on the editor itself";
}

TEST_F(EditorMenuOnScreen, ALeftOrMiddleClickOpensNoMenu)
{
    for (const auto button :
         {juce::ModifierKeys::leftButtonModifier, juce::ModifierKeys::middleButtonModifier})
        for (const auto& [what, where] : rightClickTargets)
        {
            mouse->click(where, button);
            EXPECT_EQ(openMenus(), 0) << what;
            closeMenus();
        }
}

TEST_F(EditorMenuOnScreen, TheChosenItemIsCarriedOutWhenTheMenuCloses)
{
    const struct
    {
        const char* what;
        int downKeys;
        int closingKey;
        bool reset;
        bool randomize;
    } cases[] = {{"first item", 1, juce::KeyPress::returnKey, true, false},
                 {"second item", 2, juce::KeyPress::returnKey, false, true},
                 {"escape", 1, juce::KeyPress::escapeKey, false, false}};

    const auto storage = processor.getInstanceStorage();
    for (const auto& c : cases)
    {
        storage->resetRequested = false;
        storage->randomizeRequested = false;
        mouse->click({20.0f, 20.0f}, juce::ModifierKeys::rightButtonModifier);
        auto* menuWindow = juce::Component::getCurrentlyModalComponent();
        ASSERT_NE(menuWindow, nullptr) << c.what;
        for (int i = 0; i < c.downKeys; ++i)
            menuWindow->keyPressed(juce::KeyPress(juce::KeyPress::downKey));
        menuWindow->keyPressed(juce::KeyPress(c.closingKey));
        deliverMessages(50);

        EXPECT_EQ(openMenus(), 0) << c.what;
        EXPECT_EQ(storage->resetRequested.load(), c.reset) << c.what;
        EXPECT_EQ(storage->randomizeRequested.load(), c.randomize) << c.what;
    }
}

TEST_F(EditorMenuOnScreen, AnOpenMenuClosesWithTheEditorAndRequestsNothing)
{
    mouse->click({335.0f, 341.0f}, juce::ModifierKeys::rightButtonModifier);
    ASSERT_EQ(openMenus(), 1);

    // The host closes the window while the menu is open.
    mouse.reset();
    editor.reset();
    deliverMessages(300);

    EXPECT_EQ(openMenus(), 0);
    EXPECT_FALSE(processor.getInstanceStorage()->resetRequested.load());
    EXPECT_FALSE(processor.getInstanceStorage()->randomizeRequested.load());
}
