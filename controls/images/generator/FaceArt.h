#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The large opaque pictures: the editor face, the linked-mode face of the
    knob area and the information panel. */
namespace FaceArt
{
    juce::Image background();      // 525 x 312
    juce::Image linkModePanel();   // 421 x 112, the knob area at (86, 146) while linked
    juce::Image aboutPanel();      // 502 x 249
}
