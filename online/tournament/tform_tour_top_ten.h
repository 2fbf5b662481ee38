// The window "Tournament Top Ten": the online top ten by score, rating or
// games (a radio group), each row with its medal, flag, nick, city and value,
// and below it the own place in that list with the own value.
#pragma once

#include <QDialog>
#include <QStringList>

#include <array>

#include "online/service_requests.h"
#include "online/tour_state.h"
#include "online/worldtop/top_rows.h"
#include "settings/settings_file.h"
#include "widgets/qor_cards_button.h"

class QRadioButton;

namespace tarvel {

class TFormTourTopTen : public QDialog {
  Q_OBJECT

 public:
  TFormTourTopTen(ServiceRequests& requests, const Settings& settings, const TQorClient& own,
                  QWidget* parent = nullptr);

  // 's' score, 'r' rating, 'k' games: reads that list and the own place.
  void SetKind(char kind);
  char Kind() const { return kind_; }

  // The rows as shown, "place nick city value", or the one line "No Connect".
  QStringList ListTexts() const;
  QString OwnPlaceText() const { return ownPlace_; }
  QRadioButton* KindButton(int index) const { return kinds_[static_cast<std::size_t>(index)]; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ServiceRequests& requests_;
  TQorClient own_;
  int language_;
  char kind_ = 's';
  TopArea rows_;
  QString ownPlace_;
  std::array<QRadioButton*, 3> kinds_{};
};

}  // namespace tarvel
