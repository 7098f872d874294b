#include "controls/images/generator/StripArt.h"

#include "controls/images/generator/ArtKit.h"

using namespace ArtKit;

namespace StripArt
{
namespace
{
    constexpr float sweepStart = 52.0f;   // knob angle of the minimum, clockwise from straight down
    constexpr float sweepEnd = 308.0f;    // knob angle of the maximum

    float ramp (float t, float from, float to)
    {
        return juce::jlimit (0.0f, 1.0f, (t - from) / (to - from));
    }
}

//==============================================================================
void drawKnob (juce::Graphics& g, juce::Point<float> c, float pointerDegrees)
{
    const juce::PathStrokeType arcStroke (2.0f, juce::PathStrokeType::curved, juce::PathStrokeType::butt);

    // Sweep track and the value part of it.
    g.setColour (Palette::track);
    g.strokePath (knobArc (c, 14.0f, sweepStart, sweepEnd), arcStroke);
    if (pointerDegrees > sweepStart + 0.5f)
    {
        g.setColour (Palette::accent);
        g.strokePath (knobArc (c, 14.0f, sweepStart, pointerDegrees), arcStroke);
    }

    // Shadow cast downwards by the knob.
    g.setColour (juce::Colours::black.withAlpha (0.18f));
    g.fillEllipse (c.x - 12.0f, c.y - 10.8f, 24.0f, 24.0f);
    g.setColour (juce::Colours::black.withAlpha (0.22f));
    g.fillEllipse (c.x - 11.6f, c.y - 11.0f, 23.2f, 23.2f);

    // Body: dark skirt, lit from above.
    juce::ColourGradient body (Palette::knobTop, c.x, c.y - 11.5f, Palette::knobBottom, c.x, c.y + 11.5f, false);
    g.setGradientFill (body);
    g.fillEllipse (c.x - 11.5f, c.y - 11.5f, 23.0f, 23.0f);

    // Top rim catching the light.
    g.setColour (juce::Colours::white.withAlpha (0.35f));
    g.strokePath (knobArc (c, 10.9f, 110.0f, 250.0f),
                  juce::PathStrokeType (0.9f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));

    // Dished cap: darker at the top than the skirt, lighter at the bottom.
    juce::ColourGradient cap (juce::Colour (0xff2a2f34), c.x, c.y - 8.0f, juce::Colour (0xff4c5359), c.x, c.y + 8.0f, false);
    g.setGradientFill (cap);
    g.fillEllipse (c.x - 8.0f, c.y - 8.0f, 16.0f, 16.0f);

    // Pointer.
    juce::Path pointer;
    pointer.startNewSubPath (pointAtKnobAngle (c, 3.0f, pointerDegrees));
    pointer.lineTo (pointAtKnobAngle (c, 10.4f, pointerDegrees));
    g.setColour (juce::Colour (0xfffafafa));
    g.strokePath (pointer, juce::PathStrokeType (2.1f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
}

juce::Image knobStrip (int frameCount)
{
    return makeStrip (32, 31, frameCount, [frameCount] (juce::Graphics& g, int i)
    {
        const float a = sweepStart + (sweepEnd - sweepStart) * (float) i / (float) (frameCount - 1);
        drawKnob (g, { 15.5f, 15.5f }, a);
    });
}

//==============================================================================
juce::Image panStrip (int frameCount)
{
    return makeStrip (70, 37, frameCount, [frameCount] (juce::Graphics& g, int i)
    {
        const juce::Point<float> pivot (35.0f, 32.5f);
        const float theta = juce::degreesToRadians (-60.0f + 120.0f * (float) i / (float) (frameCount - 1));
        const juce::Point<float> dir (std::sin (theta), -std::cos (theta));
        const juce::Point<float> side (-dir.y, dir.x);

        // Tapered needle with a lit tip.
        juce::Path needle;
        needle.startNewSubPath (pivot + side * 1.6f);
        needle.lineTo (pivot + dir * 27.5f + side * 0.55f);
        needle.lineTo (pivot + dir * 28.5f);
        needle.lineTo (pivot + dir * 27.5f - side * 0.55f);
        needle.lineTo (pivot - side * 1.6f);
        needle.closeSubPath();
        g.setColour (Palette::ink);
        g.fillPath (needle);

        juce::Path tip;
        tip.startNewSubPath (pivot + dir * 21.0f);
        tip.lineTo (pivot + dir * 28.0f);
        g.setColour (Palette::accent);
        g.strokePath (tip, juce::PathStrokeType (1.6f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));

        // Hub.
        g.setColour (Palette::ink);
        g.fillEllipse (pivot.x - 3.5f, pivot.y - 3.5f, 7.0f, 7.0f);
        g.setColour (juce::Colour (0xff8b9399));
        g.fillEllipse (pivot.x - 1.3f, pivot.y - 1.8f, 2.6f, 2.6f);
    });
}

//==============================================================================
juce::Image modeStrip()
{
    auto strip = makeStrip (58, 19, 3, [] (juce::Graphics& g, int i)
    {
        g.fillAll (Palette::screen);

        const char* captions[] = { "S:", "L:", "P:" };
        g.setColour (Palette::displayInk);
        g.setFont (font (FontStyle::bold, 12.0f));
        g.drawText (captions[i], juce::Rectangle<float> (3.0f, 0.0f, 16.0f, 19.0f), juce::Justification::centredLeft, false);

        const float cy = 9.5f;
        const juce::PathStrokeType ring (1.5f);
        auto circle = [&] (float cx, float r)
        {
            juce::Path p;
            p.addEllipse (cx - r, cy - r, 2.0f * r, 2.0f * r);
            g.strokePath (p, ring);
        };

        if (i == 0)
        {
            // Stereo: two circles sharing their middle.
            g.setColour (Palette::accent.withAlpha (0.35f));
            juce::Path a, b;
            a.addEllipse (27.0f - 6.5f, cy - 6.5f, 13.0f, 13.0f);
            b.addEllipse (36.0f - 6.5f, cy - 6.5f, 13.0f, 13.0f);
            {
                juce::Graphics::ScopedSaveState s (g);
                g.reduceClipRegion (b);
                g.fillPath (a);
            }
            g.setColour (Palette::displayInk);
            circle (27.0f, 6.5f);
            circle (36.0f, 6.5f);
        }
        else if (i == 1)
        {
            // Link: two rings joined by a bar.
            g.setColour (Palette::displayInk);
            circle (26.0f, 5.5f);
            circle (44.0f, 5.5f);
            g.setColour (Palette::accent);
            g.fillRoundedRectangle (30.0f, cy - 1.5f, 10.0f, 3.0f, 1.5f);
        }
        else
        {
            // Ping-pong: two rings apart, a ball bouncing between them.
            g.setColour (Palette::displayInk);
            circle (25.0f, 5.5f);
            circle (47.0f, 5.5f);
            juce::Path bounce;
            bounce.startNewSubPath (31.0f, cy + 3.0f);
            bounce.lineTo (35.0f, cy - 3.0f);
            bounce.lineTo (38.5f, cy + 3.0f);
            g.setColour (Palette::inkFaint);
            g.strokePath (bounce, juce::PathStrokeType (1.0f));
            g.setColour (Palette::accent);
            g.fillEllipse (38.5f, cy - 4.5f, 4.0f, 4.0f);
        }
    });

    forceOpaque (strip);
    return strip;
}

//==============================================================================
juce::Image feedbackStrip (bool rightLine)
{
    return makeStrip (60, 60, 64, [rightLine] (juce::Graphics& g, int i)
    {
        // The editor feeds the right icon the complement of the right line's
        // feedback (1 - value), so its strip runs the other way round: bright
        // at frame 0, dim at frame 63. Both icons then brighten as their
        // line's feedback rises.
        const float t = rightLine ? (float) (63 - i) / 63.0f : (float) i / 63.0f;
        const juce::Point<float> c (30.0f, 30.0f);

        if (rightLine)
            g.addTransform (juce::AffineTransform::scale (-1.0f, 1.0f, c.x, c.y));

        // The loop: most of a circle ending in an arrow head, running back
        // into itself.
        const float r = 13.0f;
        const float from = juce::degreesToRadians (35.0f);
        const float to = juce::degreesToRadians (305.0f);
        juce::Path loop;
        loop.addCentredArc (c.x, c.y, r, r, 0.0f, from, to, true);

        const auto colour = Palette::inkFaint.interpolatedWith (Palette::accent, t);

        if (t > 0.0f)
        {
            g.setColour (Palette::accentLight.withAlpha (0.06f + 0.16f * t));
            g.strokePath (loop, juce::PathStrokeType (3.0f + 5.0f * t, juce::PathStrokeType::curved,
                                                      juce::PathStrokeType::rounded));
        }

        g.setColour (colour);
        g.strokePath (loop, juce::PathStrokeType (3.0f, juce::PathStrokeType::curved, juce::PathStrokeType::butt));

        // Arrow head at the end of the arc, pointing along the direction of travel.
        const juce::Point<float> end (c.x + r * std::sin (to), c.y - r * std::cos (to));
        const juce::Point<float> along (std::cos (to), std::sin (to));   // clockwise tangent
        const juce::Point<float> out (std::sin (to), -std::cos (to));
        juce::Path head;
        head.startNewSubPath (end + along * 5.5f);
        head.lineTo (end - along * 1.0f + out * 5.0f);
        head.lineTo (end - along * 1.0f - out * 5.0f);
        head.closeSubPath();
        g.fillPath (head);

        // Repeats: echo dots inside the loop, one more for each third of the range.
        for (int k = 0; k < 3; ++k)
        {
            const float level = ramp (t, (float) k / 3.0f - 0.02f, (float) (k + 1) / 3.0f);
            const float d = 2.6f - 0.5f * (float) k;
            const juce::Point<float> p (c.x - 4.5f + 4.5f * (float) k, c.y);
            g.setColour (Palette::inkFaint.withAlpha (0.55f).interpolatedWith (Palette::accent, level));
            g.fillEllipse (p.x - d, p.y - d, 2.0f * d, 2.0f * d);
        }
    });
}

//==============================================================================
juce::Image wetDryStrip (bool)
{
    return makeStrip (60, 60, 64, [] (juce::Graphics& g, int i)
    {
        const float t = (float) i / 63.0f;
        const juce::Rectangle<float> box (8.0f, 23.0f, 44.0f, 12.0f);
        const auto inner = box.reduced (1.5f);

        g.setColour (juce::Colours::white.withAlpha (0.6f));
        g.fillRect (inner);

        g.setColour (Palette::displayGrey);
        g.fillRect (inner.withWidth (inner.getWidth() * t));

        g.setColour (Palette::displayInk);
        g.drawRect (box, 1.0f);

        // Half-way mark.
        g.setColour (Palette::displayInk.withAlpha (0.5f));
        g.fillRect (box.getCentreX() - 0.5f, box.getBottom(), 1.0f, 2.0f);

        g.setFont (font (FontStyle::narrowBold, 9.0f));
        g.setColour (Palette::inkSoft);
        g.drawText ("DRY", juce::Rectangle<float> (box.getX(), box.getBottom() + 2.0f, 20.0f, 9.0f),
                    juce::Justification::centredLeft, false);
        g.drawText ("WET", juce::Rectangle<float> (box.getRight() - 20.0f, box.getBottom() + 2.0f, 20.0f, 9.0f),
                    juce::Justification::centredRight, false);
    });
}

//==============================================================================
juce::Image outputStrip()
{
    return makeStrip (60, 61, 52, [] (juce::Graphics& g, int i)
    {
        const float t = (float) i / 51.0f;
        const float cy = 30.5f;

        // Loudspeaker: magnet and cone.
        juce::Path speaker;
        speaker.addRoundedRectangle (11.0f, cy - 4.5f, 6.0f, 9.0f, 1.0f);
        speaker.startNewSubPath (17.0f, cy - 4.5f);
        speaker.lineTo (25.0f, cy - 11.0f);
        speaker.lineTo (25.0f, cy + 11.0f);
        speaker.lineTo (17.0f, cy + 4.5f);
        speaker.closeSubPath();
        g.setColour (Palette::displayInk);
        g.fillPath (speaker);

        // Waves: each grows in and widens in its own third of the range.
        for (int k = 0; k < 3; ++k)
        {
            const float level = ramp (t, (float) k / 3.0f, (float) (k + 1) / 3.0f);
            if (level <= 0.0f)
                continue;

            const float r = (7.0f + 6.0f * (float) k) * (0.75f + 0.25f * level);
            const float spread = juce::degreesToRadians (20.0f + 30.0f * level);
            juce::Path wave;
            wave.addCentredArc (24.0f, cy, r, r, 0.0f,
                                juce::MathConstants<float>::halfPi - spread,
                                juce::MathConstants<float>::halfPi + spread, true);
            const auto colour = k == 2 ? Palette::displayInk.interpolatedWith (Palette::accent, level)
                                       : Palette::displayInk;
            g.setColour (colour.withAlpha (0.25f + 0.75f * level));
            g.strokePath (wave, juce::PathStrokeType (2.2f, juce::PathStrokeType::curved,
                                                      juce::PathStrokeType::rounded));
        }
    });
}
}
