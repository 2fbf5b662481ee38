// The main menu in the real window, offscreen: every command of the command
// table reaches its target or its "not available yet" message, the title
// colours, the animations, the keyboard, the language and the displays.
#include "table/window/main_menu.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "settings/options/form_options.h"
#include "table/window/help_about.h"
#include "widgets/fireworks.h"
#include "widgets/qor_cards_button.h"
#include "window_fixture.h"

namespace tarvel {
namespace {

using testing::QuickSettings;
using testing::WindowFixture;

constexpr const char* kNotYet = "This feature is not available yet.";

// Records the pages the help command opens instead of starting a browser.
class UrlRecorder : public QObject {
  Q_OBJECT

 public:
  UrlRecorder() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "Open"); }
  ~UrlRecorder() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
  std::vector<QUrl> opened;

 public slots:
  void Open(const QUrl& url) { opened.push_back(url); }
};

bool LastMessageIs(const WindowFixture& f, const QString& text) {
  return !f.sink.informed.empty() && f.sink.informed.back().endsWith(text);
}

struct CommandCase {
  const char* name;
  std::function<void(WindowFixture&)> press;
  std::function<bool(WindowFixture&)> reached;
};

TEST(MainMenuCommands, EveryCommandReachesItsTarget) {
  const QString notYet = QString::fromLatin1(kNotYet);
  const auto button = [](const char* name) {
    return [name](WindowFixture& f) { f.w().Menu().Button(name)->click(); };
  };
  const auto action = [](QAction* (TForm1::*which)() const) {
    return [which](WindowFixture& f) { ((f.w()).*which)()->trigger(); };
  };
  const auto message = [notYet](WindowFixture& f) { return LastMessageIs(f, notYet); };
  const auto dialog = [](const char* name) {
    return [name](WindowFixture& f) { return !f.dialogs.empty() && f.dialogs.back() == QLatin1String(name); };
  };
  const std::vector<CommandCase> cases{
      {"New Player", button("Button6"), [](WindowFixture& f) { return f.w().TableShown() && f.state.DealActive; }},
      {"Top Ten", button("Button9"), dialog("tarvel::TFormTopTen")},
      {"Options", button("Button10"),
       [](WindowFixture&) {
         for (QWidget* top : QApplication::topLevelWidgets())
           if (auto* options = qobject_cast<TFormOptions*>(top); options && options->isVisible()) {
             options->close();
             return true;
           }
         return false;
       }},
      {"History", button("BHistory"), dialog("tarvel::TFHistory")},
      {"Mode", button("BMode"),
       [](WindowFixture& f) {
         return f.settings.ClubMode == 2 && f.w().Menu().Header()->text().contains(QStringLiteral("Rating"));
       }},
      // No radio module beside this window: the radio says what it misses.
      {"Radio",
       [](WindowFixture& f) {
         ASSERT_TRUE(QTest::qWaitFor([&] { return f.w().Audio().Radio().Ready(); }));
         f.w().RadioAction()->trigger();
       },
       [](WindowFixture& f) { return LastMessageIs(f, QStringLiteral("QorRadio.rad + QorRadio02.rcc")); }},
      {"Chat", action(&TForm1::ChatAction), dialog("tarvel::TFormChat")},
      {"About", action(&TForm1::AboutAction),
       [](WindowFixture&) {
         for (QWidget* top : QApplication::topLevelWidgets())
           if (auto* about = qobject_cast<TFormAbout*>(top); about && about->isVisible()) {
             const bool ok = about->Version()->text() == QStringLiteral("V 5.7f") &&
                             !about->Title()->pixmap().isNull();
             about->close();
             return ok;
           }
         return false;
       }},
      {"Exit", button("Button11"), [](WindowFixture& f) { return !f.w().isVisible(); }},
  };
  for (const CommandCase& c : cases) {
    WindowFixture f;
    f.w().Image1Click();
    f.sound.played.clear();
    c.press(f);
    EXPECT_TRUE(c.reached(f)) << c.name;
    ASSERT_FALSE(f.sound.played.empty()) << c.name;
    EXPECT_EQ(f.sound.played.front(), QStringLiteral("WOpenFo")) << c.name;
  }
}

TEST(MainMenuCommands, EmptyRowsDoNothingAndTheTableCommandsAreWired) {
  WindowFixture f;
  f.w().Image1Click();
  f.w().Menu().MemberRow(3)->click();
  EXPECT_TRUE(f.sink.informed.empty());
  EXPECT_TRUE(f.sound.played.empty());
  EXPECT_FALSE(f.w().ChangeNameAction()->isEnabled());
  f.StartGame();
  ASSERT_TRUE(f.w().ChangeNameAction()->isEnabled());
  f.w().ChangeNameAction()->trigger();
  ASSERT_FALSE(f.dialogs.empty());
  EXPECT_EQ(f.dialogs.back(), QStringLiteral("tarvel::TFormPassword"));
}

TEST(MainMenuCommands, HelpOpensTheShippedPage) {
  UrlRecorder urls;
  QTemporaryDir pages;
  const auto write = [&](const char* name) {
    QFile file(pages.filePath(QString::fromLatin1(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  };
  write("Tarvel_Rus.html");
  WindowFixture f;
  f.w().SetHelpFolder(pages.path());
  f.w().Image1Click();
  // No English page: English users are told so and get the Russian one.
  f.w().HelpAction()->trigger();
  ASSERT_EQ(urls.opened.size(), 1u);
  EXPECT_TRUE(urls.opened[0].toLocalFile().endsWith(QStringLiteral("Tarvel_Rus.html")));
  ASSERT_EQ(f.sink.informed.size(), 1u);
  EXPECT_TRUE(f.sink.informed[0].contains(QStringLiteral("Excuse!\nThe file of the help")));
  // With the English page it opens at once; a German user gets it too.
  write("Tarvel_Eng.html");
  f.settings.Language = 2;
  f.w().HelpAction()->trigger();
  ASSERT_EQ(urls.opened.size(), 2u);
  EXPECT_TRUE(urls.opened[1].toLocalFile().endsWith(QStringLiteral("Tarvel_Eng.html")));
  EXPECT_EQ(f.sink.informed.size(), 1u);
  // The program's own pages are built beside it.
  EXPECT_FALSE(HelpPagePath(DefaultHelpFolder(), 0).isEmpty());
  EXPECT_TRUE(HelpPagePath(DefaultHelpFolder(), 1).endsWith(QStringLiteral("Tarvel_Rus.html")));
  // No page at all is a message, not silence.
  f.w().SetHelpFolder(pages.path() + QStringLiteral("/none"));
  f.w().HelpAction()->trigger();
  EXPECT_EQ(urls.opened.size(), 2u);
  EXPECT_EQ(f.sink.informed.size(), 2u);
}

TEST(MainMenuScreen, TitleClickCyclesTheCaptionColours) {
  Settings stored = QuickSettings();
  stored.CaptionColor = 7;
  WindowFixture f(stored);
  f.w().Image1Click();
  const QImage seventh = f.w().Menu().CaptionPicture();
  const QPoint title = f.w().Menu().Layout().ImCaption.center();
  QTest::mouseClick(&f.w(), Qt::LeftButton, Qt::NoModifier, title);
  EXPECT_EQ(f.settings.CaptionColor, 1);
  EXPECT_NE(f.w().Menu().CaptionPicture(), seventh);
  QTest::mouseClick(&f.w(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 495));
  EXPECT_EQ(f.settings.CaptionColor, 1);
}

TEST(MainMenuScreen, AnimationsFollowGifAnimation) {
  Settings stored = QuickSettings();
  stored.GifAnimation = false;
  WindowFixture f(stored);
  f.w().Image1Click();
  EXPECT_TRUE(f.w().Timer1().isActive());
  EXPECT_EQ(f.w().Timer1().interval(), 20);
  for (int i = 0; i < 12; ++i) f.w().Timer1Timer();
  EXPECT_EQ(f.w().Menu().GifFrame(), 0);  // standing still
  EXPECT_EQ(f.w().Menu().FlameStep(), 4);  // the flames flicker anyway, a frame every third tick
  f.settings.GifAnimation = true;
  f.w().Timer1Timer();
  EXPECT_EQ(f.w().Menu().GifFrame(), 0);  // starts at the first frame
  for (int i = 0; i < 5; ++i) f.w().Timer1Timer();
  EXPECT_EQ(f.w().Menu().GifFrame(), 1);  // the next frame comes on tick 18
  // After "Quit" from the table the menu animation runs again.
  f.w().Menu().Button("Button6")->click();
  EXPECT_FALSE(f.w().MenuShown());
  f.sink.answer = true;
  f.w().QuitClick();
  EXPECT_TRUE(f.w().MenuShown());
  EXPECT_TRUE(f.w().Timer1().isActive());
  EXPECT_EQ(f.w().Timer1().interval(), 20);
}

TEST(MainMenuScreen, GraphicsModuleDecoratesButtonsWhenPresent) {
  // Without the module a press runs its command, with no effect and no
  // message about the module.
  WindowFixture plain;
  plain.w().Image1Click();
  EXPECT_FALSE(FireworksAvailable());
  plain.w().Menu().Button("Button9")->click();
  EXPECT_TRUE(plain.sink.informed.empty());
  EXPECT_EQ(plain.dialogs, std::vector<QString>{QStringLiteral("tarvel::TFormTopTen")});
#ifdef TARVEL_GRAPHICS_MODULE
  const auto ship = [](const QString& folder) {
    QFile::copy(QStringLiteral(TARVEL_GRAPHICS_MODULE), folder + QStringLiteral("QorCGraph1.rcc"));
  };
  Settings purple = QuickSettings();
  purple.MenuDesignPurple = true;
  WindowFixture f(purple, 0, 1, ship);
  f.w().Image1Click();
  EXPECT_TRUE(FireworksAvailable());
  EXPECT_TRUE(f.settings.MenuDesignPurple);  // the purple background was found
  // The purple design shows the champions in the world top ten window.
  f.w().Menu().Button("Button9")->click();
  EXPECT_EQ(f.dialogs, std::vector<QString>{QStringLiteral("tarvel::TFormWorldTopTen")});
  EXPECT_EQ(static_cast<TQorCardsButton*>(f.w().Menu().Button("Button9"))->ColorSB(), TColorSB::QCards);
  SetFireworksStrip({});
#endif
}

TEST(MainMenuScreen, KeyboardReachesTheCommands) {
  WindowFixture f;
  f.w().Image1Click();
  EXPECT_EQ(QApplication::focusWidget(), f.w().Button6());
  // Tab walks on to "Top Ten"; Enter presses it.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), f.w().Menu().Button("Button9"));
  QTest::keyClick(&f.w(), Qt::Key_Return);
  EXPECT_EQ(f.dialogs, std::vector<QString>{QStringLiteral("tarvel::TFormTopTen")});
  // The digits press the member rows; a row without a member does nothing.
  const std::size_t before = f.sound.played.size();
  QTest::keyClick(&f.w(), Qt::Key_2);
  EXPECT_EQ(f.sound.played.size(), before);
  f.w().Menu().SetMemberRows({QString(), QStringLiteral("Bob   1   10")});
  QTest::keyClick(&f.w(), Qt::Key_2);
  EXPECT_EQ(f.sound.played.size(), before + 1);
  // Esc asks to leave; No keeps the program, Yes closes it.
  QTest::keyClick(&f.w(), Qt::Key_Escape);
  ASSERT_EQ(f.sink.asked.size(), 1u);
  EXPECT_TRUE(f.sink.asked[0].contains(QStringLiteral("You want to leave from game?")));
  EXPECT_TRUE(f.w().isVisible());
  f.sink.answer = true;
  f.settings.CaptionColor = 5;
  QTest::keyClick(&f.w(), Qt::Key_Escape);
  EXPECT_FALSE(f.w().isVisible());
  // Leaving wrote the settings.
  const std::filesystem::path ini = std::filesystem::path(f.folder.toStdString()) / "Tarvel.ini";
  EXPECT_EQ(LoadSettings(ini, {}).Values.CaptionColor, 5);
}

TEST(MainMenuScreen, LanguageDisplaysAndSizes) {
  Settings stored = QuickSettings();
  stored.Language = 1;
  stored.ClubMode = 2;
  WindowFixture f(stored, 5);
  f.w().Image1Click();
  EXPECT_EQ(f.w().Menu().Button("Button9")->text(), QStringLiteral("Топ-10"));
  EXPECT_EQ(f.w().HelpAction()->text(), QStringLiteral("Справка"));
  EXPECT_TRUE(f.w().Menu().Header()->text().contains(QStringLiteral("Рейтинг")));
  // Both displays in the large window; the counter changes with live figures.
  ASSERT_FALSE(f.w().Menu().Clock().isNull());
  const QImage offline = f.w().Menu().Counter();
  ASSERT_FALSE(offline.isNull());
  f.w().Menu().SetCounterFigures(CounterFigures{42, 7, 3});
  EXPECT_NE(f.w().Menu().Counter(), offline);
  f.w().Menu().SetCounterFigures(std::nullopt);
  // Service pictures are greyed until their window exists, then clickable.
  QWidget* stats = f.w().Menu().Service(MenuService::Statistics);
  ASSERT_TRUE(stats->isVisible());
  int opened = 0;
  f.w().Menu().SetServiceHandler(MenuService::Statistics, [&] { ++opened; });
  QTest::mouseClick(stats, Qt::LeftButton);
  EXPECT_EQ(opened, 1);
  f.w().Menu().SetServiceHandler(MenuService::Statistics, {});
  QTest::mouseClick(stats, Qt::LeftButton);
  EXPECT_EQ(opened, 1);
  // In "Average window 1" neither display is shown.
  WindowFixture average(QuickSettings(), 3);
  average.w().Image1Click();
  EXPECT_TRUE(average.w().Menu().Clock().isNull());
  EXPECT_TRUE(average.w().Menu().Counter().isNull());
}

}  // namespace
}  // namespace tarvel

#include "main_menu_test.moc"
