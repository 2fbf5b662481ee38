// The profile editor: the fourteen public profile fields, saved with the
// account's password and read back; the photo, chosen as a 200 x 250 JPEG
// and uploaded over FTP with the account's own login, then loaded back.
#pragma once

#include <QByteArray>
#include <QDialog>
#include <QImage>
#include <QString>

#include <array>

#include "account_records.h"
#include "settings/words/words.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvel {

class AccountSession;
class RecordsHost;
struct Settings;

class TFAcc2 : public QDialog {
  Q_OBJECT

 public:
  TFAcc2(AccountSession& session, RecordsHost& records, const Settings& settings, const QImage& photo,
         QWidget* parent = nullptr);

  void Image1Click();   // the photo: a picture file dialog
  void ButtonOkIClick();  // "Update info"
  void ButtonOKFClick();  // "Refresh photo"

  // The photo file chosen; false (and the photo message) for anything but a
  // 200 x 250 JPEG.
  bool ChoosePhotoFile(const QString& file);
  QLineEdit* Field(std::size_t index) const { return fields_[index]; }
  const QImage& Photo() const { return photo_; }

 private:
  void ShowProfile();
  void ShowPhoto(const QImage& picture);
  QString Text(WordId id, int row = 0) const;

  AccountSession& session_;
  RecordsHost& records_;
  int language_ = 0;
  std::array<QLineEdit*, kProfileFieldCount> fields_{};
  QPushButton* image1_ = nullptr;
  QPushButton* buttonOkF_ = nullptr;
  QImage photo_;
  QByteArray chosen_;  // the JPEG to upload
};

}  // namespace tarvel
