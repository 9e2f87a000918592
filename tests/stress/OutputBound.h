#pragma once

/** The largest output sample the processor can produce from input no louder than inputPeak, with
    every parameter anywhere in its range, derived from its gains and the limiter's ceiling.

    output = dry gain * delayed input + wet gain * echoes, both gains at most +3 dB (1.4125).
    - The echoes are at most eight taps at gain 1. A tap reads its delay line between two stored
      samples, each the shifted input plus the fed-back signal; the feedback soft clip caps the
      latter at 0.975, and the single-sideband shifter outputs at most inputPeak times
      shifterGain, the root of the sum of squares of the L1 norms of its two allpass chains.
    - Once the limiter has run longer than twice its hold, every sample it outputs was held in
      its peak detector for holdSamples + 1 samples, during which the envelope attacked towards
      it from at least the ceiling; at most holdSamples release steps may follow. The output is
      therefore at most ceiling / ((1 - release)^hold * (1 - (1 - attack)^hold)). */
class OutputBound
{
public:
    OutputBound(double sampleRate, float inputPeak);

    /** Any sample, the limiter on or off. */
    double anySample() const { return unlimited; }

    /** A sample after the limiter has been on for more than limitedAfterSamples() samples. */
    double limitedSample() const { return limited; }
    int limitedAfterSamples() const { return 2 * holdSamples + 2; }

    /** The shifter's peak gain, for the report. */
    double shifterPeakGain() const { return shifterGain; }

private:
    int holdSamples;
    double shifterGain;
    double unlimited;
    double limited;
};
