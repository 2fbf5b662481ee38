// The statistics window ("WORLD STATS"): the world statistics read from the
// statistics service in ten rows, and the "I like this game!" vote, which a
// player casts once.
#pragma once

#include <QDialog>

#include <array>
#include <functional>

#include "online/service_records.h"
#include "settings/settings_file.h"

class QLabel;

namespace tarvel {

class ServiceRequests;
class TQorCardsButton;

inline constexpr int kStatRows = 10;

class TFormStat : public QDialog {
  Q_OBJECT

 public:
  // Reads the statistics at once. `saveSettings` writes the settings file
  // after a vote (the passport nick and `LikeSent` changed).
  TFormStat(Settings& settings, ServiceRequests& requests, std::function<void()> saveSettings,
            QWidget* parent = nullptr);

  // How the vote asks for a nick while the passport still holds the
  // default: false when the player cancels. The default is an input box.
  void SetNickAsker(std::function<bool(QString& nick)> ask) { askNick_ = std::move(ask); }

  // Row 0..9 as shown.
  QString Value(int row) const;
  TQorCardsButton* LikeButton() const { return like_; }

  // "I like this game!".
  void LikeClick();

 private:
  void ShowStat(const TQorStat& stat);

  Settings& settings_;
  ServiceRequests& requests_;
  std::function<void()> saveSettings_;
  std::function<bool(QString&)> askNick_;
  std::array<QLabel*, kStatRows> values_{};
  TQorCardsButton* like_ = nullptr;
  TQorStat stat_;
  bool read_ = false;
};

}  // namespace tarvel
