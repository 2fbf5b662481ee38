// The name and password dialog: a new player types a name and a password
// twice; a club member types the password only; a change of name is typed
// as for a new player. Its OK button checks the fields and leaves the
// player in Member().
//
// Names and passwords are stored in Windows-1251 in the club file: a typed
// character the code page cannot hold (or a control character) is refused
// at once with a message, never stored as a wrong byte.
#pragma once

#include <QDialog>

#include <functional>

#include "records/game_record.h"
#include "settings/settings_file.h"
#include "widgets/qor_cards_button.h"

class QLabel;
class QLineEdit;
class QVBoxLayout;

namespace tarvel {

class TFormPassword : public QDialog {
  Q_OBJECT

 public:
  // `inform` shows a message box in the current language.
  TFormPassword(const Settings& settings, std::function<void(const QString&)> inform, QWidget* parent = nullptr);

  // A new player (or a change of name): the name field preset to
  // `lastName` when it has at most 20 characters, else "Mr.X".
  void PrepareNewPlayer(const QString& lastName);
  // Club member `member` logs in: the name is shown but cannot be changed,
  // only the password field takes input.
  void PrepareMember(const ClubMember& member);

  // An extra panel shown below the name fields (the network fields of a
  // LAN game). The dialog takes ownership.
  void SetExtraWidget(QWidget* widget);

  // The OK button: checks the fields; on success the dialog is accepted and
  // Member() holds the player.
  bool Button1Click();
  // Before the dialog closes with a valid player, `gate` may keep it open (a
  // network game opens its connection first) and call `accept` once done; it
  // returns false when the dialog stays as it is.
  void SetAcceptGate(std::function<bool(std::function<void()> accept)> gate) { gate_ = std::move(gate); }

  const ClubMember& Member() const { return member_; }
  // The name as typed (trimmed), for the next "New Player".
  QString TypedName() const;

  QLineEdit* Edit1() const { return edit1_; }
  QLineEdit* Edit2() const { return edit2_; }
  QLineEdit* Edit3() const { return edit3_; }
  TQorCardsButton* Button1() const { return button1_; }

 private:
  void Refused();

  int language_;
  std::function<void(const QString&)> inform_;
  std::function<bool(std::function<void()>)> gate_;
  bool existing_ = false;
  ClubMember member_;
  QVBoxLayout* layout_ = nullptr;
  QLabel* label3_ = nullptr;
  QLineEdit* edit1_ = nullptr;
  QLineEdit* edit2_ = nullptr;
  QLineEdit* edit3_ = nullptr;
  TQorCardsButton* button1_ = nullptr;
};

}  // namespace tarvel
