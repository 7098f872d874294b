#include "host/EventLog.h"
#include "host/HostError.h"

#include <cerrno>
#include <cstring>

namespace qvhost
{

EventLog::EventLog() : start (std::chrono::steady_clock::now()) {}

EventLog::EventLog (const std::string& path) : start (std::chrono::steady_clock::now())
{
    if (path == "-")
    {
        out = stdout;
        return;
    }
    out = std::fopen (path.c_str(), "w");
    if (out == nullptr)
        throw HostError ("cannot write the event log '" + path + "': " + std::strerror (errno));
    ownsFile = true;
}

EventLog::~EventLog()
{
    if (ownsFile)
        std::fclose (out);
}

void EventLog::write (const std::string& line)
{
    if (out == nullptr)
        return;
    std::lock_guard<std::mutex> guard (lock);
    std::fputs (line.c_str(), out);
    std::fputc ('\n', out);
    std::fflush (out);
}

double EventLog::elapsedMs() const
{
    return std::chrono::duration<double, std::milli> (std::chrono::steady_clock::now() - start).count();
}

} // namespace qvhost
