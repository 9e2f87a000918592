#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

/** Look-ahead peak limiter with a ceiling of -1.5 dBFS (0.84139514).

    The peak of the newest sample (never below the ceiling) is held for holdSamples + 1 samples;
    an envelope follows the held peak with a 0.5 ms attack and a 7.5 ms release (one-pole, jumping
    the last 0.01), and the gain is ceiling / envelope, at most 1. The gain is applied to the
    sample from holdSamples earlier (1 ms), so the reduction starts before a peak arrives.
    Signals below the ceiling pass with gain exactly 1, merely delayed. A step overshoots the
    ceiling briefly (about 0.859 for a full-scale step) because the attack is slower than the
    look-ahead. A NaN input never reaches the envelope (it compares as no peak).

    The ring buffer is a power of two so wrapping is a mask. A request of 0 (sample rates below
    750 Hz) still gets one sample, and the hold is at least one sample, so the limiter works and
    its latency is true at any sample rate. */
class Limiter
{
public:
    /** requestedSize is rounded up to a power of two (at least 1). */
    Limiter(double sampleRate, unsigned requestedSize);

    /** Limits one sample; the result is the input from holdSamples earlier. */
    float ProcessSample(float x)
    {
        const float magnitude = std::fabs(x);
        const float peak =
            static_cast<double>(magnitude) > threshold ? magnitude : static_cast<float>(threshold);
        if (static_cast<unsigned>(holdCounter) > static_cast<unsigned>(holdSamples) ||
            static_cast<double>(peak) > heldPeak)
        {
            heldPeak = static_cast<double>(peak);
            holdCounter = 0;
        }
        ++holdCounter;

        const auto held = static_cast<float>(heldPeak);
        float e = envelope;
        if (std::fabs(held - e) < 0.01f)
            e = held;
        envelope = (held - e) * (held > e ? attackCoefficient : releaseCoefficient) + e;

        const float gain =
            std::min(1.0f, static_cast<float>(threshold / static_cast<double>(envelope)));
        const unsigned mask = static_cast<unsigned>(bufferSize) - 1u;
        const float out =
            gain * lookaheadBuffer[static_cast<unsigned>(writeIndex - holdSamples) & mask];
        lookaheadBuffer[static_cast<size_t>(writeIndex)] = x;
        writeIndex = static_cast<int>(static_cast<unsigned>(writeIndex + 1) & mask);
        return out;
    }

    /** The look-ahead and hold time in samples (1 ms, truncated; at least 1). */
    int GetHoldSamples() const { return holdSamples; }

    /** The ring buffer length, a power of two. */
    int GetBufferSize() const { return bufferSize; }

    /** The delay to report and to give the dry path: min(holdSamples, bufferSize). */
    int GetLatencySamples() const { return std::min(holdSamples, bufferSize); }

private:
    float attackCoefficient;
    float releaseCoefficient;
    float envelope;
    double threshold;
    double heldPeak;
    int holdSamples;
    int holdCounter = 0;
    int writeIndex = 0;
    int bufferSize;
    std::vector<float> lookaheadBuffer;
};
