// Message boxes in the current language, for every window.
//
// A run without a person (a screenshot run, a computer-played run) must never
// wait on a box: in unattended mode every box is written to standard error
// and answered with its default button at once.
#pragma once

#include <QString>

class QWidget;

namespace tarvel {

// Switches unattended mode on or off for the whole program.
void SetUnattended(bool unattended);
bool Unattended();

// An information box with one button captioned `ok`.
void InformBox(QWidget* parent, const QString& title, const QString& text, const QString& ok);
// A question with two buttons captioned `yes` and `no` (empty: the system's
// own); No is the default. True for Yes.
bool AskBox(QWidget* parent, const QString& title, const QString& text, const QString& yes,
            const QString& no);

// The word table's line break (LF CR) as one line break.
QString DisplayText(QString text);

// The text of a command whose window is not part of the program yet, in
// `language`.
QString NotAvailableYetText(int language);

}  // namespace tarvel
