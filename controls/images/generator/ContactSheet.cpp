// qv_contactsheet: one PNG for reviewing the artwork: the face assembled from
// the real controls in three states, then every embedded picture with a few
// of its frames, enlarged where small.
//
//   qv_contactsheet <output.png>

#include <juce_gui_basics/juce_gui_basics.h>

#include <iostream>

#include "controls/EmbeddedImages.h"
#include "controls/images/generator/ArtKit.h"
#include "controls/images/generator/PreviewFace.h"

namespace
{
    using ArtKit::FontStyle;

    constexpr int margin = 16;
    constexpr int sheetWidth = 3 * margin + 2 * 525;
    const juce::Colour sheetColour (0xff2a2e33);
    const juce::Colour captionColour (0xffd8dde2);

    struct Entry
    {
        const EmbeddedImage* image;
        int frameCount;
        int scale;
        juce::Colour under;   // what the picture sits on in the editor
    };

    juce::Image snapshot (const PreviewFace::State& state)
    {
        PreviewFace face (state);
        return face.createComponentSnapshot (face.getLocalBounds(), true, 1.0f);
    }

    void caption (juce::Graphics& g, const juce::String& text, int x, int y, int w)
    {
        g.setColour (captionColour);
        g.setFont (ArtKit::font (FontStyle::bold, 12.0f));
        g.drawText (text, x, y, w, 16, juce::Justification::centredLeft, false);
    }

    juce::Array<int> framesToShow (const Entry& e, int maxWidth)
    {
        juce::Array<int> frames;
        const int w = e.image->getImage().getWidth() * e.scale + 8;
        const int fit = juce::jmax (2, juce::jmin (e.frameCount <= 7 ? 7 : 5, (maxWidth + 8) / w));
        if (e.frameCount <= fit)
            for (int i = 0; i < e.frameCount; ++i) frames.add (i);
        else
            for (int k = 0; k < fit; ++k) frames.add ((e.frameCount - 1) * k / (fit - 1));
        return frames;
    }

    /** Size an entry takes: title line, frames, frame numbers. */
    juce::Point<int> entrySize (const Entry& e, int maxWidth)
    {
        const auto image = e.image->getImage();
        const int n = framesToShow (e, maxWidth).size();
        return { n * (image.getWidth() * e.scale + 8) - 8, 18 + image.getHeight() / e.frameCount * e.scale + 16 };
    }

    /** Draws frames of one picture in a row, with its name above. */
    void drawEntry (juce::Graphics& g, const Entry& e, int x, int y, int maxWidth)
    {
        const auto image = e.image->getImage();
        const int frameHeight = image.getHeight() / e.frameCount;
        const int w = image.getWidth() * e.scale;
        const int h = frameHeight * e.scale;

        juce::String title (e.image->name);
        title << "  " << image.getWidth() << " x " << image.getHeight();
        if (e.frameCount > 2)
            title << "  (" << e.frameCount << " x " << frameHeight << ")";
        if (e.scale > 1)
            title << "  x" << e.scale;
        caption (g, title, x, y, juce::jmax (maxWidth, 250));
        y += 18;

        int cx = x;
        for (int f : framesToShow (e, maxWidth))
        {
            g.setColour (e.under);
            g.fillRect (cx, y, w, h);
            const auto frame = image.getClippedImage ({ 0, f * frameHeight, image.getWidth(), frameHeight });
            g.setImageResamplingQuality (juce::Graphics::lowResamplingQuality);
            g.drawImage (frame, cx, y, w, h, 0, 0, frame.getWidth(), frame.getHeight());
            g.setColour (captionColour.withAlpha (0.6f));
            g.setFont (ArtKit::font (FontStyle::regular, 10.0f));
            g.drawText (juce::String (f), cx, y + h + 1, w, 12, juce::Justification::centred, false);
            cx += w + 8;
        }
    }

    /** Lays entries out left to right, wrapping at the column width;
        returns the height used. */
    int flow (juce::Graphics* g, const std::vector<Entry>& list, int x, int y, int width)
    {
        int cx = x, rowHeight = 0, top = y;
        for (const auto& e : list)
        {
            const auto size = entrySize (e, width);
            if (cx > x && cx + size.x > x + width)
            {
                cx = x;
                y += rowHeight;
                rowHeight = 0;
            }
            if (g != nullptr)
                drawEntry (*g, e, cx, y, width);
            cx += juce::jmax (size.x, 200) + 24;
            rowHeight = juce::jmax (rowHeight, size.y);
        }
        return y + rowHeight - top;
    }
}

int main (int argc, char* argv[])
{
    if (argc != 2)
    {
        std::cerr << "usage: qv_contactsheet <output.png>\n";
        return 2;
    }

    juce::ScopedJuceInitialiser_GUI juceInit;

    try
    {
        PreviewFace::State stereo;

        PreviewFace::State linked;
        linked.linked = true;
        linked.pingPong = true;
        linked.sync = true;
        linked.triplet = true;
        linked.delay[0] = 0.6;
        linked.lowPass[0] = false;
        linked.frequency[0] = 0.3;
        linked.leftInput = true;
        linked.stereoInput = false;
        linked.mode = "D:1/8T - 1/8T";
        linked.delayText[0] = linked.delayText[1] = "1/8T";

        PreviewFace::State about;
        about.about = true;

        const auto gray = juce::Colour (0xffd0d4d8);
        const auto screen = juce::Colour (0xfff1f3f2);
        using namespace EmbeddedImages;
        const std::vector<std::vector<Entry>> columns = {
            {
                { &imgKnobStrip, 64, 3, gray }, { &imgKnob7Strip, 7, 2, gray },
                { &imgPanStripL, 64, 1, screen }, { &imgPanStripR, 65, 1, screen },
                { &imgModeStrip, 3, 2, screen }, { &imgOutputStrip, 52, 2, screen },
            },
            {
                { &imgFeedbackStripL, 64, 2, screen }, { &imgFeedbackStripR, 64, 2, screen },
                { &imgWetDryStripL, 64, 2, screen }, { &imgWetDryStripR, 64, 2, screen },
            },
        };
        const std::vector<Entry> switches = {
            { &imgPowerButton, 2, 3, gray }, { &imgStereoButton, 2, 3, gray }, { &imgLinkButton, 2, 3, gray },
            { &imgPingPongButton, 2, 3, gray }, { &imgSyncButton, 2, 4, gray }, { &imgFilterOnButton, 2, 4, gray },
            { &imgFilterLPButton, 2, 4, gray }, { &imgFilterHPButton, 2, 4, gray }, { &imgInputButton, 2, 4, gray },
            { &imgStereoInputButton, 2, 4, gray }, { &imgDottedButton, 2, 5, gray }, { &imgTripletButton, 2, 5, gray },
        };

        std::vector<Entry> rightColumn = columns[1];
        rightColumn.insert (rightColumn.end(), switches.begin(), switches.end());

        const int facesHeight = 2 * (18 + 312 + margin);
        const int stripsHeight = juce::jmax (flow (nullptr, columns[0], 0, 0, 525),
                                             flow (nullptr, rightColumn, 0, 0, 525));
        const int height = 40 + facesHeight + stripsHeight + margin;

        auto sheet = ArtKit::blankImage (sheetWidth, height);
        juce::Graphics g (sheet);
        g.fillAll (sheetColour);

        g.setColour (juce::Colours::white);
        g.setFont (ArtKit::font (FontStyle::bold, 18.0f));
        g.drawText ("QV-Delay TX  -  artwork contact sheet (1:1 faces, enlarged strips)",
                    margin, 10, sheetWidth - 2 * margin, 22, juce::Justification::centredLeft, false);

        int y = 40;
        const int col2 = 2 * margin + 525;
        caption (g, "Stereo mode, free delay, low-pass filters", margin, y, 525);
        caption (g, "Linked ping-pong, synced 1/8T delay, high-pass filter, left input", col2, y, 525);
        g.drawImageAt (snapshot (stereo), margin, y + 18);
        g.drawImageAt (snapshot (linked), col2, y + 18);
        y += 18 + 312 + margin;

        caption (g, "Information panel open (click on the logo)", margin, y, 525);
        g.drawImageAt (snapshot (about), margin, y + 18);
        caption (g, "imgBackground, imgLinkModePanel (at 86, 146)", col2, y, 525);
        g.drawImageAt (imgBackground.getImage(), col2, y + 18);
        g.drawImageAt (imgLinkModePanel.getImage(), col2 + 86, y + 18 + 146);
        g.setColour (juce::Colour (0xffff00ff).withAlpha (0.7f));
        g.drawRect (col2 + 86, y + 18 + 146, 421, 112, 1);
        y += 18 + 312 + margin;

        flow (&g, columns[0], margin, y, 525);
        flow (&g, rightColumn, col2, y, 525);

        const juce::File out = juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]);
        if (! ArtKit::writePng (sheet, out))
        {
            std::cerr << "cannot write " << out.getFullPathName() << "\n";
            return 1;
        }
        std::cout << out.getFullPathName() << "\n";
    }
    catch (const std::exception& e)
    {
        std::cerr << "qv_contactsheet: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
