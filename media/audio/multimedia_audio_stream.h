// The audio stream layer over Qt Multimedia: QMediaPlayer on its GStreamer
// backend. Part of the audio module; the game reaches it through
// CreateAudioStream (media/audio_stream.h).
#pragma once

#include "media/audio_stream.h"

#include <chrono>
#include <map>
#include <memory>

namespace tarvel {

class MultimediaAudioStream final : public AudioStream {
public:
    static constexpr std::chrono::milliseconds kDefaultOpenTimeout{5000};

    // openTimeout bounds the wait of StreamCreateURL.
    explicit MultimediaAudioStream(std::chrono::milliseconds openTimeout = kDefaultOpenTimeout);
    ~MultimediaAudioStream() override;

    MultimediaAudioStream(const MultimediaAudioStream&) = delete;
    MultimediaAudioStream& operator=(const MultimediaAudioStream&) = delete;

    bool Init(int device = kDefaultAudioDevice,
              std::uint32_t frequency = kDefaultAudioFrequency) override;
    StreamHandle StreamCreateURL(const QString& url) override;
    bool StreamFree(StreamHandle handle) override;
    bool ChannelSetAttribute(StreamHandle handle, ChannelAttribute attribute,
                             float value) override;
    std::optional<float> ChannelGetAttribute(StreamHandle handle,
                                             ChannelAttribute attribute) const override;
    bool ChannelPlay(StreamHandle handle) override;
    bool ChannelStop(StreamHandle handle) override;
    std::uint64_t ChannelGetPosition(StreamHandle handle) const override;
    std::uint64_t ChannelGetLength(StreamHandle handle) const override;
    bool Free() override;

private:
    struct Channel;
    struct Device;

    Channel* find(StreamHandle handle) const;
    std::uint64_t toBytes(std::int64_t milliseconds) const;

    std::chrono::milliseconds openTimeout_;
    std::unique_ptr<Device> device_;  // null while not initialised
    std::uint32_t frequency_ = kDefaultAudioFrequency;
    StreamHandle lastHandle_ = 0;
    std::map<StreamHandle, std::unique_ptr<Channel>> channels_;
    // Bumped by Free, so an open that was waiting while the library was freed
    // (by a timer handler running in the wait) knows to give its stream up.
    std::uint64_t generation_ = 0;
};

}  // namespace tarvel
