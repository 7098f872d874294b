#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

/** Shared palette, fonts and drawing helpers of the artwork generator.

    Everything is drawn with JUCE's software renderer into ARGB images, so the
    pictures come out the same on every machine that has the same JUCE,
    FreeType and fonts-liberation: the fonts are loaded from their files, never
    looked up by family name.
*/
namespace ArtKit
{
    //==============================================================================
    namespace Palette
    {
        const juce::Colour faceTop        { 0xffeceef0 };
        const juce::Colour faceBottom     { 0xffd2d6da };
        const juce::Colour deckTop        { 0xffd9dde0 };
        const juce::Colour deckBottom     { 0xffc9ced2 };
        const juce::Colour screen         { 0xfff1f3f2 };
        const juce::Colour screenLine     { 0xffd5dadc };
        const juce::Colour bezel          { 0xff6f777e };
        const juce::Colour ink            { 0xff3a4147 };
        const juce::Colour inkSoft        { 0xff6d757c };
        const juce::Colour inkFaint       { 0xffa3a9ae };
        const juce::Colour engraveLight   { 0xb0ffffff };
        const juce::Colour displayGrey    { 0xff96999c };
        const juce::Colour displayInk     { 0xff5b6369 };
        const juce::Colour accent         { 0xfff27b1d };
        const juce::Colour accentLight    { 0xffffa552 };
        const juce::Colour accentDark     { 0xffb4560c };
        const juce::Colour knobTop        { 0xff5e656c };
        const juce::Colour knobBottom     { 0xff1d2125 };
        const juce::Colour track          { 0xffb3b9be };
        const juce::Colour panelDarkTop   { 0xff2f353a };
        const juce::Colour panelDarkBottom{ 0xff1a1d21 };
    }

    //==============================================================================
    enum class FontStyle { regular, bold, narrow, narrowBold };

    /** A font from fonts-liberation, loaded by file. Throws std::runtime_error
        if the file is missing, so a machine without the fonts cannot quietly
        produce different pictures. */
    juce::Font font (FontStyle style, float height);

    //==============================================================================
    /** A transparent ARGB software image. */
    juce::Image blankImage (int width, int height);

    /** Stacks frameCount frames of width x frameHeight vertically, frame 0 on
        top; drawFrame paints frame i with the origin at the frame's top left
        and is clipped to it. */
    juce::Image makeStrip (int width, int frameHeight, int frameCount,
                           const std::function<void (juce::Graphics&, int frame)>& drawFrame);

    /** Writes an 8-bit RGBA, non-interlaced PNG (replacing any old file). */
    bool writePng (const juce::Image& image, const juce::File& file);

    /** Makes every pixel fully opaque (the picture must already cover its area). */
    void forceOpaque (juce::Image& image);

    //==============================================================================
    /** Text with a one-pixel light edge underneath, the look of lettering
        engraved into the metal face. */
    void engravedText (juce::Graphics& g, const juce::String& text, juce::Rectangle<float> area,
                       const juce::Font& font, juce::Colour colour,
                       juce::Justification justification = juce::Justification::centred);

    /** A recessed window: dark rim, inner shadow along the top, flat fill. */
    void insetWindow (juce::Graphics& g, juce::Rectangle<float> area, float corner, juce::Colour fill,
                      float rimAlpha = 0.55f);

    /** A soft shadow blob used under raised parts (approximated by stacked
        translucent rounded rectangles). */
    void softShadow (juce::Graphics& g, juce::Rectangle<float> area, float corner, float radius, float alpha);

    /** Point on a circle at the knob angle a (degrees clockwise on screen from
        straight down). */
    juce::Point<float> pointAtKnobAngle (juce::Point<float> centre, float radius, float degrees);

    /** An arc between two knob angles (degrees clockwise from straight down). */
    juce::Path knobArc (juce::Point<float> centre, float radius, float fromDegrees, float toDegrees);

    /** The product's logo mark: a ring with a tail (a stylised Q) in a circle. */
    void drawLogoMark (juce::Graphics& g, juce::Point<float> centre, float radius,
                       juce::Colour ring, juce::Colour tail);
}
