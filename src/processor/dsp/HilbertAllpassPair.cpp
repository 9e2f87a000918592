#include "HilbertAllpassPair.h"

// The coefficients are single-precision values; nine digits identify each exactly.
HilbertAllpassPair::HilbertAllpassPair()
    : chainA{AllpassSection(0.479400873f), AllpassSection(0.876218498f),
             AllpassSection(0.976597607f), AllpassSection(0.997499228f)},
      chainB{AllpassSection(0.161758497f), AllpassSection(0.733028948f),
             AllpassSection(0.945349693f), AllpassSection(0.990599155f)}
{
}

void HilbertAllpassPair::Reset()
{
    for (auto& section : chainA)
        section.Reset();
    for (auto& section : chainB)
        section.Reset();
    delayedA = 0.0f;
}
