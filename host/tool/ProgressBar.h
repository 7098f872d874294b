#pragma once
#include <cstdint>

namespace qvhost
{

/** A one-line progress bar on stderr, redrawn only when the shown percentage changes.
    Shown only when stderr is a terminal and the job is long enough to be worth it;
    otherwise every call does nothing, so logs and pipes stay clean. */
class ProgressBar
{
public:
    ProgressBar (int64_t total, bool worthShowing);
    ~ProgressBar();

    void update (int64_t done);
    /** Ends the line; called by the destructor too. */
    void finish();

private:
    int64_t total;
    bool active;
    int lastPercent = -1;
};

} // namespace qvhost
