#pragma once

#include "FeedbackHighpass.h"
#include "OnePoleSmoother.h"

#include <cmath>
#include <functional>
#include <vector>

/** Soft clipper of the fed-back signal, single precision: the identity up to 0.95, then
    0.95 + d / ((20 d)^2 + 1) with d = |x| - 0.95 up to |x| = 1 (0.97499996 there), and 0.975
    beyond. Continuous and odd; keeps a feedback loop bounded even at unity gain. */
inline float feedbackSoftClip(float x)
{
    float a = std::fabs(x);
    if (a > 1.0f)
    {
        a = 0.975f;
    }
    else if (a > 0.95f)
    {
        const float d = a - 0.95f;
        const float s = 20.0f * d;
        a = d / (s * s + 1.0f) + 0.95f;
    }
    return std::copysign(a, x);
}

/** One delay line with its own feedback loop, read at a fractional, gliding distance.

    Per sample, with g the feedback gain and D the smoothed delay in samples:

        w[n] = clip(hp(P(g * y[n-1]))) + x[n]     (written into the ring buffer)
        y[n] = w[n - D]                            (linear interpolation)

    P is the replaceable feedbackProcessor (identity by default; the engine installs a frequency
    shifter), hp the 1600 Hz FeedbackHighpass and clip feedbackSoftClip. The write comes before
    the read, so D = 0 returns the input itself, while feedback always lags one sample.

    The delay glides through a double smoother (coefficient set by the owner), the feedback gain
    through a 20 ms float one. The first SetDelay/SetFeedback after construction take effect at
    once; later ones glide. A non-finite value returned by feedbackProcessor is treated as 0, so
    NaN never enters the buffer through the loop. Allocates only in the constructor. */
class FractionalDelayWithFeedback
{
public:
    /** maxDelaySamples is the buffer length; delays from 0 to maxDelaySamples - 1 are valid. */
    FractionalDelayWithFeedback(float sampleRate, int maxDelaySamples);

    /** Sets the delay in whole samples; ignored unless 0 <= samples < buffer length. */
    void SetDelay(int samples)
    {
        if (samples < 0 || samples >= length)
            return;
        delaySamples = samples;
        delay.SetTarget(static_cast<double>(samples));
    }

    /** Sets the feedback gain, 0 to 1. */
    void SetFeedback(float gain) { feedback.SetTarget(gain); }

    /** Sets the per-sample coefficient of the delay glide. */
    void SetDelayCoefficient(double coefficient) { delay.coefficient = coefficient; }

    /** The last delay accepted by SetDelay, or the buffer length before the first one. */
    int GetDelaySamples() const { return delaySamples; }

    /** Processes one input sample and returns the tap output. */
    float ProcessSample(float in)
    {
        feedback.snapNext = false;
        const float g = feedback.Next();
        const float fedBack = feedbackProcessor(lastOutput * g);
        buffer[static_cast<size_t>(writeIndex)] =
            feedbackSoftClip(highpass.ProcessSample(static_cast<double>(fedBack))) + in;

        delay.snapNext = false;
        const auto d = static_cast<float>(delay.Next());
        float p = static_cast<float>(writeIndex) - d;
        if (p < 0.0f)
            p += static_cast<float>(length);
        if (p >= static_cast<float>(length))
            p -= static_cast<float>(length);

        const float below = buffer[wrapIndex(static_cast<int>(p))];
        const float above = buffer[wrapIndex(static_cast<int>(p + 1.0f))];
        const float out = (above - below) * (p - std::floor(p)) + below;

        lastOutput = out;
        writeIndex = writeIndex + 1 < length ? writeIndex + 1 : 0;
        return out;
    }

    /** Applied to every fed-back sample before the high-pass; must not be empty. */
    std::function<float(float)> feedbackProcessor;

private:
    size_t wrapIndex(int i) const
    {
        if (i < 0)
            i += length;
        return static_cast<size_t>(i % length);
    }

    int delaySamples;
    int length;
    std::vector<float> buffer;
    int writeIndex = 0;
    OnePoleSmootherDouble delay;
    float lastOutput = 0.0f;
    OnePoleSmoother feedback;
    FeedbackHighpass highpass;
};
