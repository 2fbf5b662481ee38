// The audio stream layer: MP3 songs and internet radio streamed from URLs.
//
// The game talks to its audio streams through a small handle-based library:
// initialise it once, open streams from URLs, set their volume, play, stop,
// read position and length, free them. Two implementations exist:
//
//   - MultimediaAudioStream plays through QMediaPlayer (GStreamer backend),
//     in the audio module (media/audio), loaded on the first stream;
//   - SilentAudioStream is a library without an output: it opens no stream,
//     so every call behaves as a call on the zero handle.
//
// Handle rules, common to both:
//   - StreamHandle 0 is the handle of a stream that could not be opened.
//     Every call on it (or on a freed or never issued handle) does nothing
//     and reports failure: false, std::nullopt or a zero position/length.
//   - Handles count up from 1 and are never handed out twice by one object,
//     so a stale handle kept by a caller does not reach a newer stream.
//   - Positions and lengths are byte counts of the decoded sound as 16-bit
//     stereo at the frequency given to Init. A position equal to the length
//     means that the stream has ended; while a stream has not ended its
//     position stays below its length, and a length of 0 means "unknown"
//     (not loaded yet, or a live radio stream).
//
// Everything runs on the user-interface thread. A library object must not be
// destroyed by a handler that runs inside its own StreamCreateURL wait.
#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

namespace tarvel {

using StreamHandle = std::uint64_t;

inline constexpr int kDefaultAudioDevice = -1;
inline constexpr std::uint32_t kDefaultAudioFrequency = 44100;

// Attributes of a stream; the numbering is the one the game's code uses.
enum class ChannelAttribute {
    Volume = 2,  // linear volume, 0 (silent) to 1 (full)
};

class AudioStream {
public:
    virtual ~AudioStream() = default;

    // Prepares the library for the given output device: -1 is the system's
    // default output, 1..n pick an output from the system's list. Reports
    // false when the device does not exist, the frequency is 0, or the library
    // is already initialised (then nothing changes).
    virtual bool Init(int device = kDefaultAudioDevice,
                      std::uint32_t frequency = kDefaultAudioFrequency) = 0;

    // Opens a stream from an http:// or https:// address and waits until it
    // is ready to play, but no longer than the library's open time-out; the
    // event loop keeps running meanwhile (user input is held back until the
    // call returns). Reports 0 when the library is not initialised, the
    // address is not a web address, the server cannot be reached or answers
    // with an error, the content is not audio, or the time-out passes.
    virtual StreamHandle StreamCreateURL(const QString& url) = 0;

    // Releases one stream (stopping it first). A stream that a new song or
    // station replaces must be released, or its player and connection stay.
    virtual bool StreamFree(StreamHandle handle) = 0;

    // Sets an attribute. The volume is clamped into 0..1; NaN is refused.
    virtual bool ChannelSetAttribute(StreamHandle handle, ChannelAttribute attribute,
                                     float value) = 0;
    virtual std::optional<float> ChannelGetAttribute(StreamHandle handle,
                                                     ChannelAttribute attribute) const = 0;

    // Starts or resumes playing. A stream that has played to its end stays
    // there (reports false): the game moves on to a new stream instead.
    virtual bool ChannelPlay(StreamHandle handle) = 0;

    // Stops playing and keeps the position, so ChannelPlay resumes there.
    virtual bool ChannelStop(StreamHandle handle) = 0;

    virtual std::uint64_t ChannelGetPosition(StreamHandle handle) const = 0;
    virtual std::uint64_t ChannelGetLength(StreamHandle handle) const = 0;

    // Releases every stream and the device. Afterwards every call fails
    // harmlessly until Init is called again. Reports false when the library
    // was not initialised.
    virtual bool Free() = 0;

    // True when the stream has played to its end (position equals a known
    // length). False for the zero handle, so a stream that never opened is
    // never taken for a finished one.
    bool ChannelHasEnded(StreamHandle handle) const;
};

class SilentAudioStream final : public AudioStream {
public:
    // Reports false: there is no output to play to.
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
};

enum class AudioBackend {
    Automatic,   // Multimedia when the system lists an audio output, else Silent
    Multimedia,  // Silent when the audio module cannot be loaded
    Silent,
};

std::unique_ptr<AudioStream> CreateAudioStream(AudioBackend backend = AudioBackend::Automatic);

}  // namespace tarvel
