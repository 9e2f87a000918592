#include "EditorTestSupport.h"
#include "support/TestDisplay.h"

#include <juce_events/juce_events.h>

#include <gtest/gtest.h>

bool editorTestsHaveDisplay = false;

// The editor tests put windows on the desktop and move the pointer, so JUCE needs an X display
// (xvfb-run).
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    editorTestsHaveDisplay = prepareTestDisplay();
    juce::ScopedJuceInitialiser_GUI juce;
    return RUN_ALL_TESTS();
}
