#include "media/audio_stream.h"

#include "media/audio_module.h"

namespace tarvel {

bool AudioStream::ChannelHasEnded(StreamHandle handle) const
{
    const std::uint64_t length = ChannelGetLength(handle);
    return length > 0 && ChannelGetPosition(handle) >= length;
}

// ---------------------------------------------------------------------------
// SilentAudioStream: no output, so no stream ever opens.

bool SilentAudioStream::Init(int, std::uint32_t)
{
    return false;
}

StreamHandle SilentAudioStream::StreamCreateURL(const QString&)
{
    return 0;
}

bool SilentAudioStream::StreamFree(StreamHandle)
{
    return false;
}

bool SilentAudioStream::ChannelSetAttribute(StreamHandle, ChannelAttribute, float)
{
    return false;
}

std::optional<float> SilentAudioStream::ChannelGetAttribute(StreamHandle, ChannelAttribute) const
{
    return std::nullopt;
}

bool SilentAudioStream::ChannelPlay(StreamHandle)
{
    return false;
}

bool SilentAudioStream::ChannelStop(StreamHandle)
{
    return false;
}

std::uint64_t SilentAudioStream::ChannelGetPosition(StreamHandle) const
{
    return 0;
}

std::uint64_t SilentAudioStream::ChannelGetLength(StreamHandle) const
{
    return 0;
}

bool SilentAudioStream::Free()
{
    return false;
}

// ---------------------------------------------------------------------------

std::unique_ptr<AudioStream> CreateAudioStream(AudioBackend backend)
{
    if (backend == AudioBackend::Silent)
        return std::make_unique<SilentAudioStream>();
    // Qt Multimedia is loaded here, on the first stream, not at the start.
    AudioModule* module = LoadAudioModule();
    if (!module || (backend == AudioBackend::Automatic && !module->HasOutput()))
        return std::make_unique<SilentAudioStream>();
    return module->CreateStream();
}

}  // namespace tarvel
