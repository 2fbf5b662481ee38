// The write window (also "World Top Ten"): the passport, "Your score" with
// the cycle's score and, once sent, "Your place". "Send" writes the entry to
// the Windows list; "Passport" edits the passport.
#pragma once

#include <QDialog>

#include <cstdint>

#include "online/worldtop/worldtop_host.h"
#include "widgets/qor_cards_button.h"

namespace tarvel {

class TFormWorldWrite : public QDialog {
  Q_OBJECT

 public:
  TFormWorldWrite(WorldTopContext& context, std::int32_t score, QWidget* parent = nullptr);

  void ButtonSendClick();
  void ButtonPassportClick();

  TQorCardsButton* ButtonSend() const { return send_; }
  TQorCardsButton* ButtonPassport() const { return passport_; }
  TQorCardsButton* ButtonClose() const { return close_; }
  // The place from the reply; -1 while none was given.
  std::int32_t Place() const { return place_; }
  bool Sent() const { return sent_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // Runs "My Passport" over this window.
  void EditPassport();

  WorldTopContext& context_;
  int language_;
  std::int32_t score_;
  std::int32_t place_ = -1;
  bool sent_ = false;
  bool shownOnce_ = false;
  TQorCardsButton* send_ = nullptr;
  TQorCardsButton* passport_ = nullptr;
  TQorCardsButton* close_ = nullptr;
};

}  // namespace tarvel
