#pragma once

#include <juce_graphics/juce_graphics.h>

/** One PNG compiled into the library: its bytes and their count.

    The bytes live in read-only data for the life of the process, so their
    address doubles as the key under which juce::ImageCache keeps the decoded
    picture: every control that shows the same artwork shares one decoded copy.
*/
struct EmbeddedImage
{
    const char* name;            // the identifier, e.g. "imgKnobStrip"
    const unsigned char* data;   // PNG file bytes
    int size;                    // number of bytes; 0 if the file was missing at build time

    /** The decoded picture, shared through juce::ImageCache. A null image if
        the bytes cannot be decoded. Holding the returned juce::Image keeps the
        decoded copy alive; letting it go is the matching release. */
    juce::Image getImage() const;
};

/** The artwork drawn by the controls (PNG, 8-bit RGBA, frames stacked
    vertically with frame 0 on top; two-state pictures have "off" on top). */
namespace EmbeddedImages
{
    extern const EmbeddedImage imgBackground;          // 525 x 312, opaque
    extern const EmbeddedImage imgLinkModePanel;       // 421 x 112, opaque
    extern const EmbeddedImage imgAboutPanel;          // 502 x 249, opaque
    extern const EmbeddedImage imgKnobStrip;           // 64 x (32 x 31)
    extern const EmbeddedImage imgKnob7Strip;          // 7 x (32 x 31)
    extern const EmbeddedImage imgPanStripL;           // 64 x (70 x 37)
    extern const EmbeddedImage imgPanStripR;           // 65 x (70 x 37)
    extern const EmbeddedImage imgModeStrip;           // 3 x (58 x 19), opaque
    extern const EmbeddedImage imgFeedbackStripL;      // 64 x (60 x 60)
    extern const EmbeddedImage imgFeedbackStripR;      // 64 x (60 x 60)
    extern const EmbeddedImage imgWetDryStripL;        // 64 x (60 x 60)
    extern const EmbeddedImage imgWetDryStripR;        // 64 x (60 x 60)
    extern const EmbeddedImage imgOutputStrip;         // 52 x (60 x 61)
    extern const EmbeddedImage imgPowerButton;         // 2 x (44 x 19)
    extern const EmbeddedImage imgSyncButton;          // 2 x (20 x 11)
    extern const EmbeddedImage imgStereoButton;        // 2 x (56 x 11)
    extern const EmbeddedImage imgPingPongButton;      // 2 x (56 x 11)
    extern const EmbeddedImage imgLinkButton;          // 2 x (56 x 11)
    extern const EmbeddedImage imgInputButton;         // 2 x (22 x 19), off frame transparent
    extern const EmbeddedImage imgStereoInputButton;   // 2 x (10 x 10)
    extern const EmbeddedImage imgFilterOnButton;      // 2 x (14 x 11)
    extern const EmbeddedImage imgFilterLPButton;      // 2 x (14 x 11)
    extern const EmbeddedImage imgFilterHPButton;      // 2 x (14 x 11)
    extern const EmbeddedImage imgDottedButton;        // 2 x (8 x 8)
    extern const EmbeddedImage imgTripletButton;       // 2 x (8 x 8)

    constexpr int count = 25;

    /** All of the above, in the order listed. */
    extern const EmbeddedImage* const all[count];
}
