#include "controls/qGUILimiterHPF.h"

qGUILimiterHPF::qGUILimiterHPF()
    : qGUIFilterShape (Kind::highPass)
{
}
