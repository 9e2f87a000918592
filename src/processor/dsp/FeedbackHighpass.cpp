#include "FeedbackHighpass.h"

namespace
{

double prewarpedGain(float sampleRate)
{
    // pi / fs is rounded to float before use: the cutoff constant is part of the sound.
    const auto piOverSampleRate =
        static_cast<float>(3.141592653589793 / static_cast<double>(sampleRate));
    return tanApprox(static_cast<double>(piOverSampleRate) * 1600.0);
}

} // namespace

FeedbackHighpass::FeedbackHighpass(float sampleRate)
    : gain(prewarpedGain(sampleRate)), denominator(gain * gain + 1.0 + gain)
{
}
