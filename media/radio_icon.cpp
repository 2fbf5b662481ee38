#include "media/radio_icon.h"

#include <QMouseEvent>
#include <QPainter>

#include "widgets/balloon_hint.h"
#include "widgets/program_picture.h"
#include "widgets/word_text.h"

namespace tarvel {

RadioIcon::RadioIcon(InternetRadio& radio, Language language, QWidget* parent)
    : QWidget(parent), radio_(radio), language_(std::move(language)) {
  setObjectName(QStringLiteral("ImRadio"));
  setFixedSize(kSize);
  setAttribute(Qt::WA_Hover);
  connect(&radio_, &InternetRadio::Changed, this, [this] { update(); });
}

QString RadioIcon::PictureName() const {
  const TRadio& record = radio_.Record();
  if (!record.CanUse) return QStringLiteral("GRadioB");
  return record.Enabled ? QStringLiteral("GRadioG") : QStringLiteral("GRadioR");
}

void RadioIcon::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  for (const QString& name : {QStringLiteral("GPolkaNw"), QStringLiteral("GRadioA"), PictureName()})
    painter.drawImage(rect(), ProgramPicture(name));
}

void RadioIcon::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) emit Pressed(event->button());
}

void RadioIcon::enterEvent(QEnterEvent* event) {
  BalloonHint::Show(WordText(WordId::QorInternetRadio, language_()) + QLatin1Char(':'), FromUtf8(radio_.Record().Name),
                    this);
  QWidget::enterEvent(event);
}

}  // namespace tarvel
