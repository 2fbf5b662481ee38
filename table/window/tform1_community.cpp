// The main window's side of the statistics, news and chat features: the
// side pictures' commands and the sirens of the main menu.
#include "table/window/tform1.h"

#include <QApplication>

#include "settings/options/form_passport.h"
#include "widgets/message_box.h"

namespace tarvel {

void TForm1::CreateCommunity() {
  // The chat's "Passport" opens "My Passport" over the chat window.
  community_ = std::make_unique<Community>(*this, settings_, online_->Requests(), online_->Notices(),
                                           online_->Directory(), [this] {
                                             QWidget* over = QApplication::activeModalWidget();
                                             TFormPassport passport(settings_, over ? over : this);
                                             RunModal(passport);
                                             WriteSettings();
                                           });
  const auto command = [this](void (Community::*open)()) {
    return [this, open] {
      PlaySound("WOpenFo", false);
      (community_.get()->*open)();
    };
  };
  menu_->SetServiceHandler(MenuService::Statistics, command(&Community::OpenStatistics));
  menu_->SetServiceHandler(MenuService::News, command(&Community::OpenNews));
  menu_->SetServiceHandler(MenuService::Chat, command(&Community::OpenChat));
}

bool TForm1::CommunityGameRunning() const { return TableShown(); }

void TForm1::SetNewsSiren(bool on) { menu_->SetSiren(MenuService::News, on); }

void TForm1::SetChatSiren(bool on) { menu_->SetSiren(MenuService::Chat, on); }

void TForm1::PlayCommunitySound(const char* name) { PlaySound(name, false); }

int TForm1::RunCommunityWindow(QDialog& window) { return RunModal(window); }

void TForm1::InformCommunity(const QString& title, const QString& text) { messages_->Inform(this, title, text); }

void TForm1::SaveCommunitySettings() { WriteSettings(); }

}  // namespace tarvel
