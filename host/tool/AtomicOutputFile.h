#pragma once
#include <string>

namespace qvhost
{

/** An output file that appears complete or not at all. The data goes to a hidden temporary
    file in the destination's folder (so the final rename stays on one file system and is
    atomic); `commit` renames it over the destination. Destroying the object without a commit,
    or an interrupt (SIGINT, SIGTERM, SIGHUP) while it is open, removes the temporary file, so
    a failed or cancelled run leaves no half-written output behind. One at a time per process. */
class AtomicOutputFile
{
public:
    /** Creates the temporary file; throws HostError when the folder is not writable or the
        destination is a folder. */
    explicit AtomicOutputFile (const std::string& destination);
    ~AtomicOutputFile();

    AtomicOutputFile (const AtomicOutputFile&) = delete;
    AtomicOutputFile& operator= (const AtomicOutputFile&) = delete;

    /** The open file descriptor of the temporary file. Whoever takes it over (libsndfile with
        close-on-finish, say) must call `descriptorTaken`. */
    int descriptor() const noexcept { return fd; }
    void descriptorTaken() noexcept { fd = -1; }

    /** Writes all bytes; throws HostError on failure. */
    void write (const void* data, size_t size);

    /** Closes the descriptor if still held and renames the file into place. */
    void commit();

    const std::string& destination() const noexcept { return finalPath; }
    const std::string& temporaryPath() const noexcept { return tempPath; }

private:
    void discard() noexcept;

    std::string finalPath;
    std::string tempPath;
    int fd = -1;
    bool committed = false;
};

} // namespace qvhost
