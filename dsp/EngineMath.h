#pragma once

// Numeric helpers of the delay engine. Each rounds to single precision at
// fixed points so that every build produces the same samples; keep them out
// of line (they live in EngineMath.cpp) so the compiler cannot fold a call
// with constant arguments differently from the run-time library.

// Added to every value a recursive state stores, so silence decays towards a
// tiny constant instead of into subnormal numbers.
constexpr float kDenormalBias = 1e-13f;

// Tenth-order even polynomial cosine, good to 5e-4 over 0 ... 2.96 rad.
float fastCos (float w);

// Keeps a filter frequency between sampleRate/24576 and sampleRate*8/17.
float limitFrequency (float hz, float sampleRate);

// Note number (fractional, 0 ... 127) to Hz: 8.17742 * 1.05946^note.
float noteToFrequency (float note);

// Delay control value to the note divisor n of a 1/n note: the six sixths of
// 0 ... 1 give 64, 32, 16, 8, 4, 2; exactly 1.0 (and anything outside the
// range, NaN included) gives 1. Also used for the editor's delay texts.
int syncDivisor (float controlValue);
