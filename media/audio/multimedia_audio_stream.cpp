#include "media/audio/multimedia_audio_stream.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QEventLoop>
#include <QList>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QObject>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace tarvel {

namespace {

// Decoded sound is counted as 16-bit samples in two channels.
constexpr std::uint64_t kBytesPerFrame = 4;

std::optional<float> ClampVolume(float value)
{
    if (std::isnan(value))
        return std::nullopt;
    return std::clamp(value, 0.0f, 1.0f);
}

// Only web addresses are streamed: an address taken from a downloaded station
// list must not make the player open local files, devices or other sources.
bool IsStreamAddress(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == u"http" || scheme == u"https") && !url.host().isEmpty();
}

}  // namespace

// ---------------------------------------------------------------------------
// MultimediaAudioStream

struct MultimediaAudioStream::Device {
    QAudioDevice output;  // null: the system's default output at open time
};

struct MultimediaAudioStream::Channel {
    explicit Channel(const QAudioDevice& device)
        : output(device.isNull() ? QMediaDevices::defaultAudioOutput() : device)
    {
        player.setAudioOutput(&output);
        QObject::connect(&player, &QMediaPlayer::mediaStatusChanged, &player,
                         [this](QMediaPlayer::MediaStatus status) {
                             if (status != QMediaPlayer::EndOfMedia)
                                 return;
                             ended = true;
                             endMs = std::max(player.duration(), player.position());
                         });
    }

    // Declared before the player, so the player is destroyed first.
    QAudioOutput output;
    QMediaPlayer player;
    // Once the player reports the end of the media, position and length are
    // both endMs: the player itself may rewind or lose its duration later.
    bool ended = false;
    qint64 endMs = 0;
};

MultimediaAudioStream::MultimediaAudioStream(std::chrono::milliseconds openTimeout)
    : openTimeout_(openTimeout)
{
}

MultimediaAudioStream::~MultimediaAudioStream() = default;

bool MultimediaAudioStream::Init(int device, std::uint32_t frequency)
{
    if (device_ || frequency == 0)
        return false;
    auto chosen = std::make_unique<Device>();
    if (device != kDefaultAudioDevice) {
        const QList<QAudioDevice> outputs = QMediaDevices::audioOutputs();
        if (device < 1 || device > outputs.size())
            return false;
        chosen->output = outputs.at(device - 1);
    }
    device_ = std::move(chosen);
    frequency_ = frequency;
    return true;
}

StreamHandle MultimediaAudioStream::StreamCreateURL(const QString& url)
{
    if (!device_)
        return 0;
    const QUrl address(url.trimmed(), QUrl::TolerantMode);
    if (!IsStreamAddress(address))
        return 0;

    // The player connects and reads the stream's start on GStreamer's own
    // threads; its reports arrive through the event loop. Wait for "loaded"
    // (ready to play), "invalid", an error or the time-out, whichever is first.
    auto channel = std::make_unique<Channel>(device_->output);
    QMediaPlayer& player = channel->player;
    const auto settled = [&player] {
        return player.error() != QMediaPlayer::NoError
            || player.mediaStatus() == QMediaPlayer::LoadedMedia
            || player.mediaStatus() == QMediaPlayer::InvalidMedia;
    };
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&player, &QMediaPlayer::mediaStatusChanged, &loop, [&] {
        if (settled())
            loop.quit();
    });
    QObject::connect(&player, &QMediaPlayer::errorOccurred, &loop, &QEventLoop::quit);

    const std::uint64_t generation = generation_;
    player.setSource(address);
    if (!settled()) {
        timeout.start(openTimeout_);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }

    const bool ready = player.error() == QMediaPlayer::NoError
        && player.mediaStatus() == QMediaPlayer::LoadedMedia;
    // A handler that ran during the wait may have freed the library.
    if (!ready || generation != generation_ || !device_)
        return 0;
    const StreamHandle handle = ++lastHandle_;
    channels_.emplace(handle, std::move(channel));
    return handle;
}

MultimediaAudioStream::Channel* MultimediaAudioStream::find(StreamHandle handle) const
{
    const auto it = channels_.find(handle);
    return it == channels_.end() ? nullptr : it->second.get();
}

std::uint64_t MultimediaAudioStream::toBytes(std::int64_t milliseconds) const
{
    if (milliseconds <= 0)
        return 0;
    return static_cast<std::uint64_t>(milliseconds) * frequency_ * kBytesPerFrame / 1000;
}

bool MultimediaAudioStream::StreamFree(StreamHandle handle)
{
    return channels_.erase(handle) > 0;
}

bool MultimediaAudioStream::ChannelSetAttribute(StreamHandle handle, ChannelAttribute attribute,
                                                float value)
{
    Channel* channel = find(handle);
    if (!channel)
        return false;
    switch (attribute) {
    case ChannelAttribute::Volume: {
        const std::optional<float> volume = ClampVolume(value);
        if (!volume)
            return false;
        channel->output.setVolume(*volume);
        return true;
    }
    }
    return false;  // a number that names no attribute
}

std::optional<float> MultimediaAudioStream::ChannelGetAttribute(StreamHandle handle,
                                                                ChannelAttribute attribute) const
{
    const Channel* channel = find(handle);
    if (!channel)
        return std::nullopt;
    switch (attribute) {
    case ChannelAttribute::Volume:
        return channel->output.volume();
    }
    return std::nullopt;
}

bool MultimediaAudioStream::ChannelPlay(StreamHandle handle)
{
    Channel* channel = find(handle);
    if (!channel || channel->ended)
        return false;
    channel->player.play();
    return true;
}

bool MultimediaAudioStream::ChannelStop(StreamHandle handle)
{
    Channel* channel = find(handle);
    if (!channel)
        return false;
    // Pausing keeps the position, so a later ChannelPlay resumes the song.
    if (channel->player.playbackState() == QMediaPlayer::PlayingState)
        channel->player.pause();
    return true;
}

std::uint64_t MultimediaAudioStream::ChannelGetPosition(StreamHandle handle) const
{
    const Channel* channel = find(handle);
    if (!channel)
        return 0;
    if (channel->ended)
        return toBytes(channel->endMs);
    // The duration of a streamed MP3 is an estimate; until the player reports
    // the end, keep the position below the length so that "position equals
    // length" keeps meaning "ended".
    const std::uint64_t position = toBytes(channel->player.position());
    const std::uint64_t length = ChannelGetLength(handle);
    return length > 0 ? std::min(position, length - 1) : position;
}

std::uint64_t MultimediaAudioStream::ChannelGetLength(StreamHandle handle) const
{
    const Channel* channel = find(handle);
    if (!channel)
        return 0;
    return toBytes(channel->ended ? channel->endMs : channel->player.duration());
}

bool MultimediaAudioStream::Free()
{
    if (!device_)
        return false;
    channels_.clear();
    device_.reset();
    ++generation_;
    return true;
}

}  // namespace tarvel
