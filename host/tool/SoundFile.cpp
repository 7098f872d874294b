#include "host/tool/SoundFile.h"
#include "host/HostError.h"

#include <sndfile.h>
#include <sys/stat.h>
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>

namespace qvhost
{

static std::string reason (SNDFILE* file)
{
    std::string text = sf_strerror (file);
    while (! text.empty() && (text.back() == '.' || text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

SoundFile::SoundFile (SNDFILE* file, std::string p, int ch, int sr, int64_t n, int fmt, bool forWriting)
    : handle (file), path (std::move (p)), numChannels (ch), rate (sr), numFrames (n), fileFormat (fmt), writing (forWriting)
{
}

SoundFile::SoundFile (SoundFile&& other) noexcept
    : handle (other.handle), path (std::move (other.path)), numChannels (other.numChannels), rate (other.rate),
      numFrames (other.numFrames), fileFormat (other.fileFormat), writing (other.writing)
{
    other.handle = nullptr;
}

SoundFile::~SoundFile()
{
    if (handle != nullptr)
        sf_close (handle);
}

SoundFile SoundFile::openForReading (const std::string& path)
{
    struct stat st {};
    if (::stat (path.c_str(), &st) != 0)
        throw HostError ("cannot read '" + path + "': " + std::strerror (errno));
    if (S_ISDIR (st.st_mode))
        throw HostError ("cannot read '" + path + "': it is a folder");

    SF_INFO info {};
    SNDFILE* file = sf_open (path.c_str(), SFM_READ, &info);
    if (file == nullptr)
        throw HostError ("cannot read '" + path + "': " + reason (nullptr));
    if (info.channels < 1 || info.samplerate < 1)
    {
        sf_close (file);
        throw HostError ("cannot read '" + path + "': no channels or no sample rate");
    }
    return SoundFile (file, path, info.channels, info.samplerate, info.frames, info.format, false);
}

SoundFile SoundFile::openForWriting (int descriptor, const std::string& path, int format, int channels, int sampleRate)
{
    SF_INFO info {};
    info.format = format;
    info.channels = channels;
    info.samplerate = sampleRate;
    if (sf_format_check (&info) == 0)
        throw HostError ("cannot write '" + path + "': the format cannot hold " + std::to_string (channels)
                         + " channels at " + std::to_string (sampleRate) + " Hz in this sample format");

    SNDFILE* file = sf_open_fd (descriptor, SFM_WRITE, &info, SF_FALSE);
    if (file == nullptr)
        throw HostError ("cannot write '" + path + "': " + reason (nullptr));

    // Integer formats: clip what lies outside full scale instead of letting it wrap around.
    if ((format & SF_FORMAT_SUBMASK) != SF_FORMAT_FLOAT && (format & SF_FORMAT_SUBMASK) != SF_FORMAT_DOUBLE)
        sf_command (file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    return SoundFile (file, path, channels, sampleRate, 0, format, true);
}

int SoundFile::majorFormatForName (const std::string& path)
{
    const auto slash = path.find_last_of ('/');
    const auto dot = path.find_last_of ('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return 0;
    std::string ext = path.substr (dot + 1);
    std::transform (ext.begin(), ext.end(), ext.begin(), [] (unsigned char c) { return (char) std::tolower (c); });
    if (ext == "wav")
        return SF_FORMAT_WAV;
    if (ext == "aif" || ext == "aiff")
        return SF_FORMAT_AIFF;
    if (ext == "flac")
        return SF_FORMAT_FLAC;
    return 0;
}

int64_t SoundFile::read (float* interleaved, int64_t frames)
{
    const sf_count_t n = sf_readf_float (handle, interleaved, frames);
    if (n < 0)
        throw HostError ("cannot read '" + path + "': " + reason (handle));
    if (n == 0 && sf_error (handle) != SF_ERR_NO_ERROR)
        throw HostError ("cannot read '" + path + "': " + reason (handle));
    return n;
}

void SoundFile::write (const float* interleaved, int64_t frames)
{
    if (frames <= 0)
        return;
    const sf_count_t n = sf_writef_float (handle, interleaved, frames);
    if (n != frames)
        throw HostError ("cannot write '" + path + "': " + reason (handle));
    numFrames += n;
}

void SoundFile::close()
{
    if (handle == nullptr)
        return;
    if (! writing)
    {
        sf_close (handle);
        handle = nullptr;
        return;
    }
    sf_write_sync (handle);
    const int error = sf_error (handle);
    const std::string why = reason (handle);
    const int closed = sf_close (handle);
    handle = nullptr;
    if (error != SF_ERR_NO_ERROR || closed != 0)
        throw HostError ("cannot write '" + path + "': " + why);
}

} // namespace qvhost
