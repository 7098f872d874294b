// qv_artgen: draws the 25 pictures of the controls and writes them as PNG
// files named after their identifiers.
//
//   qv_artgen <output folder>
//
// Deterministic: the same JUCE, FreeType and fonts-liberation give the same
// bytes. Needs no display.

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <iostream>

#include "controls/images/generator/ButtonArt.h"
#include "controls/images/generator/FaceArt.h"
#include "controls/images/generator/StripArt.h"
#include "controls/images/generator/ArtKit.h"

namespace
{
    struct Picture
    {
        const char* name;
        int width, height;
        std::function<juce::Image()> draw;
    };

    std::vector<Picture> pictures()
    {
        using namespace StripArt;
        using namespace ButtonArt;

        return {
            { "imgBackground",        525,  312, [] { return FaceArt::background(); } },
            { "imgLinkModePanel",     421,  112, [] { return FaceArt::linkModePanel(); } },
            { "imgAboutPanel",        502,  249, [] { return FaceArt::aboutPanel(); } },
            { "imgKnobStrip",          32, 1984, [] { return knobStrip (64); } },
            { "imgKnob7Strip",         32,  217, [] { return knobStrip (7); } },
            { "imgPanStripL",          70, 2368, [] { return panStrip (64); } },
            { "imgPanStripR",          70, 2405, [] { return panStrip (65); } },
            { "imgModeStrip",          58,   57, [] { return modeStrip(); } },
            { "imgFeedbackStripL",     60, 3840, [] { return feedbackStrip (false); } },
            { "imgFeedbackStripR",     60, 3840, [] { return feedbackStrip (true); } },
            { "imgWetDryStripL",       60, 3840, [] { return wetDryStrip (false); } },
            { "imgWetDryStripR",       60, 3840, [] { return wetDryStrip (true); } },
            { "imgOutputStrip",        60, 3172, [] { return outputStrip(); } },
            { "imgPowerButton",        44,   38, [] { return powerButton(); } },
            { "imgSyncButton",         20,   22, [] { return captionSwitch (20, 11, "SYNC"); } },
            { "imgStereoButton",       56,   22, [] { return captionSwitch (56, 11, "Stereo"); } },
            { "imgPingPongButton",     56,   22, [] { return captionSwitch (56, 11, "PingPong"); } },
            { "imgLinkButton",         56,   22, [] { return captionSwitch (56, 11, "Link"); } },
            { "imgInputButton",        22,   38, [] { return inputButton(); } },
            { "imgStereoInputButton",  10,   20, [] { return stereoInputButton(); } },
            { "imgFilterOnButton",     14,   22, [] { return captionSwitch (14, 11, "ON"); } },
            { "imgFilterLPButton",     14,   22, [] { return captionSwitch (14, 11, "LP"); } },
            { "imgFilterHPButton",     14,   22, [] { return captionSwitch (14, 11, "HP"); } },
            { "imgDottedButton",        8,   16, [] { return dottedButton(); } },
            { "imgTripletButton",       8,   16, [] { return tripletButton(); } },
        };
    }
}

int main (int argc, char* argv[])
{
    if (argc != 2)
    {
        std::cerr << "usage: qv_artgen <output folder>\n";
        return 2;
    }

    juce::ScopedJuceInitialiser_GUI juce;
    const juce::File folder = juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]);
    folder.createDirectory();

    try
    {
        for (const auto& p : pictures())
        {
            const auto image = p.draw();
            if (image.getWidth() != p.width || image.getHeight() != p.height)
            {
                std::cerr << p.name << ": drawn " << image.getWidth() << " x " << image.getHeight()
                          << ", expected " << p.width << " x " << p.height << "\n";
                return 1;
            }

            const auto file = folder.getChildFile (juce::String (p.name) + ".png");
            if (! ArtKit::writePng (image, file))
            {
                std::cerr << "cannot write " << file.getFullPathName() << "\n";
                return 1;
            }
            std::cout << file.getFullPathName() << "\n";
        }
    }
    catch (const std::exception& e)
    {
        std::cerr << "qv_artgen: " << e.what() << "\n";
        return 1;
    }

    return 0;
}
