#include "online/accounts/tfacc2.h"

#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "online/account_session.h"
#include "online/accounts/account_pictures.h"
#include "records/records_host.h"
#include "settings/settings_file.h"
#include "widgets/dialog_design.h"
#include "widgets/qor_cards_button.h"
#include "widgets/word_text.h"

namespace tarvel {
namespace {

QImage FromJpeg(const QByteArray& bytes) { return QImage::fromData(bytes, "JPEG"); }

}  // namespace

TFAcc2::TFAcc2(AccountSession& session, RecordsHost& records, const Settings& settings, const QImage& photo,
               QWidget* parent)
    : QDialog(parent), session_(session), records_(records), language_(settings.Language), photo_(photo) {
  setObjectName(QStringLiteral("TFAcc2"));
  setWindowTitle(Text(WordId::MyProfile));
  auto* grid = new QGridLayout(this);
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    const int row = static_cast<int>(i);
    grid->addWidget(new QLabel(Text(WordId::ProfileFields, row), this), row, 0);
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("EditInfo%1").arg(row + 1));
    edit->setMaxLength(i == 2 ? 200 : 60);
    edit->setMinimumWidth(280);
    fields_[i] = edit;
    grid->addWidget(edit, row, 1);
  }
  image1_ = new QPushButton(this);
  image1_->setObjectName(QStringLiteral("Image1"));
  image1_->setFlat(true);
  image1_->setFixedSize(kPhotoWidth + 4, kPhotoHeight + 4);
  image1_->setIconSize(QSize(kPhotoWidth, kPhotoHeight));
  image1_->setCursor(Qt::PointingHandCursor);
  connect(image1_, &QPushButton::clicked, this, &TFAcc2::Image1Click);
  grid->addWidget(image1_, 0, 2, 12, 1, Qt::AlignTop);
  auto* note = new QLabel(Text(WordId::ProfileVisibleNote), this);
  note->setWordWrap(true);
  grid->addWidget(note, static_cast<int>(fields_.size()), 0, 1, 3);

  auto* update = new TQorCardsButton(this);
  update->setObjectName(QStringLiteral("ButtonOkI"));
  update->setText(Text(WordId::UpdateInfo));
  connect(update, &QPushButton::clicked, this, &TFAcc2::ButtonOkIClick);
  buttonOkF_ = new TQorCardsButton(this);
  buttonOkF_->setObjectName(QStringLiteral("ButtonOKF"));
  buttonOkF_->setText(Text(WordId::RefreshPhoto));
  buttonOkF_->setEnabled(false);
  connect(buttonOkF_, &QPushButton::clicked, this, &TFAcc2::ButtonOKFClick);
  auto* close = new TQorCardsButton(this);
  close->setObjectName(QStringLiteral("ButtonClose"));
  close->setText(Text(WordId::Close));
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  const int buttons = static_cast<int>(fields_.size()) + 1;
  grid->addWidget(update, buttons, 0);
  grid->addWidget(buttonOkF_, buttons, 1);
  grid->addWidget(close, buttons, 2);
  ApplyDialogDesign(this, settings);
  ShowProfile();
  ShowPhoto(photo_);
}

QString TFAcc2::Text(WordId id, int row) const { return WordText(id, language_, row); }

void TFAcc2::ShowProfile() {
  const TInfo14& info = session_.User().Info;
  for (std::size_t i = 0; i < fields_.size(); ++i)
    fields_[i]->setText(QString::fromStdString(info.*ProfileFieldOrder()[i]));
}

void TFAcc2::ShowPhoto(const QImage& picture) {
  const QImage shown = picture.isNull()
                           ? AccountPicture(session_.User().Sex == 'W' ? QStringLiteral("GAcNoF") : QStringLiteral("GAcNoM"))
                           : picture;
  image1_->setIcon(QPixmap::fromImage(shown));
}

void TFAcc2::Image1Click() {
  const QString file = QFileDialog::getOpenFileName(this, Text(WordId::RefreshPhoto), QString(),
                                                    QStringLiteral("JPEG (*.jpg *.jpeg)"));
  if (!file.isEmpty()) ChoosePhotoFile(file);
}

bool TFAcc2::ChoosePhotoFile(const QString& file) {
  QFile source(file);
  // A photo of 200 x 250 pixels is small; anything far larger is no photo.
  constexpr qint64 kMaxPhotoBytes = 4 * 1024 * 1024;
  QByteArray bytes;
  if (source.open(QIODevice::ReadOnly) && source.size() <= kMaxPhotoBytes) bytes = source.readAll();
  if (!IsAccountPhoto(bytes)) {
    records_.Inform(Text(WordId::PhotoFormat));
    return false;
  }
  chosen_ = bytes;
  ShowPhoto(FromJpeg(chosen_));
  buttonOkF_->setEnabled(true);
  return true;
}

void TFAcc2::ButtonOKFClick() {
  if (chosen_.isEmpty()) return;
  const std::string jpeg(chosen_.constData(), static_cast<std::size_t>(chosen_.size()));
  std::string loaded;
  if (!session_.Requests().UploadPhoto(session_.User(), jpeg) ||
      !session_.Requests().ReadPhoto(session_.User().Nick, loaded)) {
    records_.Inform(Text(WordId::PhotoFormat));
    ShowPhoto(photo_);
    return;
  }
  photo_ = FromJpeg(QByteArray(loaded.data(), static_cast<qsizetype>(loaded.size())));
  chosen_.clear();
  buttonOkF_->setEnabled(false);
  ShowPhoto(photo_);
}

void TFAcc2::ButtonOkIClick() {
  TQorUser& user = session_.User();
  const TInfo14 before = user.Info;
  for (std::size_t i = 0; i < fields_.size(); ++i)
    user.Info.*ProfileFieldOrder()[i] = fields_[i]->text().toStdString();
  if (!session_.Requests().SaveProfile(user)) {
    user.Info = before;
    records_.Inform(Text(WordId::CouldNotConnect));
    return;
  }
  session_.Requests().ReadProfile(user.Nick, user.Info);
  ShowProfile();
}

}  // namespace tarvel
