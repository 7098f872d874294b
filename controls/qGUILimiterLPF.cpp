#include "controls/qGUILimiterLPF.h"

qGUILimiterLPF::qGUILimiterLPF()
    : qGUIFilterShape (Kind::lowPass)
{
}
