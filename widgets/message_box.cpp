#include "widgets/message_box.h"

#include <QMessageBox>
#include <QPushButton>

#include <cstdio>

#include "widgets/word_text.h"

namespace tarvel {

namespace {

bool gUnattended = false;

void Report(const char* kind, const QString& title, const QString& text, const QString& answer) {
  QString line = QStringLiteral("%1: %2: %3").arg(QString::fromLatin1(kind), title, text);
  line.replace(QLatin1Char('\n'), QLatin1Char(' '));
  if (!answer.isEmpty()) line += QStringLiteral(" -> ") + answer;
  std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
  std::fflush(stderr);
}

}  // namespace

void SetUnattended(bool unattended) { gUnattended = unattended; }

bool Unattended() { return gUnattended; }

QString DisplayText(QString text) {
  text.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
  return text;
}

void InformBox(QWidget* parent, const QString& title, const QString& text, const QString& ok) {
  if (gUnattended) {
    Report("message", title, text, ok.isEmpty() ? QStringLiteral("OK") : ok);
    return;
  }
  QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
  if (!ok.isEmpty()) box.button(QMessageBox::Ok)->setText(ok);
  box.exec();
}

bool AskBox(QWidget* parent, const QString& title, const QString& text, const QString& yes,
            const QString& no) {
  if (gUnattended) {
    Report("question", title, text, no.isEmpty() ? QStringLiteral("No") : no);
    return false;
  }
  QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
  box.setDefaultButton(QMessageBox::No);
  if (!yes.isEmpty()) box.button(QMessageBox::Yes)->setText(yes);
  if (!no.isEmpty()) box.button(QMessageBox::No)->setText(no);
  return box.exec() == QMessageBox::Yes;
}

QString NotAvailableYetText(int language) {
  return WordText(WordId::NotAvailableYet, language);
}

}  // namespace tarvel
