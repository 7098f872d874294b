#pragma once
#include <cstddef>
#include <cstdint>
#include <initializer_list>

/** Turns a fuzzer's input into the numbers a harness needs. Reads never fail:
    once the input is used up every read gives 0, so any input, however
    short, is a complete and repeatable script. */
class ByteReader
{
public:
    ByteReader (const uint8_t* data, size_t size) noexcept : next (data), remaining (size) {}

    bool empty() const noexcept { return remaining == 0; }
    size_t left() const noexcept { return remaining; }

    uint8_t u8() noexcept;
    uint16_t u16() noexcept;
    uint32_t u32() noexcept;
    uint64_t u64() noexcept;

    /** 0 ... count - 1 (count > 0). */
    uint32_t below (uint32_t count) noexcept { return u16() % count; }

    /** An int that is usually one of the values where code tends to go wrong
        (0, ±1, the ends of the parameter and program ranges, the int limits),
        otherwise anything. */
    int32_t interestingInt() noexcept;

    /** A float that is usually a normal control value or one of the awkward
        ones (NaN, infinities, subnormals, huge, -0), otherwise any bit pattern. */
    float interestingFloat() noexcept;

    /** Up to maxBytes raw bytes; returns how many were copied. */
    size_t bytes (uint8_t* destination, size_t maxBytes) noexcept;

private:
    const uint8_t* next;
    size_t remaining;
};
