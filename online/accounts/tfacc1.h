// The account window: create an account, log in or out, remember the login,
// choose rating play; the account's results, the ten best rated players,
// the own profile card and the president's. Every request is the account
// session's; a failed one shows "No Connect" where its data would stand.
#pragma once

#include <QDialog>
#include <QImage>

#include <array>
#include <cstdint>

#include "account_records.h"
#include "settings/words/words.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace tarvel {

class AccountHost;
class AccountSession;
class ProfileCard;
class RecordsHost;

// The account whose card page 6 shows.
inline constexpr const char* kPresidentNick = "Qor";

class TFAcc1 : public QDialog {
  Q_OBJECT

 public:
  TFAcc1(AccountSession& session, RecordsHost& records, AccountHost& host, QWidget* parent = nullptr);

  // Event handlers, named after the control and the event.
  void Button1Click();  // create an account
  void Button2Click();  // log in or sign out
  void Button3Click();  // remember the login
  void Button4Click();  // forget it
  void CheckBox2Click();
  void ButtonRef2Click();
  void ButtonRef3Click();
  void ButtonAva1Click();
  void ButtonProfileClick();

  // What tests and screenshots look at.
  QTabWidget* Pages() const { return pages_; }
  FieldLamp Lamp(AccountField field) const { return lamps_[static_cast<std::size_t>(field) - 1]; }
  QLineEdit* Edit(int number) const;  // 1..6
  QPushButton* Button(int number) const;  // 1..4
  QCheckBox* RatingBox() const { return checkBox2_; }
  QTableWidget* Results() const { return results_; }
  QTableWidget* TopTen() const { return topTen_; }
  const ProfileCard& OwnCard() const { return *ownCard_; }
  const QString& ClubMembersText() const { return membersText_; }

 private:
  void FormCreate();
  void CreateAccountPage();
  void CreateResultsPage();
  void CreateTopTenPage();
  void EditChange();
  void ComboBox1Change(int index);
  void ComboBox2Change(int index);
  void RefreshAccountPage();
  void ReadAfterLogin();
  void ReadAccountCount();
  void ReadTopTen();
  void ShowResults();
  void ShowOwnCard();
  void ShowPresidentCard();
  QString Text(WordId id, int row = 0) const;

  AccountSession& session_;
  RecordsHost& records_;
  AccountHost& host_;
  int language_ = 0;

  QTabWidget* pages_ = nullptr;
  std::array<QLineEdit*, 6> edits_{};
  std::array<QLabel*, 4> lampLabels_{};
  std::array<FieldLamp, 4> lamps_{FieldLamp::Red, FieldLamp::Red, FieldLamp::Red, FieldLamp::Red};
  QComboBox* comboBox1_ = nullptr;
  QComboBox* comboBox2_ = nullptr;
  QComboBox* comboBox3_ = nullptr;
  QCheckBox* checkBox1_ = nullptr;
  QCheckBox* checkBox2_ = nullptr;
  std::array<QPushButton*, 4> buttons_{};
  QLabel* members_ = nullptr;
  QString membersText_;
  QTableWidget* results_ = nullptr;
  QTableWidget* topTen_ = nullptr;
  ProfileCard* ownCard_ = nullptr;
  ProfileCard* presidentCard_ = nullptr;
  QPushButton* profileButton_ = nullptr;

  AccountTopTen topRows_{};
  bool topRead_ = false;
  TInfo14 president_;
  bool presidentRead_ = false;
  QImage ownPhoto_;
  QImage presidentPhoto_;
  bool ownProfileRead_ = false;
};

// A profile photo as received; null when the service has none.
QImage LoadAccountPhoto(AccountSession& session, const std::string& nick);

}  // namespace tarvel
