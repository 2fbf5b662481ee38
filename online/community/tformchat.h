// The chat window ("Qor Games Chat"): the latest ten messages of the chat
// board in ten boxes, a one-line edit box with its send button, the
// "Passport" button, the two options of the chat notice file and "Close".
// A 15-second timer redraws the board and enables the edit box again.
#pragma once

#include <QDialog>
#include <QTimer>

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>

#include "online/notices.h"
#include "online/service_records.h"
#include "settings/settings_file.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvel {

class ServiceRequests;

inline constexpr int kChatBoxes = 10;
inline constexpr int kChatTimerMs = 15000;

class TFormChat : public QDialog {
  Q_OBJECT

 public:
  // `folder` holds "QorChatQor.ini"; `openPassport` opens "My Passport".
  // Draws the board at once.
  TFormChat(Settings& settings, ServiceRequests& requests, std::filesystem::path folder,
            std::function<void()> openPassport, QWidget* parent = nullptr);

  // How a failed send is told; the default is a message box.
  void SetInform(std::function<void(const QString& title, const QString& text)> inform) {
    inform_ = std::move(inform);
  }

  // Reads the board and draws it; the newest message becomes the last seen.
  void DrawList();
  // The timer's tick.
  void TimerTick();
  // Enter in the edit box or the send button.
  void SendClick();

  // What tests look at. Boxes count from 0 at the top.
  QString BoxNumber(int box) const;
  QString BoxHeader(int box) const;
  QString BoxText(int box) const;
  bool BoxFresh(int box) const;  // the "new" mark shows
  QString ListMessage() const;   // "No Connect" over the board, else empty
  QLineEdit* Edit() const { return edit_; }
  QPushButton* SendButton() const;
  QPushButton* PassportButton() const;
  QCheckBox* BottomBox() const { return bottom_; }
  QCheckBox* OpenBox() const { return openOnNew_; }
  QTimer& Timer() { return timer_; }
  const ChatNotice& Notice() const { return notice_; }

 private:
  struct Box {
    QWidget* frame;
    QLabel* number;
    QLabel* flag;
    QLabel* sex;
    QLabel* header;
    QLabel* text;
    QLabel* fresh;
  };
  const Box* Shown(int box) const;
  void ShowEntry(const Box& box, const TQorRecord& entry, bool fresh);
  void EnableEdit();
  void SaveNotice();
  void BottomClick(bool checked);

  Settings& settings_;
  ServiceRequests& requests_;
  std::filesystem::path folder_;
  std::function<void()> openPassport_;
  std::function<void(const QString&, const QString&)> inform_;
  ChatNotice notice_;
  std::array<Box, kChatBoxes> boxes_{};
  QLabel* listMessage_ = nullptr;
  QLineEdit* edit_ = nullptr;
  QPushButton* send_ = nullptr;
  QPushButton* passport_ = nullptr;
  QCheckBox* bottom_ = nullptr;
  QCheckBox* openOnNew_ = nullptr;
  QTimer timer_;
  bool sent_ = false;  // a message went out since the last tick
};

}  // namespace tarvel
