#include "dsp/qBP2p.h"

qBP2p::~qBP2p() = default;

void qBP2p::formCoefficients (float cosw, float sinw, float alpha)
{
    b0 = sinw * 0.5f;
    b1 = 0.0f;
    b2 = -(sinw * 0.5f);
    a0 = 1.0f + alpha;
    a1 = -2.0f * cosw;
    a2 = 1.0f - alpha;
}
