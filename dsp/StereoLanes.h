#pragma once

// Lane arithmetic for running the engine's left and right lines side by side.
// Lane 0 carries the left line, lane 1 the right one; lanes 2 and 3 carry a
// second filter stage of the two lines where stages are paired, else idle.
// Every operation is one IEEE single-precision operation per lane, so a lane
// produces exactly the bits the plain per-line code would. SSE2 is used where
// the compiler guarantees it (every x86-64 build); elsewhere, or with
// QV_DSP_PORTABLE_LANES defined, a plain array of floats does the same work.
//
// Internal to qDelaySyncCS.cpp.

#include <cstdint>
#include <cstring>

#if ! defined (QV_DSP_PORTABLE_LANES) && (defined (__SSE2__) || defined (_M_X64) || (defined (_M_IX86_FP) && _M_IX86_FP >= 2))
 #define QV_DSP_SSE2_LANES 1
 #include <emmintrin.h>
#else
 #define QV_DSP_SSE2_LANES 0
#endif

namespace stereolanes
{
#if QV_DSP_SSE2_LANES

struct V { __m128 v; };

inline V add (V a, V b) noexcept    { return { _mm_add_ps (a.v, b.v) }; }
inline V sub (V a, V b) noexcept    { return { _mm_sub_ps (a.v, b.v) }; }
inline V mul (V a, V b) noexcept    { return { _mm_mul_ps (a.v, b.v) }; }
inline V splat (float x) noexcept   { return { _mm_set1_ps (x) }; }

// `m` lanes all ones take a, all zeros take b.
inline V select (V m, V a, V b) noexcept
{
    return { _mm_or_ps (_mm_and_ps (m.v, a.v), _mm_andnot_ps (m.v, b.v)) };
}

inline V bitAnd (V a, V b) noexcept { return { _mm_and_ps (a.v, b.v) }; }

// All bits set in lanes 0, 1 (low) or in lanes 2, 3.
inline V halfMask (bool low) noexcept
{
    return { _mm_castsi128_ps (low ? _mm_set_epi32 (0, 0, -1, -1) : _mm_set_epi32 (-1, -1, 0, 0)) };
}

template <typename Aligned16>
inline V load (const Aligned16& s) noexcept
{
    return { _mm_load_ps (reinterpret_cast<const float*> (&s.v[0])) };
}

template <typename Aligned16>
inline void store (Aligned16& s, V x) noexcept
{
    _mm_store_ps (reinterpret_cast<float*> (&s.v[0]), x.v);
}

// Two consecutive floats (one stereo frame) into lanes 0 and 1.
inline V loadPair (const float* p) noexcept
{
    return { _mm_loadl_pi (_mm_setzero_ps(), reinterpret_cast<const __m64*> (p)) };
}

inline void storeFrame (float* p, V x) noexcept
{
    _mm_storel_pi (reinterpret_cast<__m64*> (p), x.v);
}

// Lane 0 to *left, lane 1 to *right.
inline void storePair (float* left, float* right, V x) noexcept
{
    _mm_store_ss (left, x.v);
    _mm_store_ss (right, _mm_shuffle_ps (x.v, x.v, _MM_SHUFFLE (1, 1, 1, 1)));
}

inline V gatherPair (const float* left, const float* right) noexcept
{
    return { _mm_unpacklo_ps (_mm_load_ss (left), _mm_load_ss (right)) };
}

// Exchanges lanes 0 and 1 (and 2 and 3).
inline V swapPair (V x) noexcept
{
    return { _mm_shuffle_ps (x.v, x.v, _MM_SHUFFLE (2, 3, 0, 1)) };
}

// [a0, a1, b0, b1]: the low halves of a and b side by side.
inline V joinLow (V a, V b) noexcept   { return { _mm_movelh_ps (a.v, b.v) }; }

// [a2, a3, a2, a3]: the high half moved down.
inline V highHalf (V a) noexcept       { return { _mm_movehl_ps (a.v, a.v) }; }

template <typename Aligned16>
inline V loadLowHalves (const Aligned16& low, const Aligned16& high) noexcept
{
    return joinLow (load (low), load (high));
}

template <typename Aligned16>
inline void storeHalves (Aligned16& low, Aligned16& high, V x) noexcept
{
    _mm_storel_pi (reinterpret_cast<__m64*> (&low.v[0]), x.v);
    _mm_storel_pi (reinterpret_cast<__m64*> (&high.v[0]), _mm_movehl_ps (x.v, x.v));
}

#else

struct V { float v[4]; };

inline V add (V a, V b) noexcept   { V r; for (int i = 0; i < 4; ++i) r.v[i] = a.v[i] + b.v[i]; return r; }
inline V sub (V a, V b) noexcept   { V r; for (int i = 0; i < 4; ++i) r.v[i] = a.v[i] - b.v[i]; return r; }
inline V mul (V a, V b) noexcept   { V r; for (int i = 0; i < 4; ++i) r.v[i] = a.v[i] * b.v[i]; return r; }
inline V splat (float x) noexcept  { return { { x, x, x, x } }; }

inline V select (V m, V a, V b) noexcept
{
    V r;
    for (int i = 0; i < 4; ++i)
    {
        std::uint32_t bits;
        std::memcpy (&bits, &m.v[i], sizeof bits);
        r.v[i] = bits != 0 ? a.v[i] : b.v[i];
    }
    return r;
}

inline V bitAnd (V a, V b) noexcept
{
    V r;
    for (int i = 0; i < 4; ++i)
    {
        std::uint32_t x, y;
        std::memcpy (&x, &a.v[i], sizeof x);
        std::memcpy (&y, &b.v[i], sizeof y);
        x &= y;
        std::memcpy (&r.v[i], &x, sizeof x);
    }
    return r;
}

inline V halfMask (bool low) noexcept
{
    const std::uint32_t on = 0xffffffffu, off = 0;
    V r;
    for (int i = 0; i < 4; ++i)
        std::memcpy (&r.v[i], (i < 2) == low ? &on : &off, sizeof on);
    return r;
}

template <typename Aligned16>
inline V load (const Aligned16& s) noexcept
{
    V r;
    std::memcpy (r.v, &s.v[0], sizeof r.v);
    return r;
}

template <typename Aligned16>
inline void store (Aligned16& s, V x) noexcept
{
    std::memcpy (&s.v[0], x.v, sizeof x.v);
}

inline V loadPair (const float* p) noexcept              { return { { p[0], p[1], 0.0f, 0.0f } }; }
inline void storeFrame (float* p, V x) noexcept          { p[0] = x.v[0]; p[1] = x.v[1]; }
inline void storePair (float* l, float* r, V x) noexcept { *l = x.v[0]; *r = x.v[1]; }
inline V gatherPair (const float* l, const float* r) noexcept { return { { *l, *r, 0.0f, 0.0f } }; }
inline V swapPair (V x) noexcept                         { return { { x.v[1], x.v[0], x.v[3], x.v[2] } }; }
inline V joinLow (V a, V b) noexcept                     { return { { a.v[0], a.v[1], b.v[0], b.v[1] } }; }
inline V highHalf (V a) noexcept                         { return { { a.v[2], a.v[3], a.v[2], a.v[3] } }; }

template <typename Aligned16>
inline V loadLowHalves (const Aligned16& low, const Aligned16& high) noexcept
{
    return { { low.v[0], low.v[1], high.v[0], high.v[1] } };
}

template <typename Aligned16>
inline void storeHalves (Aligned16& low, Aligned16& high, V x) noexcept
{
    low.v[0] = x.v[0];  low.v[1] = x.v[1];
    high.v[0] = x.v[2]; high.v[1] = x.v[3];
}

#endif

// A read position d samples behind the write position, wrapped into the ring.
inline int wrapBack (int index, int length) noexcept
{
    return index < 0 ? index + length : index;
}

// Two-pole filters run lane by lane: the difference equation with 1/a0 and
// the products b0*g, b2*g taken once when the settings change instead of per
// sample (the same values the per-sample formula forms), and the history
// kept in registers for the length of a run. One Stage holds either one
// filter type for both lines (lanes 0, 1) or two filter types that follow
// each other in the chain (lanes 0, 1 and 2, 3).
struct Stage
{
    V negA2, a1, b1, g, b0G, b2G;
    V x1, x2, y1, y2;

    V output (V x) const noexcept
    {
        V t = mul (mul (negA2, y2), g);        // -(a2*y2*g), negation exact
        t = sub (t, mul (mul (a1, y1), g));
        t = add (t, mul (mul (b1, x1), g));
        t = add (t, mul (b0G, x));
        return add (t, mul (b2G, x2));
    }

    V step (V x, V bias) noexcept
    {
        const V y = output (x);
        x2 = x1;
        x1 = add (x, bias);
        y2 = y1;
        y1 = add (y, bias);
        return y;
    }

    // Lanes outside `active` pass x through and keep their history exactly.
    V step (V x, V bias, V active) noexcept
    {
        const V y = output (x);
        x2 = select (active, x1, x2);
        x1 = select (active, add (x, bias), x1);
        y2 = select (active, y1, y2);
        y1 = select (active, add (y, bias), y1);
        return select (active, y, x);
    }
};

// The pre-delays and the combs of both lines for `count` frames starting at
// `frames` (interleaved, read only here), handing each comb output pair to
// body (frameIndex, x). All four rings advance together; the frames are cut
// into runs in which no write or read position wraps, so the inner loop
// only steps one index.
template <int Length, typename Body>
inline void runLines (float* const buffers[4], const int distances[4], int& writeIndex,
                      V feedback, V& feedbackSample, V bias,
                      const float* frames, int count, Body&& body) noexcept
{
    int done = 0;
    while (done < count)
    {
        int w = writeIndex + 1;
        if (w == Length)
            w = 0;

        int run = count - done;
        if (run > Length - w)
            run = Length - w;

        const float* read[4];
        for (int j = 0; j < 4; ++j)
        {
            const int r = wrapBack (w - distances[j], Length);
            if (run > Length - r)
                run = Length - r;
            read[j] = buffers[j] + r;
        }

        float* const preL = buffers[0] + w;
        float* const preR = buffers[1] + w;
        float* const combL = buffers[2] + w;
        float* const combR = buffers[3] + w;
        const float* const readPreL = read[0];
        const float* const readPreR = read[1];
        const float* const readCombL = read[2];
        const float* const readCombR = read[3];
        const float* in = frames + 2 * done;

        for (int k = 0; k < run; ++k)
        {
            // Write before read: a distance of 0 hands back this very input.
            storePair (preL + k, preR + k, loadPair (in + 2 * k));
            const V x = gatherPair (readPreL + k, readPreR + k);

            // The fed-back term of the previous frame joins the input.
            storePair (combL + k, combR + k, add (x, feedbackSample));
            const V y = gatherPair (readCombL + k, readCombR + k);
            feedbackSample = add (mul (feedback, y), bias);

            body (done + k, y);
        }

        writeIndex = w + run - 1;
        done += run;
    }
}

} // namespace stereolanes
