// The champions window: the top ten cycle scores of the club file of the
// mode (games against the computer or LAN games).
#pragma once

#include <QDialog>
#include <QString>

#include <array>
#include <filesystem>
#include <optional>

namespace tarvel {

// Places 1..10 of a club file's top ten as shown: the name (characters 1..20
// of lines 6..15) and the score (21..26), trimmed. Nothing when the file
// fails its check.
struct ClubTopTenRow {
  QString name;
  QString score;
};
std::optional<std::array<ClubTopTenRow, 10>> ReadClubTopTen(const std::filesystem::path& clubFile);

class TFormTopTen : public QDialog {
  Q_OBJECT

 public:
  // `clubFile` is Tarvel.clb or Tarvel.net; `network` picks the title.
  TFormTopTen(int language, const std::filesystem::path& clubFile, bool network, QWidget* parent = nullptr);

  // Place 1..10: name and score as shown (empty when the file failed its
  // check).
  QString Name(int place) const;
  QString Score(int place) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QString title_;
  QString topTenWord_;
  QString scoreWord_;
  std::array<ClubTopTenRow, 10> rows_;
};

}  // namespace tarvel
