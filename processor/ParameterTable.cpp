#include "processor/ParameterTable.h"

namespace ParameterTable
{
const char* const identifiers[numParameters] = {
    "fOnButton", "fLeftSelButton", "fRightSelButton", "fStereoSelButton", "fStereoModeButton",
    "fLinkModeButton", "fPingPongModeButton", "fPreDelayLeft", "fPreDelayRight", "fDelaySyncButton",
    "fDelayTripletButton", "fDelayDotButton", "fDelayLeft", "fDelayRight", "fFeedbackLeft",
    "fFeedbackRight", "fPanLeft", "fPanRight", "fFilterOnButton", "fFilterLPButton", "fFilterHPButton",
    "fFilterBPButton", "fFilterOnButtonB", "fFilterLPButtonB", "fFilterHPButtonB", "fFilterBPButtonB",
    "fFilterFreqLeft", "fFilterResLeft", "fFilterFreqRight", "fFilterResRight", "fMixLeft", "fMixRight",
    "fOutputLeft", "fOutputRight", "fVolDb", "fMix",
};

const float defaults[numParameters] = {
    1.0f, 0.0f, 0.0f, 1.0f, 1.0f,       // power on, stereo input, stereo mode
    0.0f, 0.0f, 0.0f, 0.0f, 0.0f,
    0.0f, 0.0f, 0.0f, 0.0f, 0.0f,
    0.0f, 0.0f, 0.0f, 1.0f, 1.0f, 0.0f, // both filter sections on with their low-pass
    0.0f, 1.0f, 1.0f, 0.0f, 0.0f,
    0.0f, 0.0f, 0.0f, 0.0f, 0.5f, 0.5f,
    0.5f, 0.5f, 0.0f, 0.5f,
};
}
