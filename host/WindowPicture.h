#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace qvhost
{

/** The pixels of a window as 0xRRGGBB values, row by row from the top left. */
class WindowPicture
{
public:
    WindowPicture() = default;
    WindowPicture (int width, int height, uint32_t fill = 0);

    int width() const noexcept { return w; }
    int height() const noexcept { return h; }
    bool isEmpty() const noexcept { return pixels.empty(); }

    uint32_t pixel (int x, int y) const { return pixels[(size_t) y * (size_t) w + (size_t) x]; }
    void setPixel (int x, int y, uint32_t rgb) { pixels[(size_t) y * (size_t) w + (size_t) x] = rgb & 0xffffffu; }

    /** True when every pixel has the same colour (or there are none): nothing has been drawn. */
    bool isBlank() const;

    bool operator== (const WindowPicture& other) const { return w == other.w && h == other.h && pixels == other.pixels; }
    bool operator!= (const WindowPicture& other) const { return ! (*this == other); }

    /** Writes an 8-bit RGB PNG under a temporary name next to `path`, then renames it into
        place; throws HostError on failure. */
    void savePng (const std::string& path) const;
    /** Reads any PNG as RGB (alpha dropped); throws HostError when it cannot. */
    static WindowPicture loadPng (const std::string& path);

private:
    int w = 0, h = 0;
    std::vector<uint32_t> pixels;
};

} // namespace qvhost
