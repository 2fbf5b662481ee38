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
#include "widgets/word_text.h"

namespace tarvel {

namespace {


QString PageIn(const QString& folder, std::string_view suffix) {
  const QString path =
      QDir(folder).absoluteFilePath(QStringLiteral("Tarvel_") + FromUtf8(suffix) + QStringLiteral(".html"));
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
    messages.Inform(parent, WordText(WordId::Tarvel, language), DisplayText(WordText(WordId::HelpNotTranslated, language)));
    page = PageIn(folder, PictureSuffix(kLanguageRussian));
  }
  if (page.isEmpty()) {
    messages.Inform(parent, WordText(WordId::Help, language),
                    WordText(WordId::CantFindFile, language) + QStringLiteral(" Tarvel_") +
                        FromUtf8(PictureSuffix(language)) + QStringLiteral(".html"));
    return;
  }
  QDesktopServices::openUrl(QUrl::fromLocalFile(page));
}

TFormAbout::TFormAbout(const Settings& settings, QWidget* parent) : QDialog(parent) {
  setFixedSize(440, 260);
  setWindowTitle(WordText(WordId::About, settings.Language));
  title_ = new QLabel(this);
  title_->setGeometry(20, 24, 400, 70);
  title_->setPixmap(
      QPixmap::fromImage(ProgramPicture(QStringLiteral("Cap") + FromUtf8(PictureSuffix(settings.Language)))));
  version_ = new QLabel(QString::fromLatin1(kVersionText), this);
  version_->setGeometry(20, 110, 400, 40);
  version_->setAlignment(Qt::AlignCenter);
  version_->setFont(RoleFont(settings, FontRole::Decor, FontHeight(settings, 24, FontRole::Decor), true));
  auto* ok = new TQorCardsButton(WordText(WordId::Ok, settings.Language), this);
  ok->setGeometry(170, 200, 100, 30);
  ok->setFont(RoleFont(settings, FontRole::Decor, FontHeight(settings, 16, FontRole::Decor), true));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  ok_ = ok;
  ApplyDialogDesign(this, settings);
}

}  // namespace tarvel
