#pragma once

#include "dsp/qFilter2p.h"

// Band-pass with constant skirt gain (peak gain equals Q).
class qBP2p : public qFilter2p
{
public:
    qBP2p() = default;
    ~qBP2p() override;

protected:
    void formCoefficients (float cosw, float sinw, float alpha) override;
};
