#include "table/window/main_menu.h"

#include <QEnterEvent>
#include <QHash>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QWidget>

#include <algorithm>

#include "settings/words/words.h"
#include "widgets/balloon_hint.h"
#include "widgets/dialog_design.h"
#include "widgets/fireworks.h"
#include "widgets/message_box.h"
#include "widgets/program_picture.h"
#include "widgets/qor_cards_button.h"
#include "widgets/word_text.h"

namespace tarvel {

namespace {

constexpr int kGifFrames = 16;
// The flames flicker at 60 ms a frame and the animated pictures turn at
// 120 ms, so both fall on the same ticks and the window repaints at most 17
// times a second at rest.
constexpr int kFlameTicksPerFrame = 3;
constexpr int kGifTicksPerFrame = 6;
constexpr int kFlameFrames = 6;
constexpr QSize kFlameSize{12, 26};
// Tops of the three wicks in a candle picture (the right picture is the
// left one mirrored, so the same places serve both).
constexpr std::array<QPoint, 3> kWicks{{{22, 60}, {50, 38}, {78, 60}}};
// Each of the six flames starts at another frame of the strip.
constexpr std::array<int, 6> kFlameOffsets{0, 3, 1, 4, 2, 5};

const QColor kMenuYellow(255, 255, 0);
const QColor kHeaderPurpleText(128, 50, 50);


QString Suffix(int language) { return FromUtf8(PictureSuffix(language)); }

// The picture drawn at twice the size for the larger windows, else the
// normal one, brought to `size`.
QImage Lettered(const QString& name, QSize size) {
  QImage picture = size.width() > 400 ? ProgramPicture(name + QLatin1Char('B')) : QImage();
  if (picture.isNull()) picture = ProgramPicture(name);
  if (picture.isNull() || picture.size() == size) return picture;
  return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// Frame `index` of a strip of frames of `size` side by side.
QRect FrameRect(int index, QSize size) { return QRect(QPoint(index * size.width(), 0), size); }

// The display pieces, decoded once: the displays are redrawn every second.
const QImage& DisplayPicture(const QString& name) {
  static QHash<QString, QImage> pictures;
  auto found = pictures.constFind(name);
  if (found == pictures.constEnd()) found = pictures.insert(name, ProgramPicture(name));
  return found.value();
}

// Where a flame stands: on the wick of a candle.
QRect FlameRect(const QRect& candle, QPoint wick) {
  return QRect(candle.topLeft() + wick - QPoint(kFlameSize.width() / 2, kFlameSize.height() - 3), kFlameSize);
}

}  // namespace

// A small picture of an online service: clickable once its window exists,
// else greyed with a balloon hint saying so.
class ServicePicture : public QWidget {
 public:
  // Decoded on the first paint: the menu is built before the first frame,
  // and the first decode makes Qt scan its image plug-ins.
  ServicePicture(const QString& picture, QWidget* parent) : QWidget(parent), name_(picture) {
    setAttribute(Qt::WA_Hover);
  }
  void SetHint(const QString& title, const QString& text) {
    title_ = title;
    text_ = text;
  }
  void SetHandler(std::function<void()> open) {
    open_ = std::move(open);
    setCursor(open_ ? Qt::PointingHandCursor : Qt::ArrowCursor);
    update();
  }
  bool Enabled() const { return static_cast<bool>(open_); }
  // A siren in the picture's top right corner; an invalid colour: none.
  void SetSiren(const QColor& colour) {
    if (colour == siren_) return;
    siren_ = colour;
    update();
  }
  bool Siren() const { return siren_.isValid(); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!open_) painter.setOpacity(0.45);
    if (picture_.isNull()) picture_ = ProgramPicture(name_);
    painter.drawImage(rect(), picture_);
    if (siren_.isValid()) DrawSiren(painter);
  }
  void enterEvent(QEnterEvent* event) override {
    BalloonHint::Show(title_, open_ ? QString() : text_, this);
    QWidget::enterEvent(event);
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && open_ && rect().contains(event->position().toPoint())) open_();
  }

 private:
  QString name_;
  QImage picture_;
  QString title_;
  QString text_;
  std::function<void()> open_;
  QColor siren_;

  // A siren lamp: a dome of its colour on a dark base, with rays.
  void DrawSiren(QPainter& painter) const {
    painter.setOpacity(1.0);
    painter.setRenderHint(QPainter::Antialiasing);
    const double size = std::max(8.0, std::min(width(), height()) * 0.42);
    const QRectF lamp(width() - size - 1, 1, size, size);
    const QRectF dome(lamp.left() + size * 0.2, lamp.top() + size * 0.25, size * 0.6, size * 0.6);
    painter.setPen(QPen(siren_, std::max(1.0, size / 12)));
    painter.drawLine(QPointF(lamp.center().x(), lamp.top()), QPointF(lamp.center().x(), dome.top()));
    painter.drawLine(lamp.topLeft() + QPointF(size * 0.05, size * 0.2), dome.topLeft() + QPointF(size * 0.08, size * 0.12));
    painter.drawLine(lamp.topRight() + QPointF(-size * 0.05, size * 0.2), dome.topRight() + QPointF(-size * 0.08, size * 0.12));
    painter.setPen(QPen(siren_.darker(180), 1));
    painter.setBrush(siren_);
    painter.drawChord(dome, 0, 180 * 16);
    painter.setBrush(QColor(40, 40, 40));
    painter.drawRect(QRectF(dome.left() - size * 0.05, dome.center().y(), dome.width() + size * 0.1, size * 0.18));
  }
};

MainMenu::MainMenu(QWidget& window, Settings& settings, MainMenuHost& host)
    : QObject(&window), window_(window), settings_(settings), host_(host) {
  CreateButtons();
  static constexpr std::array<const char*, kServicePictures> kPictures{"SvTop10", "SvStat", "SvAccount", "SvTour",
                                                                       "SvNews", "SvChat", "SvSite"};
  for (std::size_t i = 0; i < services_.size(); ++i) {
    services_[i] = new ServicePicture(QString::fromLatin1(kPictures[i]), &window_);
    services_[i]->hide();
  }
  Hide();
}

MainMenu::~MainMenu() = default;

void MainMenu::CreateButtons() {
  const auto make = [this](const char* name, void (MainMenu::*click)()) {
    auto* button = new TQorCardsButton(&window_);
    button->setObjectName(QString::fromLatin1(name));
    if (click != nullptr) connect(button, &QPushButton::clicked, this, click);
    return button;
  };
  panel4_ = make("Panel4", nullptr);
  panel4_->setFocusPolicy(Qt::NoFocus);
  panel4_->setAttribute(Qt::WA_TransparentForMouseEvents);
  panel4_->SetKontur(false);
  for (int k = 0; k < kMenuRows; ++k) {
    TQorCardsButton* row = make(QStringLiteral("Button%1").arg(k + 1).toLatin1().constData(), nullptr);
    connect(row, &QPushButton::clicked, this, [this, k] { MemberRowClick(k + 1); });
    rows_[static_cast<std::size_t>(k)] = row;
  }
  button6_ = make("Button6", &MainMenu::Button6Click);
  button9_ = make("Button9", &MainMenu::Button9Click);
  bHistory_ = make("BHistory", &MainMenu::BHistoryClick);
  button10_ = make("Button10", &MainMenu::Button10Click);
  bMode_ = make("BMode", &MainMenu::BModeClick);
  button11_ = make("Button11", &MainMenu::Button11Click);
  // Tab walks the rows, then the commands from the left column to the right.
  QWidget* previous = rows_[0];
  for (QWidget* next : std::initializer_list<QWidget*>{rows_[1], rows_[2], rows_[3], rows_[4], button6_, button9_,
                                                       bHistory_, button10_, bMode_, button11_}) {
    QWidget::setTabOrder(previous, next);
    previous = next;
  }
  SetMemberRows({});
}

QPushButton* MainMenu::Button(const char* name) const {
  const QString wanted = QString::fromLatin1(name);
  for (TQorCardsButton* b : {button6_, button9_, button10_, button11_, bHistory_, bMode_})
    if (b->objectName() == wanted) return b;
  return nullptr;
}

QPushButton* MainMenu::MemberRow(int row) const {
  return row >= 1 && row <= kMenuRows ? rows_[static_cast<std::size_t>(row - 1)] : nullptr;
}

QPushButton* MainMenu::Header() const { return panel4_; }

QWidget* MainMenu::Service(MenuService service) const { return services_[static_cast<std::size_t>(service)]; }

void MainMenu::LoadPictures() {
  // Read after the intro's first frame or when the menu is first shown, not
  // at the window's creation: the intro comes up sooner.
  if (!flames_.isNull()) return;
  // The animated pictures are held as the sparkles of their frames (a few
  // kilobytes each, against two megabytes of a whole strip); the frame on
  // screen is laid over its side picture when it changes.
  for (std::size_t i = 0; i < gifs_.size(); ++i) {
    gifs_[i].Side = ProgramPicture(QStringLiteral("PngMenu%1").arg(i + 1));
    gifs_[i].Strip = SparseStrip::ProgramStrip(QStringLiteral("GifMenu%1").arg(i + 1), kMenuGifSize);
  }
  candles_ = {ProgramPicture(QStringLiteral("CandleL")), ProgramPicture(QStringLiteral("CandleR"))};
  flames_ = ProgramPicture(QStringLiteral("Flames"));
}

void MainMenu::Show(const WindowGeometry& geometry) {
  LoadPictures();
  geometry_ = geometry;
  layout_ = MainMenuLayoutFor(geometry);
  shown_ = true;
  Colour();
  ApplyNewButtons(&window_, settings_.NewButtons);
  Place();
  ApplyLanguage();
  gifWasOn_ = settings_.GifAnimation;
  gifFrame_ = 0;
  ComposeGifFrames();
  ticks_ = 0;
  flameStep_ = 0;
  ResetClocks();
  window_.update();
}

void MainMenu::Hide() {
  shown_ = false;
  panel4_->hide();
  for (TQorCardsButton* row : rows_) row->hide();
  for (TQorCardsButton* b : {button6_, button9_, button10_, button11_, bHistory_, bMode_}) b->hide();
  for (ServicePicture* s : services_) s->hide();
  if (radioIcon_ != nullptr) radioIcon_->hide();
  BalloonHint::CloseCurrent();
}

void MainMenu::Colour() {
  const bool purple = settings_.MenuDesignPurple;
  const auto look = [&](TQorCardsButton* button, TColorSB scheme, const QColor& text) {
    if (purple) {
      button->SetLook(TColorSB::QCards, kPurpleText);
    } else {
      button->SetLook(scheme, text);
    }
    button->SetColorMouse(kMenuYellow);
    button->SetLightFont(true);
  };
  for (int k = 0; k < kMenuRows; ++k)
    look(rows_[static_cast<std::size_t>(k)], k < 4 ? TColorSB::QNavy : TColorSB::QRed,
         k < 4 ? QColor(0, 255, 255) : QColor(255, 255, 255));
  look(button6_, TColorSB::QNavy, QColor(0, 255, 255));
  for (TQorCardsButton* b : {button9_, button10_, button11_, bHistory_, bMode_})
    look(b, TColorSB::QRed, QColor(255, 255, 255));
  // The header: lighter than the rows, so that it reads as their head (and
  // the dark red text of the purple design stays legible).
  look(panel4_, TColorSB::QNavy, QColor(255, 255, 255));
  panel4_->SetKLightSB(purple ? 70 : 45);
  if (purple) panel4_->SetFontColour(kHeaderPurpleText);
}

void MainMenu::Place() {
  panel4_->setGeometry(layout_.Panel4);
  panel4_->show();
  for (int k = 0; k < kMenuRows; ++k) {
    rows_[static_cast<std::size_t>(k)]->setGeometry(layout_.Rows[static_cast<std::size_t>(k)]);
    rows_[static_cast<std::size_t>(k)]->show();
  }
  const std::array<std::pair<TQorCardsButton*, QRect>, 6> places{
      {{button6_, layout_.Button6}, {button9_, layout_.Button9}, {button10_, layout_.Button10},
       {bHistory_, layout_.BHistory}, {bMode_, layout_.BMode}, {button11_, layout_.Button11}}};
  for (const auto& [button, rect] : places) {
    button->setGeometry(rect);
    button->show();
  }
  for (std::size_t i = 0; i < services_.size(); ++i) {
    services_[i]->setGeometry(layout_.Services[i]);
    services_[i]->show();
  }
  if (radioIcon_ != nullptr) {
    radioIcon_->setGeometry(layout_.ImRadio);
    radioIcon_->setVisible(layout_.RadioShown);
  }
  titleBand_ = Lettered(QStringLiteral("TitleBand"), layout_.ImTitle.size());
}

void MainMenu::ApplyLanguage() {
  const int language = settings_.Language;
  button6_->setText(WordText(WordId::NewPlayer, language));
  button9_->setText(WordText(WordId::TopTen, language));
  button10_->setText(WordText(WordId::Options, language));
  button11_->setText(WordText(WordId::Exit, language));
  bHistory_->setText(WordText(WordId::History, language));
  bMode_->setText(WordText(WordId::ClubHeader, language, 0));
  panel4_->setText(WordText(WordId::ClubHeader, language, settings_.ClubMode == 2 ? 2 : 1));
  static constexpr std::array<WordId, kServicePictures> kTitles{
      WordId::WorldTopTen, WordId::Statistics,  WordId::LogInToAccount, WordId::WorldOnlineTournament,
      WordId::News,        WordId::QorGamesChat, WordId::MakerSite};
  for (std::size_t i = 0; i < services_.size(); ++i)
    services_[i]->SetHint(WordText(kTitles[i], language), NotAvailableYetText(language));
  if (shown_) LoadTitlePictures();
}

void MainMenu::ApplyFonts(const QFont& buttons, const QFont& rows) {
  for (TQorCardsButton* b : {button6_, button9_, button10_, button11_, bHistory_, bMode_}) b->setFont(buttons);
  panel4_->setFont(rows);
  for (TQorCardsButton* row : rows_) row->setFont(rows);
}

void MainMenu::LoadTitlePictures() {
  const QString suffix = Suffix(settings_.Language);
  const int variant = settings_.CaptionColor;
  caption_ = RecolourCaption(Lettered(QStringLiteral("Cap") + suffix, layout_.ImCaption.size()), variant);
  const QString subtitle = settings_.NetGame ? QStringLiteral("Net__") : QStringLiteral("Elite");
  elite_ = RecolourCaption(Lettered(subtitle + suffix, layout_.ImElite.size()), variant);
  window_.update(layout_.ImCaption);
  window_.update(layout_.ImElite);
}

void MainMenu::SetMemberRows(const std::array<QString, kMenuRows>& rows) {
  std::array<bool, kMenuRows> members{};
  for (std::size_t k = 0; k < members.size(); ++k) members[k] = !rows[k].isEmpty();
  SetMemberRows(rows, members);
}

void MainMenu::SetMemberRows(const std::array<QString, kMenuRows>& rows, const std::array<bool, kMenuRows>& members) {
  members_ = members;
  for (std::size_t k = 0; k < members.size(); ++k) {
    TQorCardsButton* button = rows_[k];
    button->setText(rows[k]);
    // A row without a member is no stop for Tab.
    button->setFocusPolicy(members[k] ? Qt::StrongFocus : Qt::NoFocus);
  }
}

void MainMenu::SetCounterFigures(std::optional<CounterFigures> figures) {
  figures_ = figures;
  counterKey_ = -1;
  if (shown_) DrawCounterDisplay(QTime::currentTime());
}

void MainMenu::SetServiceHandler(MenuService service, std::function<void()> open) {
  services_[static_cast<std::size_t>(service)]->SetHandler(std::move(open));
}

void MainMenu::SetSiren(MenuService service, bool on) {
  const QColor colour = service == MenuService::Chat ? QColor(Qt::red) : QColor(0, 90, 255);
  services_[static_cast<std::size_t>(service)]->SetSiren(on ? colour : QColor());
}

bool MainMenu::Siren(MenuService service) const { return services_[static_cast<std::size_t>(service)]->Siren(); }

void MainMenu::SetRadioIcon(QWidget* icon) {
  radioIcon_ = icon;
  if (radioIcon_ == nullptr) return;
  radioIcon_->setParent(&window_);
  radioIcon_->setVisible(shown_ && layout_.RadioShown);
  if (shown_) radioIcon_->setGeometry(layout_.ImRadio);
}

void MainMenu::ResetClocks() {
  clockKey_ = -1;
  counterKey_ = -1;
  const QTime now = QTime::currentTime();
  DrawClock(now);
  DrawCounterDisplay(now);
}

void MainMenu::Tick() {
  if (!shown_) return;
  ++ticks_;
  // The six flames take their next frames.
  if (ticks_ % kFlameTicksPerFrame == 0) {
    flameStep_ = (flameStep_ + 1) % kFlameFrames;
    for (const QRect& candle : {layout_.ImageSvLeft, layout_.ImageSvRight})
      for (const QPoint& wick : kWicks) window_.update(FlameRect(candle, wick));
  }

  // The animated pictures run only with GifAnimation, and start at their
  // first frame when it is switched on.
  if (settings_.GifAnimation) {
    if (!gifWasOn_) {
      gifFrame_ = 0;
      ComposeGifFrames();
    } else if (ticks_ % kGifTicksPerFrame == 0) {
      gifFrame_ = (gifFrame_ + 1) % kGifFrames;
      ComposeGifFrames();
      window_.update(layout_.RxGIFAn1);
      window_.update(layout_.RxGIFAn2);
    }
  }
  gifWasOn_ = settings_.GifAnimation;

  const QTime now = QTime::currentTime();
  DrawClock(now);
  DrawCounterDisplay(now);
}

void MainMenu::ComposeGifFrames() {
  for (Animation& gif : gifs_) gif.Strip.ComposeOver(gifFrame_, gif.Side, gif.Frame);
}

void MainMenu::DrawClock(const QTime& now) {
  if (!layout_.ClockShown) return;
  const ClockDigits digits = ClockDigitsAt(now);
  const int key = (now.hour() * 60 + now.minute()) * 2 + (digits.Colon ? 1 : 0);
  if (key == clockKey_) return;
  clockKey_ = key;
  QImage face = DisplayPicture(QStringLiteral("GClockBG"));
  if (face.isNull()) face = QImage(kClockSize, QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&face);
  for (std::size_t i = 0; i < digits.Digits.size(); ++i) {
    if (digits.Digits[i] < 0) continue;
    painter.drawImage(kClockDigitX[i], kClockDigitY, DisplayPicture(QStringLiteral("GBClock%1").arg(digits.Digits[i])));
  }
  if (digits.Colon) painter.drawImage(kClockColon, DisplayPicture(QStringLiteral("GBClockP")));
  painter.end();
  clockImage_ = face;
  window_.update(layout_.ImClock1);
}

void MainMenu::DrawCounterDisplay(const QTime& now) {
  if (!layout_.CounterShown) return;
  if (now.second() == counterKey_) return;
  counterKey_ = now.second();
  static constexpr std::array<const char*, 7> kSets{"GR", "GA", "GG", "GY", "GV", "GL", "GN"};
  const QString set = QString::fromLatin1(kSets[static_cast<std::size_t>(CounterColourSet(now.second()) - 1)]);
  QImage face = DisplayPicture(QStringLiteral("GClockBG"));
  if (face.isNull()) face = QImage(kClockSize, QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&face);
  painter.setRenderHint(QPainter::TextAntialiasing);
  const int language = settings_.Language;
  if (!figures_) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(255, 48, 48));
    painter.drawText(QRect(8, 8, 99, 48), Qt::AlignCenter | Qt::TextWordWrap, WordText(WordId::NoConnectCaps, language));
  } else {
    // The three figures take turns, three seconds each.
    const int which = (now.second() / 3) % 3;
    const int value = which == 0 ? figures_->ClubMembers : which == 1 ? figures_->Windows : figures_->Android;
    const WordId label = which == 0 ? WordId::ClubMembers : which == 1 ? WordId::Windows : WordId::Android;
    const std::array<int, 4> digits = CounterDigits(value);
    for (std::size_t i = 0; i < digits.size(); ++i) {
      if (digits[i] == -1) continue;
      const QString name = set + (digits[i] == -2 ? QStringLiteral("ClockM") : QStringLiteral("Clock%1").arg(digits[i]));
      painter.drawImage(kClockDigitX[i], kClockDigitY, DisplayPicture(name));
    }
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(8);
    painter.setFont(font);
    painter.setPen(QColor(200, 220, 200));
    painter.drawText(QRect(8, 5, 99, 10), Qt::AlignCenter, WordText(label, language).trimmed().remove(QLatin1Char(':')));
  }
  painter.end();
  counterImage_ = face;
  window_.update(layout_.ImClock2);
}

void MainMenu::Paint(QPainter& painter, const QRect& area) const {
  if (!shown_) return;
  const auto draw = [&](const QRect& place, const QImage& picture) {
    if (!picture.isNull() && place.intersects(area)) painter.drawImage(place.topLeft(), picture);
  };
  const auto drawFrame = [&](const QRect& place, const QImage& strip, int index) {
    if (!strip.isNull() && place.intersects(area))
      painter.drawImage(place.topLeft(), strip, FrameRect(index, place.size()));
  };
  draw(layout_.ImTitle, titleBand_);
  draw(layout_.ImCaption, caption_);
  draw(layout_.ImElite, elite_);
  draw(layout_.RxGIFAn1, gifs_[0].Frame);
  draw(layout_.RxGIFAn2, gifs_[1].Frame);
  int flame = 0;
  for (int side = 0; side < 2; ++side) {
    const QRect& candle = side == 0 ? layout_.ImageSvLeft : layout_.ImageSvRight;
    draw(candle, candles_[static_cast<std::size_t>(side)]);
    for (const QPoint& wick : kWicks) {
      const int frame = (flameStep_ + kFlameOffsets[static_cast<std::size_t>(flame++)]) % kFlameFrames;
      drawFrame(FlameRect(candle, wick), flames_, frame);
    }
  }
  if (layout_.ClockShown) draw(layout_.ImClock1, clockImage_);
  if (layout_.CounterShown) draw(layout_.ImClock2, counterImage_);
}

bool MainMenu::TitleClick(QPoint at) {
  if (!shown_ || !layout_.ImCaption.contains(at)) return false;
  settings_.CaptionColor = static_cast<std::uint8_t>(NextCaptionColor(settings_.CaptionColor));
  LoadTitlePictures();
  return true;
}

void MainMenu::MemberKey(int digit) {
  if (!shown_ || digit < 1 || digit > kMenuRows) return;
  QPushButton* row = MemberRow(digit);
  row->setFocus();
  row->click();
}

// ---------------------------------------------------------------------------
// The command table

void MainMenu::Run(bool fireworks, const std::function<void()>& command) {
  host_.PlayCommandSound();
  if (fireworks && settings_.SaluteButtons) Fireworks();
  command();
}

void MainMenu::Button6Click() {
  if (!shown_) return;
  Run(true, [this] {
    if (host_.RunPlayerNameWindow(6)) host_.StartNewGame(6);
  });
}

void MainMenu::MemberRowClick(int row) {
  if (!shown_ || row < 1 || row > kMenuRows || !members_[static_cast<std::size_t>(row) - 1]) return;
  Run(true, [this, row] { host_.OpenMemberPasswordWindow(row); });
}

void MainMenu::Button9Click() {
  if (shown_) Run(true, [this] { host_.OpenTopTenWindow(); });
}

void MainMenu::Button10Click() {
  if (shown_) Run(true, [this] { host_.OpenOptionsDialog(); });
}

void MainMenu::Button11Click() {
  if (shown_) Run(false, [this] { host_.CloseMainWindow(); });
}

void MainMenu::BHistoryClick() {
  if (shown_) Run(true, [this] { host_.OpenHistoryWindow(); });
}

void MainMenu::BModeClick() {
  if (!shown_) return;
  Run(true, [this] {
    settings_.ClubMode = settings_.ClubMode == 2 ? 1 : 2;
    panel4_->setText(WordText(WordId::ClubHeader, settings_.Language, settings_.ClubMode));
    host_.ReloadClubList();
  });
}

}  // namespace tarvel
