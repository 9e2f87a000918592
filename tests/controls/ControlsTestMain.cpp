#include <juce_events/juce_events.h>

#include "support/TestDisplay.h"

#include <gtest/gtest.h>

bool controlsTestsHaveDisplay = false;

// The controls' mouse tests put components on the desktop, so JUCE needs an X display (xvfb-run).
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    controlsTestsHaveDisplay = prepareTestDisplay();
    juce::ScopedJuceInitialiser_GUI juce;
    return RUN_ALL_TESTS();
}
