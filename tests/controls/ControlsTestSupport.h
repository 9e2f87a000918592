#pragma once

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>
#include <vector>

/** Set by the test main when an X display is there for desktop components. */
extern bool controlsTestsHaveDisplay;

/** A processor that only holds parameters, so that gestures and host notifications work as in a host. */
class ParameterHolder : public juce::AudioProcessor
{
public:
    ParameterHolder()
    {
        addParameter(linear = new juce::AudioParameterFloat(juce::ParameterID { "Feedback", 0 }, "Feedback", 0.0f, 100.0f, 50.0f));
        addParameter(skewed = new juce::AudioParameterFloat(juce::ParameterID { "Delay", 0 }, "Delay",
                                                            juce::NormalisableRange<float>(10.0f, 250.0f, 0.0f, 0.3f), 50.0f));
        addParameter(frames = new juce::AudioParameterFloat(juce::ParameterID { "Frames", 0 }, "Frames", 0.0f, 90.0f, 0.0f));
    }

    juce::AudioParameterFloat* linear = nullptr;
    juce::AudioParameterFloat* skewed = nullptr;
    juce::AudioParameterFloat* frames = nullptr;

    const juce::String getName() const override { return "ParameterHolder"; }
    void prepareToPlay(double, int) override {}
    void releaseResources() override {}
    void processBlock(juce::AudioBuffer<float>&, juce::MidiBuffer&) override {}
    double getTailLengthSeconds() const override { return 0.0; }
    bool acceptsMidi() const override { return false; }
    bool producesMidi() const override { return false; }
    juce::AudioProcessorEditor* createEditor() override { return nullptr; }
    bool hasEditor() const override { return false; }
    int getNumPrograms() override { return 1; }
    int getCurrentProgram() override { return 0; }
    void setCurrentProgram(int) override {}
    const juce::String getProgramName(int) override { return {}; }
    void changeProgramName(int, const juce::String&) override {}
    void getStateInformation(juce::MemoryBlock&) override {}
    void setStateInformation(const void*, int) override {}
};

/** What the host hears from one parameter, in order. */
class HostRecorder : public juce::AudioProcessorParameter::Listener
{
public:
    enum class Kind
    {
        begin,
        value,
        end
    };
    struct Event
    {
        Kind kind;
        float normalisedValue;
        bool insideGesture;
    };

    explicit HostRecorder(juce::AudioProcessorParameter& p) : parameter(p) { parameter.addListener(this); }
    ~HostRecorder() override { parameter.removeListener(this); }

    void parameterValueChanged(int, float newValue) override { events.push_back({ Kind::value, newValue, inGesture }); }
    void parameterGestureChanged(int, bool starting) override
    {
        inGesture = starting;
        events.push_back({ starting ? Kind::begin : Kind::end, 0.0f, starting });
    }

    int count(Kind kind) const
    {
        int n = 0;
        for (const auto& e : events)
            n += e.kind == kind ? 1 : 0;
        return n;
    }
    std::vector<Kind> kinds() const
    {
        std::vector<Kind> k;
        for (const auto& e : events)
            k.push_back(e.kind);
        return k;
    }

    std::vector<Event> events;

private:
    juce::AudioProcessorParameter& parameter;
    bool inGesture = false;
};

/** A parent for controls under test; records the wheel events that reach it. */
class RecordingParent : public juce::Component
{
public:
    void mouseWheelMove(const juce::MouseEvent&, const juce::MouseWheelDetails&) override { ++wheelEvents; }
    int wheelEvents = 0;
};

/** Puts a parent on the desktop (under Xvfb in the test runs) and drives the real mouse machinery of
    JUCE through its peer, so that isMouseButtonDown, double-click counting and gestures behave as with a user. */
class MouseDriver
{
public:
    explicit MouseDriver(juce::Component& parentToDrive) : parent(parentToDrive)
    {
        if (!controlsTestsHaveDisplay)
            return;
        parent.addToDesktop(0);
        parent.setVisible(true);
        peer = parent.getPeer();
    }
    ~MouseDriver()
    {
        release();
        if (peer != nullptr)
            parent.removeFromDesktop();
    }

    bool ready() const { return peer != nullptr; }

    void move(juce::Point<float> p) { send(p, modifiers.withoutMouseButtons()); }
    void press(juce::Point<float> p, juce::ModifierKeys extra = {})
    {
        modifiers = extra.withFlags(juce::ModifierKeys::leftButtonModifier);
        send(p, modifiers);
    }
    void drag(juce::Point<float> p) { send(p, modifiers); }
    void release(juce::Point<float> p)
    {
        modifiers = modifiers.withoutMouseButtons();
        send(p, modifiers);
    }
    void click(juce::Point<float> p, juce::ModifierKeys extra = {})
    {
        move(p);
        press(p, extra);
        release(p);
    }
    void wheel(juce::Point<float> p, float deltaY)
    {
        juce::MouseWheelDetails details {};
        details.deltaY = deltaY;
        time += 20;
        peer->handleMouseWheel(juce::MouseInputSource::InputSourceType::mouse, p, time, details);
    }
    /** Lets more than the double-click time pass, so the next click is a single click. */
    void pause() { time += 2000; }

private:
    void release()
    {
        if (peer != nullptr && modifiers.isAnyMouseButtonDown())
            release(lastPosition);
    }
    void send(juce::Point<float> p, juce::ModifierKeys mods)
    {
        lastPosition = p;
        time += 30;
        // The platform peer keeps the global modifier state (keys and buttons) before it reports an
        // event; JUCE's mouse events take their key modifiers from there.
        juce::ModifierKeys::currentModifiers = mods;
        peer->handleMouseEvent(juce::MouseInputSource::InputSourceType::mouse, p, mods, juce::MouseInputSource::defaultPressure,
                               juce::MouseInputSource::defaultOrientation, time);
    }

    juce::Component& parent;
    juce::ComponentPeer* peer = nullptr;
    juce::ModifierKeys modifiers;
    juce::Point<float> lastPosition;
    juce::int64 time = juce::Time::currentTimeMillis();
};

/** Colour of a pixel as stored, unpremultiplied. */
inline juce::Colour pixel(const juce::Image& image, int x, int y)
{
    return image.getPixelAt(x, y);
}
