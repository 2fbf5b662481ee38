#include "table/window/window_audio.h"

#include "media/audio_stream.h"

namespace tarvel {

namespace {

// The music player's buttons show only in the larger windows.
constexpr double kMusicButtonsScale = 1.5;

}  // namespace

WindowAudio::WindowAudio(QWidget* window, const Settings& settings, Places places, std::uint64_t seed)
    : settings_(settings),
      places_(std::move(places)),
      random_(static_cast<std::mt19937::result_type>(seed)),
      effects_(places_.moduleFolders, [this] { return settings_.Language; }),
      midi_(places_.tempFolder),
      player_([] { return CreateAudioStream(); },
              [this](int max) { return std::uniform_int_distribution<int>(1, max)(random_); }),
      buttons_(player_, window, [this] { return settings_.Language; }) {}

// A window destroyed without being closed still leaves no song file behind.
WindowAudio::~WindowAudio() { Close(); }

bool WindowAudio::PrepareMusic() { return midi_.Prepare() != MidiMusic::Prepared::WriteFailed; }

void WindowAudio::FirstFramePainted() {
  if (firstFrame_ || closed_) return;
  firstFrame_ = true;
  UpdateMusic();
  if (!places_.playlist.empty()) player_.LoadPlaylist(places_.playlist, places_.musicFolder);
}

void WindowAudio::ScreenChanged(Screen screen, double scale, int clientHeight) {
  screen_ = screen;
  buttons_.Show(screen == Screen::Menu && scale >= kMusicButtonsScale, clientHeight);
  UpdateMusic();
}

void WindowAudio::ApplySettings() { UpdateMusic(); }

void WindowAudio::UpdateMusic() {
  if (closed_ || !firstFrame_) return;
  midi_.Play(settings_.MusicOn && screen_ != Screen::Table);
}

void WindowAudio::Close() {
  if (closed_) return;
  closed_ = true;
  buttons_.Show(false, 0);
  player_.Close();
  midi_.Remove();
}

}  // namespace tarvel
