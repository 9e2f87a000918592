#include "FrequencyShift.h"

// Until the first SetFrequency the shifter runs at 100 Hz.
FrequencyShift::FrequencyShift(float rate)
    : sampleRate(rate), phaseIncrement(flush(100.0 / static_cast<double>(rate) * twoPi))
{
}
