#include "host/tool/ProgressBar.h"

#include <cstdio>
#include <unistd.h>

namespace qvhost
{

ProgressBar::ProgressBar (int64_t totalAmount, bool worthShowing)
    : total (totalAmount), active (worthShowing && totalAmount > 0 && ::isatty (STDERR_FILENO) != 0)
{
}

ProgressBar::~ProgressBar()
{
    finish();
}

void ProgressBar::update (int64_t done)
{
    if (! active)
        return;
    const int percent = (int) (done >= total ? 100 : done * 100 / total);
    if (percent == lastPercent)
        return;
    lastPercent = percent;

    constexpr int width = 40;
    char bar[width + 1];
    const int filled = percent * width / 100;
    for (int i = 0; i < width; ++i)
        bar[i] = i < filled ? '#' : '.';
    bar[width] = 0;
    std::fprintf (stderr, "\r[%s] %3d%%", bar, percent);
    std::fflush (stderr);
}

void ProgressBar::finish()
{
    if (! active)
        return;
    if (lastPercent >= 0)
        std::fputc ('\n', stderr);
    active = false;
}

} // namespace qvhost
