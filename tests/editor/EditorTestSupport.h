#pragma once

#include "editor/TBIAudioProcessorEditor.h"
#include "processor/TBIAudioProcessor.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <gtest/gtest.h>

#include <memory>

/** Set by the test main when an X display is there for desktop windows and the pointer. */
extern bool editorTestsHaveDisplay;

namespace juce
{
// JUCE's own message pump for one message; the plug-in is built without modal loops, so
// MessageManager::runDispatchLoopUntil is not there.
bool dispatchNextMessageOnSystemQueue(bool returnIfNoPendingMessages);
} // namespace juce

/** Runs the message loop for a while, so asynchronous callbacks (menu results, deferred
    deletions) arrive. */
inline void deliverMessages(int milliseconds = 100)
{
    const auto end = juce::Time::getMillisecondCounter() + static_cast<juce::uint32>(milliseconds);
    while (juce::Time::getMillisecondCounter() < end)
        if (!juce::dispatchNextMessageOnSystemQueue(true))
            juce::Thread::sleep(2);
}

/** A processor with its editor, made the way a host makes it; by default as if no plug-in
    wrapper made it, as in the in-process tests. */
struct EditorTest : testing::Test
{
    explicit EditorTest(
        juce::AudioProcessor::WrapperType wrapperType = juce::AudioProcessor::wrapperType_Undefined)
        : nextWrapperType(wrapperType),
          editor(dynamic_cast<TBIAudioProcessorEditor*>(processor.createEditorIfNeeded()))
    {
    }

    ~EditorTest() override { juce::ModifierKeys::currentModifiers = {}; }

    /** The editor's direct child of that component name, or null. */
    juce::Component* child(const juce::String& name) const
    {
        for (auto* component : editor->getChildren())
            if (component->getName() == name)
                return component;
        return nullptr;
    }

    template <typename Type>
    Type* childAs(const juce::String& name) const
    {
        return dynamic_cast<Type*>(child(name));
    }

    /** Puts the pointer over p in editor coordinates. The editor moves, not the pointer, which
        stays at one spot of xvfb-run's 1280 by 1024 screen, clear of the windows that tests put
        at its top left: their JUCE would take a pointer crossing them for a real mouse event. */
    void pointAt(juce::Point<int> p)
    {
        const juce::Point<int> anchor{1000, 900};
        editor->setTopLeftPosition(anchor - p);
        juce::Desktop::setMousePosition(anchor);
        ASSERT_EQ(editor->getMouseXYRelative(), p) << "the pointer cannot be moved: no X display";
    }

    /** What a plug-in wrapper does before it constructs the plug-in's processor. */
    struct NextWrapperType
    {
        explicit NextWrapperType(juce::AudioProcessor::WrapperType type)
        {
            juce::AudioProcessor::setTypeOfNextNewPlugin(type);
        }
    };

    NextWrapperType nextWrapperType;
    TBIAudioProcessor processor;
    std::unique_ptr<TBIAudioProcessorEditor> editor;
};

/** The editor as a VST3 host shows it. */
struct VST3EditorTest : EditorTest
{
    VST3EditorTest() : EditorTest(juce::AudioProcessor::wrapperType_VST3)
    {
        juce::AudioProcessor::setTypeOfNextNewPlugin(juce::AudioProcessor::wrapperType_Undefined);
    }
};

/** Puts a component on the desktop and sends it mouse events through its window, so that they
    take JUCE's whole path: hit tests, children, mouse listeners and modal blocking. */
class DesktopMouse
{
public:
    explicit DesktopMouse(juce::Component& componentToDrive) : component(componentToDrive)
    {
        component.addToDesktop(0);
        component.setVisible(true);
        peer = component.getPeer();
        // Without a window manager no window gets the keyboard focus, and JUCE closes the menus
        // of a process that has none.
        if (peer != nullptr)
            peer->grabFocus();
    }

    ~DesktopMouse()
    {
        juce::ModifierKeys::currentModifiers = {};
        if (peer != nullptr)
            component.removeFromDesktop();
    }

    bool ready() const { return peer != nullptr; }

    /** Presses and releases button at p, in the component's coordinates. */
    void click(juce::Point<float> p, juce::ModifierKeys::Flags button)
    {
        // Each click is a first click: the double-click time has passed since the last one.
        time += 2000;
        send(p, {});
        send(p, juce::ModifierKeys(button));
        send(p, {});
    }

private:
    void send(juce::Point<float> p, juce::ModifierKeys mods)
    {
        time += 30;
        // The platform layer keeps the global button state before it reports an event.
        juce::ModifierKeys::currentModifiers = mods;
        peer->handleMouseEvent(juce::MouseInputSource::InputSourceType::mouse, p, mods,
                               juce::MouseInputSource::defaultPressure,
                               juce::MouseInputSource::defaultOrientation, time);
    }

    juce::Component& component;
    juce::ComponentPeer* peer = nullptr;
    juce::int64 time = juce::Time::currentTimeMillis();
};
