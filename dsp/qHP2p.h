#pragma once

#include "dsp/qFilter2p.h"

// Resonant high-pass.
class qHP2p : public qFilter2p
{
public:
    qHP2p() = default;
    ~qHP2p() override;

protected:
    void formCoefficients (float cosw, float sinw, float alpha) override;
};
