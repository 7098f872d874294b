#include "host/WindowPicture.h"
#include "host/HostError.h"

#include <png.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace qvhost
{

WindowPicture::WindowPicture (int width, int height, uint32_t fill)
    : w (std::max (0, width)), h (std::max (0, height)), pixels ((size_t) w * (size_t) h, fill & 0xffffffu)
{
}

bool WindowPicture::isBlank() const
{
    return std::all_of (pixels.begin(), pixels.end(), [this] (uint32_t p) { return p == pixels.front(); });
}

void WindowPicture::savePng (const std::string& path) const
{
    if (isEmpty())
        throw HostError ("no picture to write to '" + path + "'");

    std::vector<uint8_t> rgb (pixels.size() * 3);
    for (size_t i = 0; i < pixels.size(); ++i)
    {
        rgb[3 * i] = (uint8_t) (pixels[i] >> 16);
        rgb[3 * i + 1] = (uint8_t) (pixels[i] >> 8);
        rgb[3 * i + 2] = (uint8_t) pixels[i];
    }

    png_image image {};
    image.version = PNG_IMAGE_VERSION;
    image.width = (png_uint_32) w;
    image.height = (png_uint_32) h;
    image.format = PNG_FORMAT_RGB;

    // A reader never sees half a picture: it appears under its name only when complete.
    const std::string temporary = path + ".part";
    if (png_image_write_to_file (&image, temporary.c_str(), 0, rgb.data(), 0, nullptr) == 0)
    {
        const std::string reason = image.message;
        ::unlink (temporary.c_str());
        throw HostError ("cannot write '" + path + "': " + reason);
    }
    if (std::rename (temporary.c_str(), path.c_str()) != 0)
    {
        const std::string reason = std::strerror (errno);
        ::unlink (temporary.c_str());
        throw HostError ("cannot write '" + path + "': " + reason);
    }
}

WindowPicture WindowPicture::loadPng (const std::string& path)
{
    png_image image {};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file (&image, path.c_str()) == 0)
        throw HostError ("cannot read '" + path + "': " + image.message);

    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb (PNG_IMAGE_SIZE (image));
    if (png_image_finish_read (&image, nullptr, rgb.data(), 0, nullptr) == 0)
        throw HostError ("cannot read '" + path + "': " + image.message);

    WindowPicture picture ((int) image.width, (int) image.height);
    for (size_t i = 0; i < picture.pixels.size(); ++i)
        picture.pixels[i] = ((uint32_t) rgb[3 * i] << 16) | ((uint32_t) rgb[3 * i + 1] << 8) | rgb[3 * i + 2];
    return picture;
}

} // namespace qvhost
