#include "controls/EmbeddedImages.h"

juce::Image EmbeddedImage::getImage() const
{
    if (data == nullptr || size <= 0)
        return {};

    // Keyed by the data address: the first request decodes, later ones share.
    return juce::ImageCache::getFromMemory (data, size);
}
