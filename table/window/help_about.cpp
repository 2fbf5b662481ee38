#include "table/window/help_about.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

#include "settings/words/words.h"
#include "table/fonts.h"
#include "table/window/message_sink.h"
#include "widgets/dialog_design.h"
#include "widgets/message_box.h"
#include "widgets/program_picture.h"
#include "widgets/qor_cards_button.h"

namespace tarvel {

namespace {

QString Text(WordId id, int language) {
  const std::string_view text = Word(id, language);
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString PageIn(const QString& folder, std::string_view suffix) {
  const QString path = QDir(folder).absoluteFilePath(
      QStringLiteral("Tarvel_") + QString::fromLatin1(suffix.data(), static_cast<qsizetype>(suffix.size())) +
      QStringLiteral(".html"));
  return QFileInfo(path).isFile() ? path : QString();
}

}  // namespace

QString DefaultHelpFolder() { return QCoreApplication::applicationDirPath() + QStringLiteral("/help"); }

QString HelpPagePath(const QString& folder, int language) {
  const QString own = PageIn(folder, PictureSuffix(language));
  return own.isEmpty() ? PageIn(folder, PictureSuffix(kLanguageEnglish)) : own;
}

void OpenHelp(QWidget* parent, MessageSink& messages, int language, const QString& folder) {
  QString page = HelpPagePath(folder, language);
  if (page.isEmpty() && language == kLanguageEnglish) {
    messages.Inform(parent, Text(WordId::Tarvel, language), DisplayText(Text(WordId::HelpNotTranslated, language)));
    page = PageIn(folder, PictureSuffix(kLanguageRussian));
  }
  if (page.isEmpty()) {
    messages.Inform(parent, Text(WordId::Help, language),
                    Text(WordId::CantFindFile, language) + QStringLiteral(" Tarvel_") +
                        QString::fromLatin1(PictureSuffix(language).data()) + QStringLiteral(".html"));
    return;
  }
  QDesktopServices::openUrl(QUrl::fromLocalFile(page));
}

TFormAbout::TFormAbout(const Settings& settings, QWidget* parent) : QDialog(parent) {
  setFixedSize(440, 260);
  setWindowTitle(Text(WordId::About, settings.Language));
  title_ = new QLabel(this);
  title_->setGeometry(20, 24, 400, 70);
  const std::string_view suffix = PictureSuffix(settings.Language);
  title_->setPixmap(QPixmap::fromImage(
      ProgramPicture(QStringLiteral("Cap") + QString::fromLatin1(suffix.data(), static_cast<qsizetype>(suffix.size())))));
  version_ = new QLabel(QString::fromLatin1(kVersionText), this);
  version_->setGeometry(20, 110, 400, 40);
  version_->setAlignment(Qt::AlignCenter);
  version_->setFont(RoleFont(settings, FontRole::Decor, FontHeight(settings, 24, FontRole::Decor), true));
  auto* ok = new TQorCardsButton(Text(WordId::Ok, settings.Language), this);
  ok->setGeometry(170, 200, 100, 30);
  ok->setFont(RoleFont(settings, FontRole::Decor, FontHeight(settings, 16, FontRole::Decor), true));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  ok_ = ok;
  ApplyDialogDesign(this, settings);
}

}  // namespace tarvel
