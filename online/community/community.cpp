#include "online/community/community.h"

#include <QDesktopServices>
#include <QUrl>

#include "online/community/tformchat.h"
#include "online/community/tformstat.h"
#include "widgets/word_text.h"

namespace tarvel {

Community::Community(CommunityHost& host, Settings& settings, ServiceRequests& requests, NoticePoller& notices,
                     const DirectoryState& directory, std::function<void()> openPassport)
    : host_(host),
      settings_(settings),
      requests_(requests),
      notices_(notices),
      directory_(directory),
      openPassport_(std::move(openPassport)) {
  timer_.setInterval(kNoticeTimerMs);
  connect(&timer_, &QTimer::timeout, this, &Community::NoticeTick);
}

void Community::MenuBuilt() {
  if (!timer_.isActive()) timer_.start();
  if (windowOpen_) return;
  Apply(notices_.MenuBuilt());
}

void Community::NoticeTick() {
  if (windowOpen_) return;
  Apply(notices_.Tick(host_.CommunityMenuShown()));
}

void Community::Apply(const NoticePoller::Change& change) {
  host_.SetNewsSiren(notices_.NewsPending());
  host_.SetChatSiren(notices_.ChatPending());
  if (!change.chat) return;
  host_.PlayCommunitySound("WToMenK");
  if (host_.CommunityGameRunning() && ReadChatNotice(notices_.Folder()).openOnNew) OpenChat();
}

void Community::Run(QDialog& window) {
  windowOpen_ = true;
  host_.RunCommunityWindow(window);
  windowOpen_ = false;
}

void Community::OpenStatistics() {
  if (windowOpen_) return;
  TFormStat window(settings_, requests_, [this] { host_.SaveCommunitySettings(); }, host_.CommunityParent());
  Run(window);
}

void Community::OpenNews() {
  notices_.NewsOpened();
  host_.SetNewsSiren(false);
  QDesktopServices::openUrl(QUrl(QString::fromStdString(requests_.Address(Endpoint::NewsDocument))));
}

void Community::OpenChat() {
  if (windowOpen_) return;
  if (directory_.chatPaused) {
    host_.InformCommunity(WordText(WordId::QorGamesChat, settings_.Language),
                          WordText(WordId::ChatPaused, settings_.Language));
    return;
  }
  host_.SetChatSiren(false);
  TFormChat window(settings_, requests_, notices_.Folder(), openPassport_, host_.CommunityParent());
  window.SetInform([this](const QString& title, const QString& text) { host_.InformCommunity(title, text); });
  Run(window);
  notices_.ChatOpened();
  host_.SetChatSiren(false);
}

}  // namespace tarvel
