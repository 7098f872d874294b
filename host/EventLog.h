#pragma once
#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>

namespace qvhost
{

/** Lines that tell what happened while a host session ran (the calls a module made, the
    windows the host opened, measurements), for a person watching or a test reading along.
    One event a line: a name, then `key=value` fields. Each line is flushed as it is written,
    so a reader sees it at once. Safe to write from any thread; a log opened on nothing
    drops every line. */
class EventLog
{
public:
    /** A log that writes nowhere. */
    EventLog();
    /** Writes to `path`, or to stdout when `path` is "-"; throws HostError when the file
        cannot be created. */
    explicit EventLog (const std::string& path);
    ~EventLog();

    EventLog (const EventLog&) = delete;
    EventLog& operator= (const EventLog&) = delete;

    bool isOpen() const noexcept { return out != nullptr; }
    void write (const std::string& line);

    /** Milliseconds since the log was made, the time base of the events. */
    double elapsedMs() const;

private:
    std::FILE* out = nullptr;
    bool ownsFile = false;
    std::mutex lock;
    std::chrono::steady_clock::time_point start;
};

} // namespace qvhost
