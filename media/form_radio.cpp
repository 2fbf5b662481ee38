#include "media/form_radio.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "widgets/dialog_design.h"
#include "widgets/program_picture.h"
#include "widgets/qor_cards_button.h"
#include "widgets/word_text.h"

namespace tarvel {

namespace {

constexpr QSize kRadioPicture{160, 110};
constexpr QSize kFrame{130, 130};
constexpr QSize kLogo{100, 100};
constexpr QSize kVolumePicture{120, 40};

QString Text(std::string_view text) { return FromUtf8(text); }

QIcon Flag(std::string_view code) { return QIcon(QPixmap::fromImage(ProgramPicture(QStringLiteral("FlagC") + Text(code)))); }

}  // namespace

TFormRadio::TFormRadio(InternetRadio& radio, const Settings& settings, QWidget* parent)
    : QDialog(parent), radio_(radio), settings_(settings) {
  const int language = settings.Language;
  setWindowTitle(WordText(WordId::QorInternetRadio, language));
  auto* grid = new QGridLayout(this);
  grid->setSizeConstraint(QLayout::SetFixedSize);
  const auto label = [this](WordId id, int lang) {
    auto* caption = new QLabel(WordText(id, lang), this);
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return caption;
  };
  comboBox1_ = new QComboBox(this);
  comboBox1_->setObjectName(QStringLiteral("ComboBox1"));
  comboBox1_->setMaxVisibleItems(14);
  comboBox2_ = new QComboBox(this);
  comboBox2_->setObjectName(QStringLiteral("ComboBox2"));
  comboBox2_->setMinimumContentsLength(24);
  grid->addWidget(label(WordId::Country, language), 0, 0);
  grid->addWidget(comboBox1_, 0, 1, 1, 3);
  grid->addWidget(label(WordId::Station, language), 1, 0);
  grid->addWidget(comboBox2_, 1, 1, 1, 3);

  image1_ = new QLabel(this);
  image1_->setObjectName(QStringLiteral("Image1"));
  image1_->setFixedSize(kRadioPicture);
  image1_->setCursor(Qt::PointingHandCursor);
  image2_ = new QLabel(this);
  image2_->setObjectName(QStringLiteral("Image2"));
  image2_->setFixedSize(kFrame);
  grid->addWidget(image1_, 2, 0, 1, 2, Qt::AlignCenter);
  grid->addWidget(image2_, 2, 2, 1, 2, Qt::AlignCenter);

  buttonMinus_ = new TQorCardsButton(QStringLiteral("-"), this);
  buttonMinus_->setObjectName(QStringLiteral("ButtonMinus"));
  buttonPlus_ = new TQorCardsButton(QStringLiteral("+"), this);
  buttonPlus_->setObjectName(QStringLiteral("ButtonPlus"));
  image3_ = new QLabel(this);
  image3_->setObjectName(QStringLiteral("Image3"));
  image3_->setFixedSize(kVolumePicture);
  image3_->setToolTip(WordText(WordId::Volume, language));
  auto* volume = new QHBoxLayout;
  volume->addWidget(buttonMinus_);
  volume->addWidget(image3_);
  volume->addWidget(buttonPlus_);
  grid->addLayout(volume, 3, 0, 1, 4, Qt::AlignCenter);

  button1_ = new TQorCardsButton(WordText(WordId::Ok, language), this);
  button1_->setObjectName(QStringLiteral("Button1"));
  button1_->setDefault(true);
  grid->addWidget(button1_, 4, 0, 1, 4, Qt::AlignCenter);

  connect(comboBox1_, &QComboBox::activated, this, [this] { ComboBox1Click(); });
  connect(comboBox2_, &QComboBox::activated, this, [this] { ComboBox2Click(); });
  connect(buttonMinus_, &QPushButton::clicked, this, &TFormRadio::ButtonMinusClick);
  connect(buttonPlus_, &QPushButton::clicked, this, &TFormRadio::ButtonPlusClick);
  connect(button1_, &QPushButton::clicked, this, &QDialog::accept);
  connect(&radio_, &InternetRadio::Changed, this, &TFormRadio::DrawPictures);
  ApplyDialogDesign(this, settings);
  FormShow();
}

void TFormRadio::showEvent(QShowEvent* event) {
  DrawPictures();
  QDialog::showEvent(event);
}

void TFormRadio::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && image1_->geometry().contains(event->position().toPoint())) Image1Click();
  QDialog::mouseReleaseEvent(event);
}

void TFormRadio::FormShow() {
  filling_ = true;
  comboBox1_->clear();
  for (const RadioCountry& country : RadioCountries()) comboBox1_->addItem(Flag(country.Code), Text(country.Name));
  comboBox1_->setCurrentIndex(radio_.Record().KakStations);
  filling_ = false;
  FillStations();
  DrawPictures();
}

void TFormRadio::FillStations() {
  const std::size_t country = radio_.Record().KakStations;
  const std::vector<RadioStation> stations = StationsOfCountry(radio_.Stations(), country);
  filling_ = true;
  comboBox2_->clear();
  keys_.clear();
  int current = -1;
  for (const RadioStation& station : stations) {
    if (station.Name == radio_.Record().Name && current < 0) current = static_cast<int>(keys_.size());
    comboBox2_->addItem(Flag(RadioCountries()[country].Code), Text(station.Name));
    keys_.append(Text(station.Key));
  }
  filling_ = false;
  if (stations.empty()) return;
  // Another country's list: its first station becomes current.
  comboBox2_->setCurrentIndex(current < 0 ? 0 : current);
  if (current < 0) ComboBox2Click();
}

void TFormRadio::ComboBox1Click() {
  if (filling_) return;
  radio_.SetCountry(comboBox1_->currentIndex());
  FillStations();
}

void TFormRadio::ComboBox2Click() {
  if (filling_) return;
  const int index = comboBox2_->currentIndex();
  if (index < 0 || index >= keys_.size()) return;
  const std::string key = keys_.at(index).toStdString();
  for (const RadioStation& station : radio_.Stations()) {
    if (station.Key != key) continue;
    radio_.ChooseStation(station);
    return;
  }
}

void TFormRadio::Image1Click() { radio_.Toggle(); }

void TFormRadio::ButtonPlusClick() { radio_.VolumePlus(); }

void TFormRadio::ButtonMinusClick() { radio_.VolumeMinus(); }

void TFormRadio::DrawPictures() {
  const TRadio& record = radio_.Record();
  const QImage set = radio_.Picture(record.Enabled ? QStringLiteral("RRADIO_MAING") : QStringLiteral("RRADIO_MAINR"));
  image1_->setPixmap(QPixmap::fromImage(set.scaled(kRadioPicture, Qt::KeepAspectRatio, Qt::SmoothTransformation)));

  QImage framed(kFrame, QImage::Format_ARGB32_Premultiplied);
  framed.fill(Qt::transparent);
  QPainter frame(&framed);
  frame.setRenderHint(QPainter::SmoothPixmapTransform);
  const QRect logoPlace(QPoint((kFrame.width() - kLogo.width()) / 2, (kFrame.height() - kLogo.height()) / 2), kLogo);
  frame.drawImage(logoPlace, radio_.Logo());
  frame.drawImage(framed.rect(), radio_.Picture(QStringLiteral("RRADIO_RAMKA")));
  frame.end();
  image2_->setPixmap(QPixmap::fromImage(framed));
  image2_->setToolTip(Text(record.Name));

  QImage volume = radio_.Picture(QStringLiteral("RRADIO_VOLUME")).scaled(kVolumePicture);
  if (volume.isNull()) volume = QImage(kVolumePicture, QImage::Format_ARGB32_Premultiplied);
  QPainter text(&volume);
  QFont font = this->font();
  font.setPixelSize(18);
  font.setBold(true);
  text.setFont(font);
  text.setPen(QColor(255, 255, 0));
  text.drawText(volume.rect(), Qt::AlignCenter, QString::number(record.Volume));
  text.end();
  image3_->setPixmap(QPixmap::fromImage(volume));
}

}  // namespace tarvel
