// Every caption in every language fits its control: the main window's
// buttons at every window size with the program's fonts, and the options
// dialog's buttons, boxes, labels, group titles and tabs.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>

#include "settings/options/form_options.h"
#include "window_fixture.h"

namespace tarvel {
namespace {

using testing::WindowFixture;

// Room a caption needs besides its text: the button's rounded border, the
// indicator of a check or radio box.
int Chrome(const QWidget* widget) {
  if (qobject_cast<const QCheckBox*>(widget) || qobject_cast<const QRadioButton*>(widget)) {
    return widget->style()->pixelMetric(QStyle::PM_IndicatorWidth) +
           widget->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing) + 2;
  }
  return 8;
}

std::string Describe(const QWidget* widget, const QString& text, int language) {
  return (widget->objectName() + QStringLiteral(" \"") + text + QStringLiteral("\" language ") +
          QString::number(language))
      .toStdString();
}

constexpr double kLeastScale = 0.75;

TEST(CaptionFit, MainWindowButtonsAtEverySize) {
  WindowFixture f;
  TForm1& w = f.w();
  w.Image1Click();
  const TableWord continueCaptions[] = {TableWord::ToBegin, TableWord::OK, TableWord::NextRound,
                                        TableWord::ToSumUpOfGame};
  for (int size = 1; size <= 5; ++size) {
    for (int language = 0; language < kLanguageCount; ++language) {
      f.settings.WindowSize = static_cast<std::uint8_t>(size);
      f.settings.Language = static_cast<std::uint8_t>(language);
      w.ApplyWindowSize();
      w.ApplyLanguage(false);
      // The table's buttons shrink a long caption to fit; it must stay
      // readable, at no less than kLeastScale of the button's font.
      const auto fits = [&](QPushButton* button, const QString& text) {
        const double needed = QFontMetrics(button->font()).horizontalAdvance(text);
        const double room = button->width() - 10;
        EXPECT_GE(room / needed, kLeastScale) << Describe(button, text, language) << " size " << size;
      };
      // The menu lays its buttons out when it is shown, the table its own.
      w.ShowMainMenu();
      fits(w.Button6(), WordText(WordId::NewPlayer, language));
      fits(w.Button11(), WordText(WordId::Exit, language));
      w.LayoutTable();
      fits(w.Button8(), WordText(TableWord::ExitToMenu, language));
      for (TableWord caption : continueCaptions) fits(w.Button7(), WordText(caption, language));
    }
  }
}

TEST(CaptionFit, OptionsDialogInEveryLanguage) {
  WindowFixture f;
  f.w().Image1Click();
  f.w().OptionsClick();
  auto* dialog = f.w().findChild<TFormOptions*>();
  ASSERT_NE(dialog, nullptr);
  for (int language = 0; language < kLanguageCount; ++language) {
    dialog->ComboBoxLan()->setCurrentIndex(language);
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
      if (button->text().isEmpty() || qobject_cast<QTabBar*>(button->parentWidget())) continue;
      const int needed = QFontMetrics(button->font()).horizontalAdvance(button->text()) + Chrome(button);
      EXPECT_LE(needed, button->width()) << Describe(button, button->text(), language);
    }
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
      if (label->text().isEmpty()) continue;
      const QFontMetrics metrics(label->font());
      const QRect needed = metrics.boundingRect(QRect(0, 0, label->width(), 10000),
                                                label->wordWrap() ? Qt::TextWordWrap : 0, label->text());
      EXPECT_LE(needed.width(), label->width()) << Describe(label, label->text(), language);
      EXPECT_LE(needed.height(), label->height()) << Describe(label, label->text(), language);
    }
    for (QGroupBox* group : dialog->findChildren<QGroupBox*>()) {
      const int needed = QFontMetrics(group->font()).horizontalAdvance(group->title()) + 16;
      EXPECT_LE(needed, group->width()) << Describe(group, group->title(), language);
    }
    const QTabBar* tabs = dialog->Pages()->tabBar();
    int total = 0;
    for (int page = 0; page < tabs->count(); ++page) total += tabs->tabRect(page).width();
    EXPECT_LE(total, dialog->Pages()->width()) << "tabs, language " << language << ": " << total;
  }
  delete dialog;
}

}  // namespace
}  // namespace tarvel
