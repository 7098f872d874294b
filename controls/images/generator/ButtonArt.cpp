#include "controls/images/generator/ButtonArt.h"

#include "controls/images/generator/ArtKit.h"

#include <stdexcept>

using namespace ArtKit;

namespace ButtonArt
{
namespace
{
    /** Light plate (off) or lit orange plate (on) filling the frame. */
    void drawPlate (juce::Graphics& g, juce::Rectangle<float> r, bool on, float corner = 2.0f)
    {
        const auto top = on ? Palette::accentLight : juce::Colour (0xfff8f9fa);
        const auto bottom = on ? Palette::accent : juce::Colour (0xffd3d8dc);
        const auto rim = on ? Palette::accentDark : juce::Colour (0xff858d93);

        g.setColour (rim);
        g.fillRoundedRectangle (r, corner);
        juce::ColourGradient fill (top, 0.0f, r.getY(), bottom, 0.0f, r.getBottom(), false);
        g.setGradientFill (fill);
        g.fillRoundedRectangle (r.reduced (1.0f), juce::jmax (0.0f, corner - 1.0f));

        // Lit top edge.
        g.setColour (juce::Colours::white.withAlpha (on ? 0.45f : 0.9f));
        g.fillRect (r.getX() + 1.5f, r.getY() + 1.0f, r.getWidth() - 3.0f, 1.0f);
    }

    juce::Image twoFrames (int width, int frameHeight, const std::function<void (juce::Graphics&, bool on)>& draw)
    {
        return makeStrip (width, frameHeight, 2, [&] (juce::Graphics& g, int i) { draw (g, i == 1); });
    }
}

namespace
{
    /** Five-pixel capitals for the tiniest plates, where an outline font
        would blur into grey. Each row is a bit pattern, leftmost pixel first. */
    struct PixelGlyph { char c; int width; const char* rows[5]; };

    const PixelGlyph pixelGlyphs[] = {
        { 'C', 3, { ".##", "#..", "#..", "#..", ".##" } },
        { 'H', 3, { "#.#", "#.#", "###", "#.#", "#.#" } },
        { 'L', 3, { "#..", "#..", "#..", "#..", "###" } },
        { 'N', 4, { "#..#", "##.#", "#.##", "#..#", "#..#" } },
        { 'O', 4, { ".##.", "#..#", "#..#", "#..#", ".##." } },
        { 'P', 3, { "##.", "#.#", "##.", "#..", "#.." } },
        { 'S', 3, { ".##", "#..", ".#.", "..#", "##." } },
        { 'Y', 3, { "#.#", "#.#", ".#.", ".#.", ".#." } },
    };

    const PixelGlyph& glyph (char c)
    {
        for (const auto& g : pixelGlyphs)
            if (g.c == c)
                return g;
        throw std::logic_error (std::string ("no pixel glyph for ") + c);
    }

    void drawPixelText (juce::Graphics& g, const juce::String& text, int centreX, int top)
    {
        int width = -1;
        for (auto c : text)
            width += glyph ((char) c).width + 1;

        int x = centreX - width / 2;
        for (auto c : text)
        {
            const auto& gl = glyph ((char) c);
            for (int row = 0; row < 5; ++row)
                for (int col = 0; col < gl.width; ++col)
                    if (gl.rows[row][col] == '#')
                        g.fillRect (x + col, top + row, 1, 1);
            x += gl.width + 1;
        }
    }
}

juce::Image captionSwitch (int width, int frameHeight, const juce::String& caption)
{
    return twoFrames (width, frameHeight, [&] (juce::Graphics& g, bool on)
    {
        const juce::Rectangle<float> r (0.0f, 0.0f, (float) width, (float) frameHeight);
        drawPlate (g, r, on);
        g.setColour (on ? juce::Colours::white : Palette::ink);

        if (width < 24)
        {
            drawPixelText (g, caption, width / 2, (frameHeight - 5) / 2);
            return;
        }

        g.setFont (font (FontStyle::bold, 10.0f));
        g.drawText (caption, r.translated (0.0f, -0.5f), juce::Justification::centred, false);
    });
}

juce::Image powerButton()
{
    return twoFrames (44, 19, [] (juce::Graphics& g, bool on)
    {
        const juce::Rectangle<float> r (0.0f, 0.0f, 44.0f, 19.0f);
        drawPlate (g, r, on, 3.0f);

        const juce::Point<float> lamp (9.5f, 9.5f);
        if (on)
        {
            g.setColour (juce::Colour (0x80fff2c0));
            g.fillEllipse (lamp.x - 5.0f, lamp.y - 5.0f, 10.0f, 10.0f);
            g.setColour (juce::Colour (0xfffffbe8));
            g.fillEllipse (lamp.x - 3.2f, lamp.y - 3.2f, 6.4f, 6.4f);
        }
        else
        {
            g.setColour (juce::Colour (0xff6a7279));
            g.fillEllipse (lamp.x - 3.5f, lamp.y - 3.5f, 7.0f, 7.0f);
            g.setColour (juce::Colour (0xff3e454b));
            g.fillEllipse (lamp.x - 2.6f, lamp.y - 2.6f, 5.2f, 5.2f);
        }

        g.setFont (font (FontStyle::bold, 10.5f));
        g.setColour (on ? juce::Colours::white : Palette::ink);
        g.drawText ("Power", juce::Rectangle<float> (14.0f, 0.0f, 30.0f, 18.5f), juce::Justification::centred, false);
    });
}

juce::Image inputButton()
{
    return twoFrames (22, 19, [] (juce::Graphics& g, bool on)
    {
        if (! on)
            return;   // off shows the face underneath unchanged

        const juce::Rectangle<float> r (1.0f, 1.0f, 20.0f, 17.0f);
        g.setColour (Palette::accent.withAlpha (0.16f));
        g.fillRoundedRectangle (r, 2.0f);

        // Square brackets around the letter printed on the face.
        juce::Path brackets;
        brackets.startNewSubPath (5.5f, 1.5f);
        brackets.lineTo (1.5f, 1.5f);
        brackets.lineTo (1.5f, 17.5f);
        brackets.lineTo (5.5f, 17.5f);
        brackets.startNewSubPath (16.5f, 1.5f);
        brackets.lineTo (20.5f, 1.5f);
        brackets.lineTo (20.5f, 17.5f);
        brackets.lineTo (16.5f, 17.5f);
        g.setColour (Palette::accent);
        g.strokePath (brackets, juce::PathStrokeType (2.0f, juce::PathStrokeType::mitered, juce::PathStrokeType::square));
    });
}

juce::Image stereoInputButton()
{
    return twoFrames (10, 10, [] (juce::Graphics& g, bool on)
    {
        const juce::Rectangle<float> r (1.0f, 1.0f, 8.0f, 8.0f);
        if (on)
        {
            g.setColour (Palette::accentDark);
            g.fillRect (r);
            g.setColour (Palette::accent);
            g.fillRect (r.reduced (1.0f));
            g.setColour (juce::Colours::white.withAlpha (0.45f));
            g.fillRect (2.0f, 2.0f, 6.0f, 1.0f);
        }
        else
        {
            g.setColour (juce::Colours::white.withAlpha (0.7f));
            g.fillRect (r.reduced (1.0f));
            g.setColour (Palette::inkSoft);
            g.drawRect (r, 1.0f);
        }
    });
}

juce::Image dottedButton()
{
    return twoFrames (8, 8, [] (juce::Graphics& g, bool on)
    {
        if (on)
        {
            g.setColour (Palette::accentDark);
            g.fillEllipse (0.5f, 0.5f, 7.0f, 7.0f);
            g.setColour (Palette::accent);
            g.fillEllipse (1.3f, 1.3f, 5.4f, 5.4f);
            g.setColour (juce::Colours::white.withAlpha (0.6f));
            g.fillEllipse (2.5f, 2.0f, 2.0f, 2.0f);
        }
        else
        {
            g.setColour (Palette::inkSoft);
            g.fillEllipse (2.0f, 2.0f, 4.0f, 4.0f);
        }
    });
}

juce::Image tripletButton()
{
    return twoFrames (8, 8, [] (juce::Graphics& g, bool on)
    {
        drawPlate (g, { 0.0f, 0.0f, 8.0f, 8.0f }, on, 1.0f);

        // A pixel-drawn T stays crisp at this size where a font would blur.
        g.setColour (on ? juce::Colours::white : Palette::ink);
        g.fillRect (2, 2, 4, 1);
        g.fillRect (3, 3, 2, 3);
    });
}

void drawSwitchBezel (juce::Graphics& g, juce::Rectangle<float> b)
{
    g.setColour (juce::Colours::white.withAlpha (0.8f));
    g.fillRoundedRectangle (b.expanded (1.0f).translated (0.0f, 1.0f), 3.0f);
    g.setColour (Palette::bezel.withAlpha (0.6f));
    g.fillRoundedRectangle (b.expanded (1.0f), 3.0f);
    g.setColour (Palette::deckBottom.darker (0.15f));
    g.fillRect (b);
}
}
