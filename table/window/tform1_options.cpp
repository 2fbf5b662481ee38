// The main window's side of the options dialog (OptionsHost): every change
// made in the dialog shows at once on the window behind it.
#include <QGuiApplication>
#include <QScreen>

#include "online/endpoints.h"
#include "settings/options/form_options.h"
#include "table/form_speed.h"
#include "widgets/qor_cards_button.h"
#include "table/window/tform1.h"

namespace tarvel {

void TForm1::OptionsClick() {
  PlaySound("WOpenFo", false);
  OpenOptionsDialog();
}

void TForm1::OpenOptionsDialog() {
  // Modal for the user without a nested event loop, like the speed window:
  // every setting takes effect at once and the dialog deletes itself on
  // closing.
  auto* form = new TFormOptions(settings_, *this, this);
  form->setAttribute(Qt::WA_DeleteOnClose);
  form->setWindowModality(Qt::ApplicationModal);
  form->show();
}

void TForm1::RedrawTable() {
  if (!TableShown()) return;
  LayoutTable();
  for (int seat = 1; seat <= 3; ++seat) {
    const auto at = static_cast<std::size_t>(seat);
    view_.DrawHand(seat, seat == 3);
    view_.DrawBoard(seat, seat == state_.Turn, true, kBoardClear, state_.GamePoints[at], state_.Taken[at]);
  }
  view_.ClearTable();
  for (int position = 1; position <= 3; ++position) {
    const CardCode card = state_.Trick[static_cast<std::size_t>(position)];
    const int seat = SeatOfTrickPosition(state_, position);
    if (card.IsCard() && seat != 0) view_.PutCardOnTable(seat, card);
  }
  view_.DrawCounter();
  view_.Refresh();
}

void TForm1::ApplyLanguage() { ApplyLanguage(false); }

bool TForm1::LoadDeck() {
  const bool loaded = pictures_.LoadDeck(settings_, geometry_);
  RedrawTable();
  update();
  return loaded;
}

bool TForm1::LoadBacks() {
  const bool loaded = pictures_.LoadBacks(settings_);
  pictures_.ChooseBack(settings_);
  RedrawTable();
  update();
  return loaded;
}

bool TForm1::ReloadBackground() {
  const bool loaded = ReloadBackground(TableShown() ? settings_.TableDesignPurple : settings_.MenuDesignPurple);
  if (MenuShown()) ShowMainMenu();  // the buttons take the design's colours
  RedrawTable();
  return loaded;
}

std::array<QImage, 4> TForm1::SampleCards() {
  // Jack of hearts, queen of diamonds, king of clubs, ace of spades: face
  // slot 13 + 4 x rank index + suit index.
  return {pictures_.FaceSlot(13 + 4 * 2 + 0), pictures_.FaceSlot(13 + 4 * 3 + 1),
          pictures_.FaceSlot(13 + 4 * 4 + 2), pictures_.FaceSlot(13 + 4 * 5 + 3)};
}

QImage TForm1::GraphicsPicture(const QString& name) {
  const PictureRef purple = PurpleBackgroundPicture();
  return ModulePicture(pictures_.ModuleFolders(), PictureRef{purple.Module, name, false});
}

void TForm1::NetGameChanged() {
  // "Multiplayer" switches between the club files: the rows follow at once.
  if (menuShown_) ShowClubMembers();
  update();
}

void TForm1::MusicChanged() { ApplySoundSettings(); }

void TForm1::GifAnimationChanged() {
  // The main menu has no animated pictures yet; the intro's animation runs
  // before any dialog can open.
  update();
}

void TForm1::PlaySettingsChanged() { SyncStateWithSettings(); }

void TForm1::ApplyCursors(QWidget* dialog) {
  ApplyCursors();
  if (dialog == nullptr) return;
  cursors_.Attach(dialog, CursorRole::Arrow);
  for (QWidget* child : dialog->findChildren<QWidget*>()) cursors_.Attach(child, CursorRole::Arrow);
}

void TForm1::ButtonsChanged() {
  ApplyNewButtons(this, settings_.NewButtons);
}

void TForm1::RadioListChanged() { audio_.Radio().PrepareRadio(settings_.RadioListFromServer); }

void TForm1::OpenSpeedWindow(QWidget* parent) {
  TFormSpeed form(settings_, parent);
  form.exec();
}

QSize TForm1::ScreenSize() {
  const QScreen* where = screen() ? screen() : QGuiApplication::primaryScreen();
  return where ? where->geometry().size() : QSize(kReferenceWidth, kReferenceHeight);
}

QSize TForm1::ClientSizeOf(int windowSize) { return GeometryForWindowSize(windowSize, WorkArea()).Client; }

QString TForm1::ProgramFolder() { return options_.programFolder; }

QString TForm1::DataFolder() { return options_.dataFolder; }

std::string TForm1::DownloadAddress(const QString& fileName) {
  const ServiceEndpoints endpoints(options_.servicesBase);
  return JoinAddress(endpoints.Address(Endpoint::DownloadFolder), fileName.toStdString());
}

void TForm1::PlayEffectSound(const char* name) { PlaySound(name, false); }

void TForm1::ShowMessage(QWidget* parent, const QString& text) { messages_->Inform(parent, ProductWord(), text); }

}  // namespace tarvel
