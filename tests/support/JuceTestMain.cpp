#include <juce_events/juce_events.h>

#include <gtest/gtest.h>

// JUCE objects expect an initialised message manager, as they have inside a host.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    juce::ScopedJuceInitialiser_GUI juce;
    return RUN_ALL_TESTS();
}
