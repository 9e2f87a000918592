#pragma once

/** Makes the X display ready for components on the desktop and answers whether there is one.
    Call before JUCE starts. */
bool prepareTestDisplay();
