#pragma once
#include "plugin/VstAbi.h"

#include <cstdint>

namespace qvhost
{

/** The host's song position and tempo map as a module sees it through audioMasterGetTime:
    one constant tempo and time signature from sample 0, a transport that is playing or
    stopped, and a play position in samples. `query` fills a VstTimeInfo and flags only the
    fields it could fill truthfully. Tests can take the information away (`setAvailable`) or
    withhold chosen validity flags (`withholdFlags`) to act like a poorer host. */
class HostTimeline
{
public:
    HostTimeline();

    void setSampleRate (double rate) noexcept { sampleRate = rate; }
    double getSampleRate() const noexcept { return sampleRate; }

    /** Beats per minute. A tempo that is not a positive finite number leaves the tempo, the
        musical positions and the clock unflagged. */
    void setTempo (double bpm) noexcept { tempo = bpm; }
    double getTempo() const noexcept { return tempo; }

    /** A signature with a numerator or denominator below 1 leaves the signature and the bar
        position unflagged. */
    void setTimeSignature (int32_t numerator, int32_t denominator) noexcept;
    int32_t getTimeSigNumerator() const noexcept { return timeSigNumerator; }
    int32_t getTimeSigDenominator() const noexcept { return timeSigDenominator; }

    void setPlaying (bool shouldPlay) noexcept;
    bool isPlaying() const noexcept { return playing; }
    void setRecording (bool shouldRecord) noexcept;
    bool isRecording() const noexcept { return recording; }

    void setSamplePosition (double position) noexcept { samplePosition = position; }
    double getSamplePosition() const noexcept { return samplePosition; }
    /** Moves the play position on by a processed block; a stopped transport stays where it is. */
    void advance (int32_t frames) noexcept;

    /** SMPTE frame-rate code (vst::SmpteFrameRate) and the session's SMPTE start offset in
        eightieths of a frame. Codes without a definite frame rate (the film codes) are
        reported unflagged. */
    void setSmpte (int32_t frameRateCode, int32_t offsetSubframes) noexcept;

    /** False: the host answers audioMasterGetTime with null. */
    void setAvailable (bool isAvailable) noexcept { available = isAvailable; }
    bool isAvailable() const noexcept { return available; }

    /** Validity flags that are never reported, e.g. kVstTempoValid to act like a host
        without tempo. */
    void withholdFlags (int32_t flags) noexcept { withheld = flags; }

    /** Fills `info` and answers its address, or null when no time information is available.
        `requested` is the mask the module passed; fields are filled whether asked for or not. */
    const vst::VstTimeInfo* query (vst::VstTimeInfo& info, intptr_t requested) noexcept;

    /** Frames per second of a SMPTE code, or 0 where the code names no definite rate. */
    static double framesPerSecond (int32_t frameRateCode) noexcept;

private:
    double sampleRate = 44100.0;
    double tempo = 120.0;
    int32_t timeSigNumerator = 4;
    int32_t timeSigDenominator = 4;
    bool playing = false;
    bool recording = false;
    bool transportChanged = true;
    double samplePosition = 0.0;
    int32_t smpteFrameRate = vst::kVstSmpte25fps;
    int32_t smpteOffset = 0;
    bool available = true;
    int32_t withheld = 0;
};

} // namespace qvhost
