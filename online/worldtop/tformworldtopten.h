// The read window "World Top Ten". Left: the passport, the three origin
// pictures, the best ten of the chosen origin, its number of games and the
// player's neighbourhood in it. Right: one of seven views chosen with the
// buttons A..G: the account rating, the account, Windows and Android cycle
// scores, the online tournament's top ten (by score, rating or games) and the
// two local club files. Every text from outside is painted as plain text,
// cut to its column.
#pragma once

#include <QDialog>
#include <QStringList>
#include <QTimer>

#include <array>

#include "online/worldtop/top_rows.h"
#include "online/worldtop/worldtop_host.h"
#include "online/worldtop/worldtop_pictures.h"
#include "widgets/qor_cards_button.h"

class QToolButton;

namespace tarvel {

inline constexpr int kWorldTopViews = 7;
// The views of the club files: games against the computer, network games.
inline constexpr int kLocalClubView = 6;
inline constexpr int kNetClubView = 7;

class TFormWorldTopTen : public QDialog {
  Q_OBJECT

 public:
  enum class Opening {
    Remembered,  // the view last chosen when it is 2, 3 or 4, else 3
    Exact,       // the view given
    Local,       // only the club views 6 and 7, without the services
  };

  // `view` is the view last chosen, updated as the player chooses (not in
  // the local mode, whose `view` is the club view to open with).
  TFormWorldTopTen(WorldTopContext& context, int& view, Opening opening, QWidget* parent = nullptr);

  enum class Area { BestTen, Around, View };

  void SetOrigin(TopOrigin origin);
  void SetView(int view);
  void SetKind(char kind);  // 's', 'r' or 'k' of view 5
  TopOrigin Origin() const { return origin_; }
  int View() const { return view_; }
  char Kind() const { return kind_; }

  // An area's rows, each "place nick where score" as shown (cut texts
  // unchanged), or the one line "No Connect".
  QStringList AreaTexts(Area area) const;
  QString GamesText() const { return gamesText_; }
  QString Heading() const;

  TQorCardsButton* ViewButton(int view) const { return viewButtons_[static_cast<std::size_t>(view - 1)]; }
  TQorCardsButton* KindButton(int index) const { return kindButtons_[static_cast<std::size_t>(index)]; }
  QToolButton* OriginButton(TopOrigin origin) const { return originButtons_[static_cast<std::size_t>(origin)]; }
  TQorCardsButton* ButtonPassport() const { return passport_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  struct Columns;
  void LoadLeft();
  void LoadView();
  void PassportClick();
  void Animate();
  void PaintLeftPanel(QPainter& painter) const;
  void DrawArea(QPainter& painter, const TopArea& area, const Columns& columns, int top, int pitch) const;

  WorldTopContext& context_;
  int& remembered_;
  int language_;
  bool local_;
  int shift_;  // how far the right panel moves left in the local mode
  TopOrigin origin_ = TopOrigin::Windows;
  int view_ = 3;
  char kind_ = 's';
  TopArea best_, around_, viewRows_;
  QString gamesText_;
  QString noConnect_;
  std::array<TQorCardsButton*, kWorldTopViews> viewButtons_{};
  std::array<TQorCardsButton*, 3> kindButtons_{};
  std::array<QToolButton*, 3> originButtons_{};
  TQorCardsButton* passport_ = nullptr;
  TQorCardsButton* close_ = nullptr;
  QTimer pulse_;
  int pulseStep_ = 0;
};

}  // namespace tarvel
