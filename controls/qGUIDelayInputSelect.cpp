#include "controls/qGUIDelayInputSelect.h"

qGUIDelayInputSelect::qGUIDelayInputSelect()
    : qGUIImageSwitch (EmbeddedImages::imgInputButton, 22, 19)
{
}
