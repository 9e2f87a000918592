#pragma once

#include "AllpassSection.h"

#include <array>

/** Splits a signal into two outputs about 90 degrees apart (an analytic-signal pair).

    Two chains of four AllpassSections each; chain A is followed by one sample of delay.
    Over most of the audio band "inPhase" (chain B) leads "quadrature" (delayed chain A) by 90
    degrees within about 1 degree (100 Hz to 15 kHz at 48 kHz), falling to about 86 degrees at
    20 Hz. Both outputs keep the input's magnitude spectrum. */
class HilbertAllpassPair
{
public:
    struct Output
    {
        float quadrature;
        float inPhase;
    };

    HilbertAllpassPair();

    /** Filters one sample into the two phase-split outputs. */
    Output ProcessSample(float x)
    {
        float a = x;
        for (auto& section : chainA)
            a = section.ProcessSample(a);
        const float q = delayedA;
        delayedA = a;

        float i = x;
        for (auto& section : chainB)
            i = section.ProcessSample(i);
        return {q, i};
    }

    /** Clears every section and the one-sample delay. */
    void Reset();

private:
    std::array<AllpassSection, 4> chainA;
    std::array<AllpassSection, 4> chainB;
    float delayedA = 0.0f;
};
