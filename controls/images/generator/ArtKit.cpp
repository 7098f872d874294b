#include "controls/images/generator/ArtKit.h"

#include <map>
#include <stdexcept>

namespace ArtKit
{
namespace
{
    const char* fontFile (FontStyle style)
    {
        switch (style)
        {
            case FontStyle::regular:    return "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf";
            case FontStyle::bold:       return "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf";
            case FontStyle::narrow:     return "/usr/share/fonts/truetype/liberation/LiberationSansNarrow-Regular.ttf";
            case FontStyle::narrowBold: return "/usr/share/fonts/truetype/liberation/LiberationSansNarrow-Bold.ttf";
        }
        return "";
    }

    juce::Typeface::Ptr typeface (FontStyle style)
    {
        static std::map<FontStyle, juce::Typeface::Ptr> loaded;

        auto& slot = loaded[style];
        if (slot == nullptr)
        {
            juce::MemoryBlock data;
            if (! juce::File (fontFile (style)).loadFileAsData (data) || data.getSize() == 0)
                throw std::runtime_error (std::string ("font file missing: ") + fontFile (style)
                                          + " (install fonts-liberation)");

            slot = juce::Typeface::createSystemTypefaceFor (data.getData(), data.getSize());
            if (slot == nullptr)
                throw std::runtime_error (std::string ("font file unreadable: ") + fontFile (style));
        }
        return slot;
    }
}

juce::Font font (FontStyle style, float height)
{
    return juce::Font (typeface (style)).withHeight (height);
}

juce::Image blankImage (int width, int height)
{
    return juce::Image (juce::Image::ARGB, width, height, true, juce::SoftwareImageType());
}

juce::Image makeStrip (int width, int frameHeight, int frameCount,
                       const std::function<void (juce::Graphics&, int)>& drawFrame)
{
    auto strip = blankImage (width, frameHeight * frameCount);
    juce::Graphics g (strip);

    for (int i = 0; i < frameCount; ++i)
    {
        juce::Graphics::ScopedSaveState state (g);
        g.reduceClipRegion (0, i * frameHeight, width, frameHeight);
        g.setOrigin (0, i * frameHeight);
        drawFrame (g, i);
    }

    return strip;
}

bool writePng (const juce::Image& image, const juce::File& file)
{
    file.deleteFile();
    juce::FileOutputStream out (file);
    if (! out.openedOk())
        return false;

    // An ARGB image is always written as colour type 6 (RGBA), 8 bits, not
    // interlaced, even when every pixel happens to be opaque.
    jassert (image.getFormat() == juce::Image::ARGB);
    juce::PNGImageFormat png;
    return png.writeImageToStream (image, out);
}

void forceOpaque (juce::Image& image)
{
    juce::Image::BitmapData bits (image, juce::Image::BitmapData::readWrite);
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            bits.setPixelColour (x, y, bits.getPixelColour (x, y).withAlpha ((juce::uint8) 255));
}

void engravedText (juce::Graphics& g, const juce::String& text, juce::Rectangle<float> area,
                   const juce::Font& f, juce::Colour colour, juce::Justification justification)
{
    g.setFont (f);
    g.setColour (Palette::engraveLight);
    g.drawText (text, area.translated (0.0f, 1.0f), justification, false);
    g.setColour (colour);
    g.drawText (text, area, justification, false);
}

void insetWindow (juce::Graphics& g, juce::Rectangle<float> area, float corner, juce::Colour fill,
                  float rimAlpha)
{
    // Light lip below and right, dark rim above and left: a window cut into
    // a face lit from above.
    g.setColour (juce::Colours::white.withAlpha (0.75f));
    g.fillRoundedRectangle (area.translated (0.0f, 1.0f).expanded (0.5f), corner + 0.5f);
    g.setColour (Palette::bezel.withAlpha (rimAlpha));
    g.fillRoundedRectangle (area.expanded (0.5f), corner + 0.5f);
    g.setColour (fill);
    g.fillRoundedRectangle (area.reduced (0.5f), juce::jmax (0.0f, corner - 0.5f));

    juce::Graphics::ScopedSaveState state (g);
    g.reduceClipRegion (area.reduced (0.5f).toNearestInt());
    juce::ColourGradient shade (juce::Colours::black.withAlpha (0.16f), 0.0f, area.getY(),
                                juce::Colours::black.withAlpha (0.0f), 0.0f, area.getY() + 4.0f, false);
    g.setGradientFill (shade);
    g.fillRect (area);
}

void softShadow (juce::Graphics& g, juce::Rectangle<float> area, float corner, float radius, float alpha)
{
    const int steps = juce::jmax (1, (int) std::ceil (radius));
    for (int i = steps; i >= 1; --i)
    {
        const float grow = radius * (float) i / (float) steps;
        g.setColour (juce::Colours::black.withAlpha (alpha / (float) steps));
        g.fillRoundedRectangle (area.expanded (grow), corner + grow);
    }
}

juce::Point<float> pointAtKnobAngle (juce::Point<float> centre, float radius, float degrees)
{
    const float a = juce::degreesToRadians (degrees);
    return { centre.x - radius * std::sin (a), centre.y + radius * std::cos (a) };
}

juce::Path knobArc (juce::Point<float> centre, float radius, float fromDegrees, float toDegrees)
{
    // Path::addCentredArc measures clockwise from twelve o'clock; the knob
    // angle is measured clockwise from six o'clock.
    juce::Path p;
    p.addCentredArc (centre.x, centre.y, radius, radius, 0.0f,
                     juce::degreesToRadians (fromDegrees + 180.0f),
                     juce::degreesToRadians (toDegrees + 180.0f), true);
    return p;
}

void drawLogoMark (juce::Graphics& g, juce::Point<float> c, float r, juce::Colour ring, juce::Colour tail)
{
    const float stroke = r * 0.28f;

    juce::Path circle;
    circle.addCentredArc (c.x, c.y, r - stroke * 0.5f, r - stroke * 0.5f, 0.0f,
                          juce::degreesToRadians (150.0f), juce::degreesToRadians (150.0f + 330.0f), true);
    g.setColour (ring);
    g.strokePath (circle, juce::PathStrokeType (stroke, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));

    // The tail of the Q: a short bar from the centre out through the gap.
    juce::Path bar;
    const auto from = c + juce::Point<float> (r * 0.05f, r * 0.05f);
    const auto to   = c + juce::Point<float> (r * 0.95f, r * 0.95f);
    bar.startNewSubPath (from);
    bar.lineTo (to);
    g.setColour (tail);
    g.strokePath (bar, juce::PathStrokeType (stroke, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));

    // Three echo dots inside, getting fainter: the delay.
    for (int i = 0; i < 3; ++i)
    {
        const float d = r * (0.18f - 0.04f * (float) i);
        const auto p = c + juce::Point<float> (-r * 0.42f + r * 0.3f * (float) i, -r * 0.1f);
        g.setColour (ring.withMultipliedAlpha (1.0f - 0.3f * (float) i));
        g.fillEllipse (p.x - d, p.y - d, 2.0f * d, 2.0f * d);
    }
}
}
