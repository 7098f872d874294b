#pragma once

/** The 36 parameters: index at the host boundary, identifier (also the key in
    saved state) and default. Switches are on only at exactly 1.0. */
namespace ParameterTable
{
    enum Index : int
    {
        fOnButton, fLeftSelButton, fRightSelButton, fStereoSelButton, fStereoModeButton,
        fLinkModeButton, fPingPongModeButton, fPreDelayLeft, fPreDelayRight, fDelaySyncButton,
        fDelayTripletButton, fDelayDotButton, fDelayLeft, fDelayRight, fFeedbackLeft,
        fFeedbackRight, fPanLeft, fPanRight, fFilterOnButton, fFilterLPButton, fFilterHPButton,
        fFilterBPButton, fFilterOnButtonB, fFilterLPButtonB, fFilterHPButtonB, fFilterBPButtonB,
        fFilterFreqLeft, fFilterResLeft, fFilterFreqRight, fFilterResRight, fMixLeft, fMixRight,
        fOutputLeft, fOutputRight, fVolDb, fMix,
        numParameters
    };

    constexpr int numPrograms = 128;

    extern const char* const identifiers[numParameters];
    extern const float defaults[numParameters];

    constexpr bool isValidIndex (int index) noexcept { return index >= 0 && index < numParameters; }
}
