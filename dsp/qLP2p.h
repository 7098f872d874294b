#pragma once

#include "dsp/qFilter2p.h"

// Resonant low-pass.
class qLP2p : public qFilter2p
{
public:
    qLP2p() = default;
    ~qLP2p() override;

protected:
    void formCoefficients (float cosw, float sinw, float alpha) override;
};
