#include "fuzz/ByteReader.h"
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>

uint8_t ByteReader::u8() noexcept
{
    if (remaining == 0)
        return 0;

    --remaining;
    return *next++;
}

uint16_t ByteReader::u16() noexcept
{
    const uint16_t low = u8();
    return (uint16_t) (low | (u8() << 8));
}

uint32_t ByteReader::u32() noexcept
{
    const uint32_t low = u16();
    return low | ((uint32_t) u16() << 16);
}

uint64_t ByteReader::u64() noexcept
{
    const uint64_t low = u32();
    return low | ((uint64_t) u32() << 32);
}

int32_t ByteReader::interestingInt() noexcept
{
    static constexpr int32_t picks[] = { 0, 1, -1, 2, 5, 35, 36, 37, 127, 128, 129, 255, 1024, 65536,
                                         std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max() };
    const uint8_t choice = u8();

    if (choice < 2 * std::size (picks))
        return picks[choice % std::size (picks)];
    if (choice < 224)
        return (int32_t) (choice - 2 * std::size (picks)) - 16;   // small values around the ranges

    return (int32_t) u32();
}

float ByteReader::interestingFloat() noexcept
{
    constexpr float inf = std::numeric_limits<float>::infinity();
    static const float picks[] = { 0.0f, 1.0f, 0.5f, 0.25f, 0.999f, -0.0f, -1.0f, 1.5f, 44100.0f, 48000.0f,
                                   std::numeric_limits<float>::quiet_NaN(), inf, -inf,
                                   std::numeric_limits<float>::denorm_min(), 1e-39f,
                                   std::numeric_limits<float>::max(), -std::numeric_limits<float>::max(), 1e30f };
    const uint8_t choice = u8();

    if (choice < 2 * std::size (picks))
        return picks[choice % std::size (picks)];
    if (choice < 192)
        return (float) u8() / 255.0f;   // an ordinary control value

    const uint32_t bits = u32();
    float f;
    std::memcpy (&f, &bits, sizeof (f));
    return f;
}

size_t ByteReader::bytes (uint8_t* destination, size_t maxBytes) noexcept
{
    const size_t n = maxBytes < remaining ? maxBytes : remaining;

    if (n > 0)
        std::memcpy (destination, next, n);

    next += n;
    remaining -= n;
    return n;
}
