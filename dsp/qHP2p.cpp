#include "dsp/qHP2p.h"

qHP2p::~qHP2p() = default;

void qHP2p::formCoefficients (float cosw, float, float alpha)
{
    const float onePlusCos = 1.0f + cosw;
    b0 = onePlusCos * 0.5f;
    b1 = -onePlusCos;
    b2 = onePlusCos * 0.5f;
    a0 = 1.0f + alpha;
    a1 = -2.0f * cosw;
    a2 = 1.0f - alpha;
}
