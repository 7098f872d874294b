#pragma once
#include <cstdint>
#include <string>

typedef struct sf_private_tag SNDFILE;

namespace qvhost
{

/** An audio file opened through libsndfile, for reading or for writing, closed when destroyed.
    Errors come out as HostError with the file's name and libsndfile's reason. */
class SoundFile
{
public:
    /** Opens an existing file for reading, in any format libsndfile reads. */
    static SoundFile openForReading (const std::string& path);
    /** Starts a file on an open descriptor (which stays the caller's to close); `path` is only
        for messages. `format` is a libsndfile SF_FORMAT_* major|subtype combination. */
    static SoundFile openForWriting (int descriptor, const std::string& path, int format, int channels, int sampleRate);

    /** The libsndfile major format for a file name's extension (.wav, .aif, .aiff, .flac, any
        case), or 0 for any other name. */
    static int majorFormatForName (const std::string& path);

    SoundFile (SoundFile&& other) noexcept;
    SoundFile& operator= (SoundFile&&) = delete;
    SoundFile (const SoundFile&) = delete;
    ~SoundFile();

    int channels() const noexcept { return numChannels; }
    int sampleRate() const noexcept { return rate; }
    int64_t frames() const noexcept { return numFrames; }
    int format() const noexcept { return fileFormat; }

    /** Interleaved frames; answers how many were read (0 at the end). */
    int64_t read (float* interleaved, int64_t frames);
    /** Interleaved frames; throws unless all were written. */
    void write (const float* interleaved, int64_t frames);
    /** Finishes the file (headers included); throws when that fails. */
    void close();

private:
    SoundFile (SNDFILE* file, std::string path, int channels, int rate, int64_t frames, int format, bool forWriting);

    SNDFILE* handle = nullptr;
    std::string path;
    int numChannels = 0;
    int rate = 0;
    int64_t numFrames = 0;
    int fileFormat = 0;
    bool writing = false;
};

} // namespace qvhost
