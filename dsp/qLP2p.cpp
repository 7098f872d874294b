#include "dsp/qLP2p.h"

qLP2p::~qLP2p() = default;

void qLP2p::formCoefficients (float cosw, float, float alpha)
{
    const float oneMinusCos = 1.0f - cosw;
    b0 = oneMinusCos * 0.5f;
    b1 = oneMinusCos;
    b2 = oneMinusCos * 0.5f;
    a0 = 1.0f + alpha;
    a1 = -2.0f * cosw;
    a2 = 1.0f - alpha;
}
