#include "online/worldtop/tformworldtopten.h"

#include <QPainter>
#include <QToolButton>

#include "online/online_top_ten.h"
#include "online/worldtop/worldtop_paint.h"
#include "settings/options/form_passport.h"
#include "widgets/dialog_design.h"
#include "widgets/word_text.h"

namespace tarvel {
namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 560;
constexpr int kLeftRowsTop = 96;
constexpr int kLeftPitch = 20;
constexpr int kGamesTop = kLeftRowsTop + 10 * kLeftPitch + 4;
constexpr int kAroundTop = kGamesTop + 26;
constexpr int kRightLeft = 396;
constexpr int kHeadingTop = 50;
constexpr int kRightRowsTop = 88;
constexpr int kRightPitch = 31;
constexpr int kOriginSize = 48;
// The lightening steps of the chosen view's button, one per pulse tick.
constexpr std::array<int, 8> kPulse = {0, 8, 16, 24, 32, 24, 16, 8};
constexpr int kPulseMs = 110;

std::int32_t ListOf(TopOrigin origin) {
  switch (origin) {
    case TopOrigin::Android: return kAndroidList;
    case TopOrigin::Account: return kAccountList;
    case TopOrigin::Windows: break;
  }
  return kWorldList;
}

}  // namespace

struct TFormWorldTopTen::Columns {
  RowColumns row;
  int fontPixels;
};

namespace {

const RowColumns kLeftColumns{66, 100, 124, 144, 95, 242, 80, 380};
const RowColumns kRightColumns{kRightLeft + 4, kRightLeft + 40, kRightLeft + 64, kRightLeft + 84, 112,
                               kRightLeft + 200, 130, kWidth - 12};

}  // namespace

TFormWorldTopTen::TFormWorldTopTen(WorldTopContext& context, int& view, Opening opening, QWidget* parent)
    : QDialog(parent),
      context_(context),
      remembered_(view),
      language_(context.settings.Language),
      local_(opening == Opening::Local),
      shift_(local_ ? kRightLeft - 8 : 0) {
  setObjectName(QStringLiteral("FormWorldTopTen"));
  setWindowTitle(WordText(local_ ? WordId::TopTen : WordId::WorldTopTen, language_));
  setFixedSize(kWidth - shift_, kHeight);
  noConnect_ = WordText(WordId::NoConnect, language_);
  if (local_) {
    view_ = view == kNetClubView ? kNetClubView : kLocalClubView;
  } else {
    const bool any = view >= 1 && view <= kWorldTopViews;
    view_ = (opening == Opening::Exact && any) || (view >= 2 && view <= 4) ? view : 3;
    remembered_ = view_;
  }

  passport_ = new TQorCardsButton(WordText(WordId::Passport, language_), this);
  passport_->setObjectName(QStringLiteral("ButtonPassport"));
  passport_->setGeometry(262, 14, 120, 30);
  connect(passport_, &QPushButton::clicked, this, &TFormWorldTopTen::PassportClick);

  const std::array<QString, 3> originNames = {QStringLiteral("Windows"), QStringLiteral("Android"),
                                              QStringLiteral("Account48")};
  for (std::size_t i = 0; i < originButtons_.size(); ++i) {
    auto* button = new QToolButton(this);
    const auto origin = static_cast<TopOrigin>(i);
    button->setObjectName(originNames[i]);
    button->setIcon(QPixmap::fromImage(OriginPicture(origin, kOriginSize)));
    button->setIconSize(QSize(kOriginSize, kOriginSize));
    button->setAutoRaise(true);
    button->setGeometry(8, kLeftRowsTop + static_cast<int>(i) * 70, kOriginSize + 6, kOriginSize + 6);
    button->setToolTip(originNames[i]);
    connect(button, &QToolButton::clicked, this, [this, origin] { SetOrigin(origin); });
    originButtons_[i] = button;
  }

  for (int v = 1; v <= kWorldTopViews; ++v) {
    auto* button = new TQorCardsButton(QString(QChar(u'A' + v - 1)), this);
    button->setObjectName(QStringLiteral("ButtonView%1").arg(v));
    button->setGeometry(kRightLeft - shift_ + 6 + (v - 1) * 56, 10, 48, 30);
    button->setVisible(!local_ || v >= kLocalClubView);
    connect(button, &QPushButton::clicked, this, [this, v] { SetView(v); });
    viewButtons_[static_cast<std::size_t>(v - 1)] = button;
  }
  const std::array<WordId, 3> kindWords = {WordId::Score, WordId::Rating, WordId::Games};
  for (std::size_t i = 0; i < kindButtons_.size(); ++i) {
    auto* button = new TQorCardsButton(WordText(kindWords[i], language_), this);
    const char kind = kOnlineTopKinds[i];
    button->setObjectName(QStringLiteral("ButtonKind") + QLatin1Char(kind));
    button->setGeometry(kRightLeft - shift_ + 20 + static_cast<int>(i) * 125, kRightRowsTop + 10 * kRightPitch + 8, 115, 30);
    connect(button, &QPushButton::clicked, this, [this, kind] { SetKind(kind); });
    kindButtons_[i] = button;
  }
  close_ = new TQorCardsButton(WordText(WordId::Close, language_), this);
  close_->setObjectName(QStringLiteral("ButtonClose"));
  close_->setGeometry(kWidth - shift_ - 140, kHeight - 44, 120, 30);
  close_->setDefault(true);
  connect(close_, &QPushButton::clicked, this, &QDialog::accept);

  ApplyDialogDesign(this, context_.settings);
  connect(&pulse_, &QTimer::timeout, this, &TFormWorldTopTen::Animate);
  pulse_.setInterval(kPulseMs);
  // The local champions need no services: no passport, origins or lists.
  passport_->setVisible(!local_);
  for (QToolButton* button : originButtons_) button->setVisible(!local_);
  if (!local_) LoadLeft();
  LoadView();
}

void TFormWorldTopTen::LoadLeft() {
  const int language = language_;
  const std::int32_t list = ListOf(origin_);
  TopTenList entries;
  bool ok = context_.requests.ReadTopTen(list, entries);
  best_ = RowsOfList(ok, entries, origin_ == TopOrigin::Windows ? TopWhere::City : TopWhere::CityAndCountry,
                     origin_ == TopOrigin::Windows, language);
  std::int32_t games = 0;
  gamesText_ = context_.requests.ReadNumberOfGames(list, games)
                   ? WordText(WordId::NumberOfGames, language) + QStringLiteral(": ") + QString::number(games)
                   : QString();
  std::string nick = context_.settings.Nick;
  std::string city = context_.settings.City;
  ok = origin_ != TopOrigin::Account ||
       (context_.sources.accountPassport && context_.sources.accountPassport(nick, city));
  if (ok) ok = context_.requests.ReadTopTenAround(list, nick, city, entries);
  around_ = RowsOfList(ok, entries, origin_ == TopOrigin::Windows ? TopWhere::City : TopWhere::CityAndCountry,
                       origin_ == TopOrigin::Windows, language);
  for (std::size_t i = 0; i < originButtons_.size(); ++i)
    originButtons_[i]->setChecked(static_cast<TopOrigin>(i) == origin_);
  update();
}

void TFormWorldTopTen::LoadView() {
  TopTenList entries;
  bool ok = false;
  switch (view_) {
    case 1: {
      std::vector<TQorTop10> rating;
      ok = context_.sources.accountRating && context_.sources.accountRating(rating);
      viewRows_ = RowsOfRating(ok, rating, language_);
      break;
    }
    case 2:
    case 3:
    case 4: {
      const TopOrigin origin = view_ == 2 ? TopOrigin::Account : view_ == 3 ? TopOrigin::Windows : TopOrigin::Android;
      ok = context_.requests.ReadTopTen(ListOf(origin), entries);
      viewRows_ = RowsOfList(ok, entries, TopWhere::CityAndCountry, true, language_);
      break;
    }
    case 5:
      ok = ReadOnlineTopTen(context_.requests, kind_, entries);
      viewRows_ = RowsOfList(ok, entries, TopWhere::CityAndCountry, true, language_);
      break;
    default:
      viewRows_ = RowsOfClub(context_.dataFolder / (view_ == 6 ? "Tarvel.clb" : "Tarvel.net"));
      break;
  }
  for (TQorCardsButton* button : kindButtons_) button->setVisible(view_ == 5);
  for (int v = 1; v <= kWorldTopViews; ++v) ViewButton(v)->SetKLightSB(0);
  update();
}

void TFormWorldTopTen::SetOrigin(TopOrigin origin) {
  origin_ = origin;
  LoadLeft();
}

void TFormWorldTopTen::SetView(int view) {
  if (view < 1 || view > kWorldTopViews) return;
  view_ = view;
  if (!local_) remembered_ = view;
  LoadView();
}

void TFormWorldTopTen::SetKind(char kind) {
  kind_ = kind;
  if (view_ == 5) LoadView();
}

QString TFormWorldTopTen::Heading() const { return WordText(WordId::WorldTopTenViews, language_, view_ - 1); }

QStringList TFormWorldTopTen::AreaTexts(Area area) const {
  const TopArea& rows = area == Area::BestTen ? best_ : area == Area::Around ? around_ : viewRows_;
  if (rows.failed) return {noConnect_};
  QStringList texts;
  for (const TopRow& row : rows.rows) {
    QStringList parts = {row.place, row.nick};
    if (!row.where.isEmpty()) parts << row.where;
    parts << row.score;
    texts << parts.join(QLatin1Char(' '));
  }
  return texts;
}

void TFormWorldTopTen::PassportClick() {
  TFormPassport passport(context_.settings, this);
  context_.host.RunModal(passport);
  LoadLeft();
}

void TFormWorldTopTen::Animate() {
  pulseStep_ = (pulseStep_ + 1) % static_cast<int>(kPulse.size());
  ViewButton(view_)->SetKLightSB(kPulse[static_cast<std::size_t>(pulseStep_)]);
}

void TFormWorldTopTen::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  pulse_.start();
}

void TFormWorldTopTen::hideEvent(QHideEvent* event) {
  pulse_.stop();
  QDialog::hideEvent(event);
}

void TFormWorldTopTen::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!local_) PaintLeftPanel(painter);
  painter.translate(-shift_, 0);
  // The lists stand on light panels, readable in every design.
  PaintListPanel(painter, QRect(kRightLeft, kHeadingTop - 4, kWidth - kRightLeft - 8, 10 * kRightPitch + 44));
  QFont font = painter.font();
  font.setBold(true);
  font.setPixelSize(15);
  painter.setFont(font);
  painter.setPen(QColor(128, 0, 0));
  painter.drawText(QRect(kRightLeft, kHeadingTop, kWidth - kRightLeft - 8, 28), Qt::AlignCenter,
                   FitText(Heading(), painter.fontMetrics(), kWidth - kRightLeft - 16));
  DrawArea(painter, viewRows_, {kRightColumns, 13}, kRightRowsTop, kRightPitch);
}

void TFormWorldTopTen::PaintLeftPanel(QPainter& painter) const {
  PaintListPanel(painter, QRect(60, 8, 330, kHeight - 16));
  PaintPassport(painter, QPoint(70, 12), context_.settings, language_);

  // The chosen origin is framed.
  const QRect chosen = OriginButton(origin_)->geometry().adjusted(-3, -3, 3, 3);
  painter.setPen(QPen(QColor(200, 0, 0), 2));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(chosen, 4, 4);

  DrawArea(painter, best_, {kLeftColumns, 12}, kLeftRowsTop, kLeftPitch);
  QFont font = painter.font();
  font.setPixelSize(12);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(QColor(128, 0, 0));
  painter.drawText(QRect(70, kGamesTop, 310, 20), Qt::AlignLeft | Qt::AlignVCenter, gamesText_);
  DrawArea(painter, around_, {kLeftColumns, 12}, kAroundTop, kLeftPitch);
}

void TFormWorldTopTen::DrawArea(QPainter& painter, const TopArea& area, const Columns& columns, int top,
                                int pitch) const {
  QFont font = painter.font();
  font.setPixelSize(columns.fontPixels);
  font.setBold(false);
  painter.setFont(font);
  if (area.failed) {
    painter.setPen(QColor(200, 0, 0));
    painter.drawText(QRect(columns.row.place, top, 300, pitch), Qt::AlignLeft | Qt::AlignVCenter, noConnect_);
    return;
  }
  for (std::size_t i = 0; i < area.rows.size(); ++i)
    PaintTopRow(painter, area.rows[i], columns.row, top + static_cast<int>(i) * pitch, pitch);
}

}  // namespace tarvel
