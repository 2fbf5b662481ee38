#include "table/window/window_audio.h"

#include "media/audio_stream.h"
#include "media/form_radio.h"
#include "settings/words/words.h"
#include "table/pictures.h"
#include "table/window/message_sink.h"
#include "widgets/word_text.h"

namespace tarvel {

namespace {

// The music player's buttons show only in the larger windows.
constexpr double kMusicButtonsScale = 1.5;

}  // namespace

WindowAudio::WindowAudio(QWidget* window, Settings& settings, Places places, std::uint64_t seed)
    : settings_(settings),
      places_(std::move(places)),
      random_(static_cast<std::mt19937::result_type>(seed)),
      effects_(places_.moduleFolders, [this] { return settings_.Language; }),
      midi_(places_.tempFolder),
      player_([] { return CreateAudioStream(); },
              [this](int max) { return std::uniform_int_distribution<int>(1, max)(random_); }),
      buttons_(player_, window, [this] { return settings_.Language; }),
      radio_(places_.radio, [] { return CreateAudioStream(); },
             [this](const std::function<void()>& read) {
               return WithModule(places_.moduleFolders, QString::fromLatin1(kRadioModuleFile), read);
             }),
      icon_(new RadioIcon(radio_, [this] { return settings_.Language; }, window)) {
  icon_->hide();
  // The radio never plays over the MIDI song: switching it on switches the
  // song off, in the settings too.
  QObject::connect(&radio_, &InternetRadio::MusicOffWanted, &radio_, [this] {
    settings_.MusicOn = false;
    UpdateMusic();
  });
}

// A window destroyed without being closed still leaves no song file behind.
WindowAudio::~WindowAudio() { Close(); }

bool WindowAudio::PrepareMusic() { return midi_.Prepare() != MidiMusic::Prepared::WriteFailed; }

void WindowAudio::FirstFramePainted() {
  if (firstFrame_ || closed_) return;
  firstFrame_ = true;
  UpdateMusic();
  if (!places_.playlist.empty()) player_.LoadPlaylist(places_.playlist, places_.musicFolder);
}

void WindowAudio::PrepareRadio() {
  if (closed_ || radioPrepared_) return;
  radioPrepared_ = true;
  radio_.PrepareRadio(settings_.RadioListFromServer);
}

void WindowAudio::IntroLeft() {
  if (!closed_) radio_.StartRadio();
}

void WindowAudio::RadioCommand(bool openWindow, QWidget* parent, MessageSink& messages) {
  // Until the radio is prepared (a moment after the first frame) it cannot
  // say whether it is there.
  if (closed_ || !radio_.Ready()) return;
  const int language = settings_.Language;
  if (!radio_.Record().CanUse) {
    messages.Inform(parent, WordText(WordId::QorInternetRadio, language),
                    WordText(WordId::CantFind, language) + QString::fromLatin1(kStationListFile) +
                        QStringLiteral(" + ") + QString::fromLatin1(kRadioModuleFile));
    return;
  }
  if (!openWindow) {
    radio_.Toggle();
    return;
  }
  // Modal for the user without a nested event loop; deleted on closing.
  auto* form = new TFormRadio(radio_, settings_, parent);
  form->setAttribute(Qt::WA_DeleteOnClose);
  form->setWindowModality(Qt::ApplicationModal);
  form->show();
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
  radio_.Close();
  midi_.Remove();
}

}  // namespace tarvel
