#include "FractionalDelayWithFeedback.h"

#include <algorithm>

// A zero-length line would have nowhere to write; one sample is the least that works.
FractionalDelayWithFeedback::FractionalDelayWithFeedback(float sampleRate, int maxDelaySamples)
    : feedbackProcessor([](float x) { return x; }), delaySamples(std::max(1, maxDelaySamples)),
      length(delaySamples), buffer(static_cast<size_t>(length), 0.0f), highpass(sampleRate)
{
    feedback.coefficient =
        smoothingCoefficient(smoothingSamples(0.02f, static_cast<double>(sampleRate)));
}
