#include "controls/images/generator/FaceArt.h"

#include "controls/images/generator/ArtKit.h"
#include "controls/images/generator/ButtonArt.h"

using namespace ArtKit;

namespace FaceArt
{
namespace
{
    //==============================================================================
    // Where the editor places its controls; the face is drawn to fit them.
    constexpr int editorWidth = 525;
    constexpr int editorHeight = 312;
    constexpr int columnCount = 7;
    constexpr int firstKnobX = 101;
    constexpr int columnPitch = 60;
    constexpr int knobRowY[2] = { 158, 215 };
    constexpr int labelRowY[2] = { 188, 245 };
    const juce::Rectangle<int> linkPanelArea (86, 146, 421, 112);
    const juce::Rectangle<float> screenArea (13.5f, 10.5f, 501.0f, 117.0f);
    const juce::Rectangle<float> deckArea (87.5f, 146.5f, 419.0f, 111.0f);
    constexpr float bandTop = 263.0f;

    const char* const columnCaptions[columnCount] =
        { "Delay", "Feedback", "Pan", "Frequency", "Resonance", "Dry / wet", "Output" };

    float columnCentre (int column)       { return (float) (firstKnobX + column * columnPitch) + 16.0f; }
    juce::Point<float> knobCentre (int column, int row)
    {
        // The knob turns about (15.5, 15.5) of its 32 x 31 frame.
        return { (float) (firstKnobX + column * columnPitch) + 15.5f, (float) knobRowY[row] + 15.5f };
    }

    //==============================================================================
    /** Brushed light metal: a vertical gradient, horizontal grain that varies
        from row to row, and a little fine noise. Seeded, so reproducible. */
    void brushedMetal (juce::Image& img, juce::Colour top, juce::Colour bottom, int seed)
    {
        juce::Random random (seed);
        std::vector<float> rowGrain ((size_t) img.getHeight());
        float smooth = 0.0f;
        for (auto& v : rowGrain)
        {
            smooth = smooth * 0.6f + (random.nextFloat() - 0.5f) * 0.4f;
            v = smooth;
        }

        juce::Image::BitmapData bits (img, juce::Image::BitmapData::writeOnly);
        for (int y = 0; y < img.getHeight(); ++y)
        {
            const auto base = top.interpolatedWith (bottom, (float) y / (float) (img.getHeight() - 1));
            for (int x = 0; x < img.getWidth(); ++x)
            {
                const float grain = rowGrain[(size_t) y] * 9.0f + (random.nextFloat() - 0.5f) * 3.0f;
                auto channel = [grain] (juce::uint8 c) { return (juce::uint8) juce::jlimit (0, 255, (int) std::lround (c + grain)); };
                bits.setPixelColour (x, y, juce::Colour (channel (base.getRed()), channel (base.getGreen()),
                                                         channel (base.getBlue()), (juce::uint8) 255));
            }
        }
    }

    //==============================================================================
    void drawScreen (juce::Graphics& g)
    {
        insetWindow (g, screenArea, 4.0f, Palette::screen, 0.75f);

        // Information column on the left, displays to the right.
        g.setColour (Palette::screenLine);
        g.fillRect (88.0f, screenArea.getY() + 5.0f, 1.0f, screenArea.getHeight() - 10.0f);

        // Row divider between the left line's and the right line's displays.
        for (float x = 93.0f; x < 510.0f; x += 3.0f)
            g.fillRect (x, 72.0f, 1.5f, 1.0f);

        // Faint captions of the information column.
        g.setFont (font (FontStyle::bold, 8.0f));
        g.setColour (Palette::inkFaint);
        g.drawText ("TEMPO", juce::Rectangle<float> (24.0f, 20.0f, 56.0f, 9.0f), juce::Justification::centred, false);
        g.drawText ("DELAY MODE", juce::Rectangle<float> (24.0f, 62.5f, 56.0f, 9.0f), juce::Justification::centred, false);
        g.drawText ("MODE", juce::Rectangle<float> (24.0f, 85.5f, 56.0f, 9.0f), juce::Justification::centred, false);

        // Delay-time tracks under the arrows: a base line and quarter ticks.
        for (float cy : { 55.0f, 90.0f })
        {
            g.setColour (Palette::screenLine.darker (0.08f));
            g.fillRect (93.0f, cy + 6.0f, 48.0f, 1.0f);
            for (int k = 0; k <= 4; ++k)
            {
                const float x = 93.0f + 12.0f * (float) k - 0.5f;
                g.fillRect (x, cy + 6.0f, 1.0f, k % 2 == 0 ? 4.0f : 2.5f);
            }
        }
        g.setFont (font (FontStyle::narrowBold, 8.0f));
        g.setColour (Palette::inkFaint);
        g.drawText ("TIME", juce::Rectangle<float> (93.0f, 34.0f, 48.0f, 9.0f), juce::Justification::centredLeft, false);

        // Pan scales behind the needles (pivot 35, 32.5 inside a 70 x 37 frame).
        for (float pivotY : { 24.0f + 32.5f, 84.0f + 32.5f })
        {
            const juce::Point<float> pivot (236.0f, pivotY);
            juce::Path arc;
            arc.addCentredArc (pivot.x, pivot.y, 30.5f, 30.5f, 0.0f,
                               juce::degreesToRadians (-60.0f), juce::degreesToRadians (60.0f), true);
            g.setColour (Palette::screenLine.darker (0.1f));
            g.strokePath (arc, juce::PathStrokeType (1.0f));

            for (int k = 0; k <= 8; ++k)
            {
                const float theta = juce::degreesToRadians (-60.0f + 15.0f * (float) k);
                const juce::Point<float> dir (std::sin (theta), -std::cos (theta));
                const bool major = k % 4 == 0;
                juce::Path tick;
                tick.startNewSubPath (pivot + dir * (major ? 29.0f : 30.5f));
                tick.lineTo (pivot + dir * 33.5f);
                g.setColour (major ? Palette::inkSoft : Palette::inkFaint);
                g.strokePath (tick, juce::PathStrokeType (major ? 1.3f : 1.0f));
            }

            g.setFont (font (FontStyle::bold, 8.0f));
            g.setColour (Palette::inkSoft);
            g.drawText ("L", juce::Rectangle<float> (pivot.x - 35.0f, pivot.y - 16.0f, 8.0f, 9.0f), juce::Justification::centred, false);
            g.drawText ("R", juce::Rectangle<float> (pivot.x + 27.0f, pivot.y - 16.0f, 8.0f, 9.0f), juce::Justification::centred, false);
        }

        // Filter graph windows under the shape displays (105 x 45 each).
        for (float top : { 25.0f, 76.0f })
        {
            const juce::Rectangle<float> graph (274.0f, top, 105.0f, 45.0f);
            g.setColour (juce::Colours::white.withAlpha (0.55f));
            g.fillRect (graph);
            g.setColour (Palette::screenLine);
            for (int k = 1; k < 4; ++k)
                g.fillRect (graph.getX() + graph.getWidth() * (float) k / 4.0f, graph.getY(), 1.0f, graph.getHeight());
            g.fillRect (graph.getX(), graph.getCentreY(), graph.getWidth(), 1.0f);
            g.setColour (Palette::inkFaint);
            g.drawRect (graph.expanded (1.0f), 1.0f);
        }
    }

    //==============================================================================
    void drawColumnCaptions (juce::Graphics& g)
    {
        const auto f = font (FontStyle::bold, 10.5f);
        for (int c = 0; c < columnCount; ++c)
            engravedText (g, columnCaptions[c], { columnCentre (c) - 30.0f, 132.0f, 60.0f, 12.0f }, f, Palette::ink);
    }

    //==============================================================================
    void drawKnobWell (juce::Graphics& g, juce::Point<float> c)
    {
        // Recess the knob sits in.
        g.setColour (juce::Colours::black.withAlpha (0.10f));
        g.fillEllipse (c.x - 16.0f, c.y - 16.0f, 32.0f, 32.0f);
        g.setColour (juce::Colours::white.withAlpha (0.45f));
        g.fillEllipse (c.x - 15.5f, c.y - 15.0f, 31.0f, 31.0f);
        g.setColour (Palette::deckBottom);
        g.fillEllipse (c.x - 15.0f, c.y - 15.0f, 30.0f, 30.0f);

        // Scale dots along the 256-degree sweep, larger at both ends and the middle.
        for (int k = 0; k <= 10; ++k)
        {
            const float a = 52.0f + 25.6f * (float) k;
            const auto p = pointAtKnobAngle (c, 18.5f, a);
            const float d = (k == 0 || k == 5 || k == 10) ? 1.3f : 0.85f;
            g.setColour (k == 0 || k == 10 ? Palette::ink : Palette::inkSoft);
            g.fillEllipse (p.x - d, p.y - d, 2.0f * d, 2.0f * d);
        }
    }

    /** Knob outline of the linked face: a ring where the knob stands. */
    void drawKnobOutline (juce::Graphics& g, juce::Point<float> c)
    {
        drawKnobWell (g, c);
        g.setColour (Palette::inkFaint);
        g.drawEllipse (c.x - 12.0f, c.y - 12.0f, 24.0f, 24.0f, 1.0f);
    }

    /** Two chain links, standing for "follows the left line". */
    void drawChain (juce::Graphics& g, juce::Point<float> c, juce::Colour colour)
    {
        g.setColour (colour);
        const juce::PathStrokeType stroke (1.8f);
        juce::Path a, b;
        a.addRoundedRectangle (c.x - 4.0f, c.y - 9.0f, 8.0f, 11.0f, 4.0f);
        b.addRoundedRectangle (c.x - 4.0f, c.y - 2.0f, 8.0f, 11.0f, 4.0f);
        g.strokePath (a, stroke);
        g.strokePath (b, stroke);
    }

    void drawLabelWindows (juce::Graphics& g)
    {
        for (int row = 0; row < 2; ++row)
            for (int c = 0; c < columnCount; ++c)
                insetWindow (g, { (float) (98 + c * columnPitch), (float) labelRowY[row], 37.0f, 13.0f },
                             2.0f, Palette::screen);
    }

    void drawDeck (juce::Graphics& g, bool linked)
    {
        // The recessed deck of the knob rows.
        g.setColour (juce::Colours::white.withAlpha (0.7f));
        g.fillRoundedRectangle (deckArea.translated (0.0f, 1.0f), 5.0f);
        g.setColour (Palette::bezel.withAlpha (0.45f));
        g.fillRoundedRectangle (deckArea, 5.0f);
        juce::ColourGradient fill (Palette::deckTop, 0.0f, deckArea.getY(), Palette::deckBottom, 0.0f, deckArea.getBottom(), false);
        g.setGradientFill (fill);
        g.fillRoundedRectangle (deckArea.reduced (1.0f), 4.0f);

        // Grooves between the columns (frequency and resonance share the
        // filter section, whose switches straddle both).
        for (int c : { 1, 2, 3, 5, 6 })
        {
            const float x = (float) (firstKnobX - 14 + c * columnPitch);
            g.setColour (Palette::bezel.withAlpha (0.25f));
            g.fillRect (x, 161.0f, 1.0f, 93.0f);
            g.setColour (juce::Colours::white.withAlpha (0.55f));
            g.fillRect (x + 1.0f, 161.0f, 1.0f, 93.0f);
        }

        // Row tags: the upper row is the left line, the lower row the right line.
        const auto tagFont = font (FontStyle::bold, 9.0f);
        engravedText (g, "L", { 89.0f, knobCentre (0, 0).y - 5.0f, 9.0f, 10.0f }, tagFont, Palette::inkSoft);
        engravedText (g, "R", { 89.0f, knobCentre (0, 1).y - 5.0f, 9.0f, 10.0f }, tagFont, Palette::inkSoft);

        for (int c = 0; c < columnCount; ++c)
        {
            drawKnobWell (g, knobCentre (c, 0));

            if (! linked)
            {
                drawKnobWell (g, knobCentre (c, 1));
            }
            else
            {
                // Column bracket from the upper knob down to the lower row,
                // with a chain where the right line's knob would be.
                const float x = knobCentre (c, 1).x;
                const float top = 203.5f;
                const float bottom = 243.5f;
                juce::Path bracket;
                bracket.startNewSubPath (x - 8.0f, top);
                bracket.lineTo (x, top + 5.0f);
                bracket.lineTo (x + 8.0f, top);
                bracket.startNewSubPath (x, top + 5.0f);
                bracket.lineTo (x, knobCentre (c, 1).y - 11.0f);
                bracket.startNewSubPath (x, knobCentre (c, 1).y + 11.0f);
                bracket.lineTo (x, bottom - 3.0f);
                bracket.startNewSubPath (x - 8.0f, bottom);
                bracket.lineTo (x, bottom - 3.0f);
                bracket.lineTo (x + 8.0f, bottom);
                g.setColour (Palette::inkFaint);
                g.strokePath (bracket, juce::PathStrokeType (1.0f));
                drawChain (g, knobCentre (c, 1), Palette::inkSoft);
            }
        }

        // Seats of the small switches along the top edge, and of the right
        // line's filter switches between the rows.
        ButtonArt::drawSwitchBezel (g, { 93.0f, 147.0f, 20.0f, 11.0f });
        ButtonArt::drawSwitchBezel (g, { 117.0f, 147.0f, 8.0f, 8.0f });
        ButtonArt::drawSwitchBezel (g, { 129.0f, 147.0f, 8.0f, 8.0f });
        for (float y : { 147.0f, 204.0f })
        {
            if (linked && y > 150.0f)
                continue;
            ButtonArt::drawSwitchBezel (g, { 273.0f, y, 14.0f, 11.0f });
            ButtonArt::drawSwitchBezel (g, { 303.0f, y, 29.0f, 11.0f });
        }

        drawLabelWindows (g);
    }

    //==============================================================================
    /** A group outline with its caption set into the top edge. */
    void groupBox (juce::Graphics& g, juce::Rectangle<float> box, const juce::String& caption)
    {
        const auto f = font (FontStyle::bold, 9.5f);
        const float textWidth = f.getStringWidthFloat (caption) + 6.0f;
        const float gapFrom = box.getCentreX() - textWidth * 0.5f;
        const float gapTo = box.getCentreX() + textWidth * 0.5f;

        juce::Path outline;
        outline.startNewSubPath (gapFrom, box.getY());
        outline.lineTo (box.getX() + 3.0f, box.getY());
        outline.quadraticTo (box.getX(), box.getY(), box.getX(), box.getY() + 3.0f);
        outline.lineTo (box.getX(), box.getBottom() - 3.0f);
        outline.quadraticTo (box.getX(), box.getBottom(), box.getX() + 3.0f, box.getBottom());
        outline.lineTo (box.getRight() - 3.0f, box.getBottom());
        outline.quadraticTo (box.getRight(), box.getBottom(), box.getRight(), box.getBottom() - 3.0f);
        outline.lineTo (box.getRight(), box.getY() + 3.0f);
        outline.quadraticTo (box.getRight(), box.getY(), box.getRight() - 3.0f, box.getY());
        outline.lineTo (gapTo, box.getY());

        g.setColour (juce::Colours::white.withAlpha (0.8f));
        g.strokePath (outline, juce::PathStrokeType (1.0f), juce::AffineTransform::translation (1.0f, 1.0f));
        g.setColour (Palette::bezel.withAlpha (0.6f));
        g.strokePath (outline, juce::PathStrokeType (1.0f));

        engravedText (g, caption, { gapFrom, box.getY() - 6.0f, textWidth, 11.0f }, f, Palette::ink);
    }

    void drawLeftColumn (juce::Graphics& g)
    {
        ButtonArt::drawSwitchBezel (g, { 27.0f, 131.0f, 44.0f, 19.0f });

        groupBox (g, { 14.5f, 157.5f, 69.0f, 31.0f }, "Input");
        const auto letters = font (FontStyle::bold, 12.0f);
        engravedText (g, "L", { 20.0f, 164.0f, 22.0f, 19.0f }, letters, Palette::ink);
        engravedText (g, "R", { 56.0f, 164.0f, 22.0f, 19.0f }, letters, Palette::ink);
        ButtonArt::drawSwitchBezel (g, { 44.0f, 167.0f, 10.0f, 10.0f });
        engravedText (g, "ST", { 41.0f, 178.0f, 16.0f, 8.0f }, font (FontStyle::bold, 7.0f), Palette::inkSoft);

        groupBox (g, { 14.5f, 199.5f, 69.0f, 48.0f }, "Mode");
        ButtonArt::drawSwitchBezel (g, { 21.0f, 207.0f, 56.0f, 35.0f });
    }

    //==============================================================================
    void drawBottomBand (juce::Graphics& g)
    {
        const juce::Rectangle<float> band (0.0f, bandTop, (float) editorWidth, (float) editorHeight - bandTop);
        juce::ColourGradient fill (Palette::panelDarkTop, 0.0f, band.getY(), Palette::panelDarkBottom, 0.0f, band.getBottom(), false);
        g.setGradientFill (fill);
        g.fillRect (band);
        g.setColour (juce::Colours::black.withAlpha (0.5f));
        g.fillRect (band.getX(), band.getY(), band.getWidth(), 1.0f);
        g.setColour (juce::Colours::white.withAlpha (0.12f));
        g.fillRect (band.getX(), band.getY() + 1.0f, band.getWidth(), 1.0f);

        // Maker: logo and name, under the information hot spot (5, 255, 130, 55).
        drawLogoMark (g, { 30.0f, 287.5f }, 13.0f, Palette::accent, juce::Colours::white);
        g.setColour (juce::Colours::white);
        g.setFont (font (FontStyle::bold, 19.0f));
        g.drawText ("Quarvel", juce::Rectangle<float> (50.0f, 274.0f, 84.0f, 20.0f), juce::Justification::centredLeft, false);
        g.setColour (juce::Colour (0xff9aa2a9));
        g.setFont (font (FontStyle::regular, 8.5f));
        g.drawText ("AUDIO INSTRUMENTS", juce::Rectangle<float> (51.0f, 292.0f, 84.0f, 10.0f), juce::Justification::centredLeft, false);

        // Product name on the right.
        const auto nameFont = font (FontStyle::bold, 24.0f);
        const juce::String name ("QV-Delay ");
        const float nameWidth = nameFont.getStringWidthFloat (name);
        const float txWidth = nameFont.getStringWidthFloat ("TX");
        const float right = 510.0f;
        const float left = right - nameWidth - txWidth;
        g.setFont (nameFont);
        g.setColour (juce::Colours::white);
        g.drawText (name, juce::Rectangle<float> (left, 270.0f, nameWidth, 26.0f), juce::Justification::centredLeft, false);
        g.setColour (Palette::accent);
        g.drawText ("TX", juce::Rectangle<float> (left + nameWidth, 270.0f, txWidth + 2.0f, 26.0f), juce::Justification::centredLeft, false);

        g.setColour (juce::Colour (0xff9aa2a9));
        g.setFont (font (FontStyle::regular, 8.5f));
        g.drawText ("STEREO TEMPO DELAY", juce::Rectangle<float> (left, 294.0f, right - left, 10.0f),
                    juce::Justification::centredRight, false);
    }

    //==============================================================================
    juce::Image editorFace (bool linked)
    {
        auto img = blankImage (editorWidth, editorHeight);
        brushedMetal (img, Palette::faceTop, Palette::faceBottom, 20240611);

        juce::Graphics g (img);
        drawScreen (g);
        drawColumnCaptions (g);
        drawDeck (g, linked);
        drawLeftColumn (g);
        drawBottomBand (g);

        forceOpaque (img);
        return img;
    }
}

juce::Image background()
{
    return editorFace (false);
}

juce::Image linkModePanel()
{
    return editorFace (true).getClippedImage (linkPanelArea).createCopy();
}

juce::Image aboutPanel()
{
    constexpr int w = 502;
    constexpr int h = 249;
    auto img = blankImage (w, h);
    juce::Graphics g (img);

    const juce::Rectangle<float> all (0.0f, 0.0f, (float) w, (float) h);
    juce::ColourGradient fill (Palette::panelDarkTop, 0.0f, 0.0f, Palette::panelDarkBottom, 0.0f, (float) h, false);
    g.setGradientFill (fill);
    g.fillRect (all);

    // Frame: light outer edge, thin orange inner line.
    g.setColour (juce::Colour (0xff5a6268));
    g.drawRect (all, 1.0f);
    g.setColour (Palette::accent.withAlpha (0.7f));
    g.drawRoundedRectangle (all.reduced (6.5f), 4.0f, 1.0f);

    // Logo and maker.
    drawLogoMark (g, { 84.0f, 92.0f }, 44.0f, Palette::accent, juce::Colours::white);
    g.setColour (juce::Colours::white);
    g.setFont (font (FontStyle::bold, 22.0f));
    g.drawText ("Quarvel", juce::Rectangle<float> (30.0f, 146.0f, 108.0f, 24.0f), juce::Justification::centred, false);
    g.setColour (juce::Colour (0xff9aa2a9));
    g.setFont (font (FontStyle::regular, 9.0f));
    g.drawText ("AUDIO INSTRUMENTS", juce::Rectangle<float> (30.0f, 170.0f, 108.0f, 11.0f), juce::Justification::centred, false);

    // Divider between logo and text.
    g.setColour (juce::Colours::white.withAlpha (0.15f));
    g.fillRect (168.0f, 36.0f, 1.0f, 160.0f);

    // Product name.
    const auto nameFont = font (FontStyle::bold, 40.0f);
    const float nameWidth = nameFont.getStringWidthFloat ("QV-Delay ");
    g.setFont (nameFont);
    g.setColour (juce::Colours::white);
    g.drawText ("QV-Delay ", juce::Rectangle<float> (190.0f, 42.0f, nameWidth, 44.0f), juce::Justification::centredLeft, false);
    g.setColour (Palette::accent);
    g.drawText ("TX", juce::Rectangle<float> (190.0f + nameWidth, 42.0f, 80.0f, 44.0f), juce::Justification::centredLeft, false);

    g.setColour (juce::Colour (0xffc3c9ce));
    g.setFont (font (FontStyle::regular, 13.0f));
    g.drawText ("Stereo tempo-synced delay", juce::Rectangle<float> (192.0f, 88.0f, 290.0f, 16.0f),
                juce::Justification::centredLeft, false);
    g.setColour (juce::Colour (0xff8d959c));
    g.setFont (font (FontStyle::regular, 10.5f));
    g.drawText ("Two delay lines with feedback, resonant filters, pan,", juce::Rectangle<float> (192.0f, 112.0f, 300.0f, 13.0f),
                juce::Justification::centredLeft, false);
    g.drawText ("link and ping-pong modes.", juce::Rectangle<float> (192.0f, 125.0f, 300.0f, 13.0f),
                juce::Justification::centredLeft, false);

    // "Version:" ends where the editor places its version label (255, 154, 70 x 20).
    g.setColour (juce::Colour (0xffc3c9ce));
    g.setFont (font (FontStyle::bold, 13.0f));
    g.drawText ("Version:", juce::Rectangle<float> (192.0f, 154.0f, 59.0f, 20.0f), juce::Justification::centredRight, false);

    // Web address and the way out.
    g.setColour (Palette::accentLight);
    g.setFont (font (FontStyle::regular, 12.0f));
    g.drawText ("www.quarvel.example", juce::Rectangle<float> (192.0f, 190.0f, 290.0f, 16.0f),
                juce::Justification::centredLeft, false);
    g.setColour (juce::Colour (0xff6f777e));
    g.setFont (font (FontStyle::regular, 9.0f));
    g.drawText ("Click to close", juce::Rectangle<float> (0.0f, 222.0f, (float) w - 16.0f, 12.0f),
                juce::Justification::centredRight, false);

    forceOpaque (img);
    return img;
}
}
