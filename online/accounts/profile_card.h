// A public profile card: the photo in its frame (or the stand-in of the
// account's sex), nick, city, country and registration date beneath it, and
// one line with its icon for each profile field that is filled.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include "account_records.h"

namespace tarvel {

struct ProfileCardData {
  QString title;    // over the card; empty for none
  QString nick, city, country, date;
  char sex = 'M';
  TInfo14 info;
  QImage photo;     // null: the stand-in
  bool connected = true;  // false: "No Connect" instead of the lines
};

class ProfileCard : public QWidget {
  Q_OBJECT

 public:
  explicit ProfileCard(QWidget* parent = nullptr);
  void SetData(ProfileCardData data, const QString& noConnect);
  const ProfileCardData& Data() const { return data_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ProfileCardData data_;
  QString noConnect_;
};

}  // namespace tarvel
