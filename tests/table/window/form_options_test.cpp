#include "settings/options/form_options.h"
#include "settings/options/form_passport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <filesystem>
#include <functional>

#include "../../settings/options/local_http_server.h"
#include "records/tfhistory.h"
#include "records/tformcount.h"
#include "table/form_speed.h"
#include "widgets/dialog_design.h"
#include "window_fixture.h"

namespace tarvel {
namespace {

using testing::LocalHttpServer;
using testing::QuickSettings;
using testing::RecordingSink;
using testing::RecordingSound;

// The main window on the menu, its program folder (with the given modules
// copied in) apart from its data folder, and the options dialog open over
// it.
class OptionsFixture {
 public:
  explicit OptionsFixture(const Settings& stored = QuickSettings(), const QStringList& modules = {},
                          const std::string& services = {}) {
    program = root.path() + QStringLiteral("/game/");
    data = root.path() + QStringLiteral("/data/");
    QDir().mkpath(program);
    QDir().mkpath(data);
    for (const QString& name : modules)
      QFile::copy(QStringLiteral(TARVEL_TESTMODULES_DIR "/") + name, program + name);
    SaveSettings(std::filesystem::path(data.toStdString()) / "Tarvel.ini", stored);
    TForm1::Options options;
    options.dataFolder = data;
    options.programFolder = program;
    options.seed = 1;
    options.servicesBase = services;
    window = std::make_unique<TForm1>(state, settings, options);
    window->SetMessageSink(&sink);
    window->SetSoundPlayer(&sound);
    window->show();
    window->Image1Click();
    Open();
  }
  ~OptionsFixture() {
    delete dialog;
    sink.answer = true;
    window->close();
  }

  void Open() {
    window->OptionsClick();
    dialog = window->findChild<TFormOptions*>();
  }
  void Close() {
    dialog->Button1()->click();
    delete dialog;  // deleted later on its own; the test wants it gone now
    dialog = nullptr;
  }
  Settings StoredSettings() const {
    return LoadSettings(std::filesystem::path(data.toStdString()) / "Tarvel.ini", {}).Values;
  }

  QTemporaryDir root;
  QString program;
  QString data;
  MatchState state;
  Settings settings;
  RecordingSink sink;
  RecordingSound sound;
  std::unique_ptr<TForm1> window;
  TFormOptions* dialog = nullptr;
};

const QStringList kTestModules = {QStringLiteral("QorCards06A.rcc"), QStringLiteral("QorCards06B.rcc"),
                                  QStringLiteral("QorBackG03.rcc")};

// Each page: a control changes its setting, and what it shows changes at
// once on the main window or in the dialog.
TEST(FormOptions, EveryPageChangesItsSettingAndShowsIt) {
  OptionsFixture f(QuickSettings(), kTestModules);
  TFormOptions& d = *f.dialog;
  TForm1& w = *f.window;
  struct Case {
    const char* name;
    int page;
    std::function<QVariant()> shown;  // what the effect shows, before and after
    std::function<void()> act;
    std::function<bool()> setting;
  };
  const Case cases[] = {
      {"language", 0, [&] { return QVariant(w.Button6()->text() + d.windowTitle() + d.Pages()->tabText(1)); },
       [&] { d.ComboBoxLan()->setCurrentIndex(kLanguageRussian); },
       [&] { return f.settings.Language == kLanguageRussian && w.Button6()->text() == WordText(WordId::NewPlayer, 1); }},
      {"window size", 0, [&] { return QVariant(w.size()); }, [&] { d.ComboBoxWSize()->setCurrentIndex(1); },
       [&] { return f.settings.WindowSize == 2; }},
      {"sound", 0, [&] { return QVariant(f.state.SoundOn); }, [&] { d.CheckBox(1)->click(); },
       [&] { return !f.settings.SoundOn; }},
      {"flying cards", 0, [&] { return QVariant(f.state.FlyCards); }, [&] { d.CheckBox(4)->click(); },
       [&] { return f.settings.FlyCards; }},
      {"deck", 1, [&] { return QVariant(d.Image1()->pixmap().toImage()); }, [&] { d.ComboBox1()->setCurrentIndex(1); },
       [&] { return f.settings.CardDeck == 1; }},
      {"back", 2,
       [&] { return QVariant(w.Pictures().BackSlot(1)); }, [&] { d.ComboBox2()->setCurrentIndex(1); },
       [&] { return f.settings.BackDeck == 1; }},
      {"always one back", 2, [&] { return QVariant(d.BackMode(1)->isChecked()); }, [&] { d.BackMode(1)->click(); },
       [&] { return f.settings.SameBack; }},
      {"game to 8", 3, [&] { return QVariant(f.state.GameTo8); }, [&] { d.CheckBox(5)->click(); },
       [&] { return f.settings.GameTo8; }},
      {"dead heat", 3, [&] { return QVariant(f.state.DeadHeat); }, [&] { d.CheckBox(8)->click(); },
       [&] { return f.settings.DeadHeat; }},
      {"font scale", 4, [&] { return QVariant(w.Button6()->font()); }, [&] { d.SpinEdit1()->setValue(140); },
       [&] { return f.settings.FontLargeScale == 140; }},
      {"background", 5, [&] { return QVariant(w.Pictures().Background()); },
       [&] { d.ComboBoxBG1()->setCurrentIndex(0); }, [&] { return f.settings.BackgroundSet == 1; }},
      {"radio list", 7, [&] { return QVariant(d.RadioSource(1)->isChecked()); }, [&] { d.RadioSource(1)->click(); },
       [&] { return !f.settings.RadioListFromServer; }},
      {"dialog design", 8, [&] { return QVariant(d.palette().color(QPalette::Window)); },
       [&] { d.ComboBoxD(3)->setCurrentIndex(1); }, [&] { return f.settings.DialogScheme == 1; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    d.Pages()->setCurrentIndex(c.page);
    const QVariant before = c.shown();
    c.act();
    EXPECT_TRUE(c.setting());
    EXPECT_NE(c.shown(), before);
  }
  EXPECT_TRUE(f.sink.informed.empty()) << f.sink.informed.front().toStdString();
}

TEST(FormOptions, ClosingWritesTheSettingsAndReopensOnTheSamePage) {
  OptionsFixture f;
  f.dialog->Pages()->setCurrentIndex(6);
  f.dialog->CheckBoxSG1()->click();
  f.dialog->SpinEditSG1()->setValue(250);
  f.dialog->ComboBoxSG1()->setCurrentIndex(1);
  f.dialog->CheckBoxNet()->click();
  f.Close();
  const Settings stored = f.StoredSettings();
  EXPECT_TRUE(stored.SaveGif);
  EXPECT_EQ(stored.GifDelay, 250);
  EXPECT_EQ(stored.GifArea, 2);
  EXPECT_TRUE(stored.NetGame);

  f.Open();
  EXPECT_EQ(f.dialog->Pages()->currentIndex(), 6);
  // Unchecking "Multiplayer" goes back to the computer club at once.
  f.dialog->CheckBoxNet()->click();
  EXPECT_FALSE(f.settings.NetGame);
  f.Close();
  EXPECT_FALSE(f.StoredSettings().NetGame);
}

TEST(FormOptions, ScaleOutsideItsRangeIsIgnoredAndDefaultRestoresTheFonts) {
  OptionsFixture f;
  TFormOptions& d = *f.dialog;
  d.ComboBoxFont()->setCurrentIndex(2);
  d.SpinEdit1()->setValue(200);
  EXPECT_EQ(f.settings.FontSpecial1Scale, 100);
  d.SpinEdit1()->setValue(60);
  EXPECT_EQ(f.settings.FontSpecial1Scale, 60);
  d.FontComboBox1()->setCurrentFont(QFont(QStringLiteral("DejaVu Sans")));
  EXPECT_EQ(f.settings.FontSpecial1, d.FontComboBox1()->currentFont().family().toStdString());
  d.Button2()->click();
  EXPECT_EQ(f.settings.FontSpecial1Scale, 100);
  EXPECT_EQ(f.settings.FontSpecial1, Settings{}.FontSpecial1);
  EXPECT_EQ(d.SpinEdit1()->value(), 100);
}

TEST(FormOptions, MissingModulesPutTheListsBackToTheirFirstEntries) {
  OptionsFixture f;  // no modules anywhere
  TFormOptions& d = *f.dialog;
  d.ComboBox1()->setCurrentIndex(45);  // "Chinese", module C
  EXPECT_EQ(f.settings.CardDeck, 0);
  EXPECT_EQ(d.ComboBox1()->currentIndex(), 0);
  ASSERT_EQ(f.sink.informed.size(), 1u);
  EXPECT_TRUE(f.sink.informed[0].endsWith(QStringLiteral("QorCards06C.rcc")));

  d.ComboBox2()->setCurrentIndex(3);  // "Carpet", module B
  EXPECT_EQ(f.settings.BackDeck, 0);
  EXPECT_EQ(d.ComboBox2()->currentIndex(), 0);

  d.ComboBoxBG1()->setCurrentIndex(4);
  EXPECT_EQ(f.settings.BackgroundSet, 2);
  EXPECT_EQ(f.settings.BackgroundVariant, 0);
  EXPECT_EQ(d.ComboBoxBG1()->currentIndex(), 1);
  EXPECT_EQ(d.ComboBoxBG2()->currentIndex(), 0);

  // The purple table design needs the graphics module: all designs go back.
  d.ComboBoxD(3)->setCurrentIndex(2);
  d.ComboBoxD(2)->setCurrentIndex(1);
  EXPECT_FALSE(f.settings.TableDesignPurple);
  EXPECT_EQ(f.settings.DialogScheme, 2);
  EXPECT_EQ(d.ComboBoxD(2)->currentIndex(), 0);
  EXPECT_EQ(d.ComboBoxD(3)->currentIndex(), 0);
  EXPECT_TRUE(f.sink.informed.back().endsWith(QStringLiteral("QorCGraph1.rcc")));
  // Without it the salute boxes are off and disabled.
  EXPECT_FALSE(d.CheckBoxD(1)->isEnabled());
  EXPECT_FALSE(d.CheckBoxD(1)->isChecked());
}

TEST(FormOptions, DependentControlsFollowTheirSettings) {
  Settings stored = QuickSettings();
  stored.WindowSize = 2;
  OptionsFixture f(stored);
  // Recording works in the small window only.
  EXPECT_FALSE(f.dialog->CheckBoxSG1()->isEnabled());
  f.dialog->ComboBoxWSize()->setCurrentIndex(0);
  EXPECT_TRUE(f.dialog->CheckBoxSG1()->isEnabled());
  EXPECT_FALSE(f.dialog->ComboBoxSG1()->isEnabled());
  f.dialog->CheckBoxSG1()->click();
  EXPECT_TRUE(f.dialog->ComboBoxSG1()->isEnabled());
  f.Close();

  // Both designs purple: the background lists are disabled.
  f.settings.MenuDesignPurple = true;
  f.settings.TableDesignPurple = true;
  f.Open();
  EXPECT_FALSE(f.dialog->ComboBoxBG1()->isEnabled());
  EXPECT_FALSE(f.dialog->ComboBoxBG2()->isEnabled());
  f.Close();
  f.settings.MenuDesignPurple = false;
  f.settings.BackgroundSet = 0;
  f.Open();
  EXPECT_TRUE(f.dialog->ComboBoxBG1()->isEnabled());
  EXPECT_FALSE(f.dialog->ComboBoxBG2()->isEnabled());
}

TEST(FormOptions, RandomBackSetsTakeTheRandomModeAndFixedSetsGiveItBack) {
  OptionsFixture f(QuickSettings(), kTestModules);
  TFormOptions& d = *f.dialog;
  d.ComboBox2()->setCurrentIndex(8);  // "Animals"
  if (f.settings.BackDeck != 8) GTEST_SKIP() << "no module holds the back set Animals";
  EXPECT_TRUE(d.BackMode(2)->isChecked());
  EXPECT_FALSE(d.BackMode(0)->isEnabled());
  EXPECT_FALSE(d.BackMode(1)->isEnabled());
  d.ComboBox2()->setCurrentIndex(3);  // "Carpet"
  EXPECT_EQ(f.settings.BackDeck, 3);
  EXPECT_TRUE(d.BackMode(0)->isChecked());
  EXPECT_TRUE(d.BackMode(0)->isEnabled());
  EXPECT_TRUE(d.BackMode(1)->isEnabled());
  EXPECT_FALSE(d.BackMode(2)->isEnabled());
  EXPECT_FALSE(f.settings.SameBack);
}

// A press downloads into the program folder's parent; the module is then
// found there and every button of it is disabled.
TEST(FormOptions, DownloadButtonFetchesTheModuleAndIsDisabledAfterwards) {
  QFile source(QStringLiteral(TARVEL_TESTMODULES_DIR "/QorCards06A.rcc"));
  ASSERT_TRUE(source.open(QIODevice::ReadOnly));
  LocalHttpServer server({{"/downloads/progr/cards/QorCards06A.rcc", LocalHttpServer::Ok(source.readAll().toStdString())},
                          {"/downloads/progr/cards/QorCards06C.rcc", "HTTP/1.1 404 Not Found\r\n\r\n"}});
  Settings stored = QuickSettings();
  stored.SoundOn = true;
  OptionsFixture f(stored, {}, server.Base() + "/");
  TFormOptions& d = *f.dialog;
  const auto buttonsA = d.DownloadButtons(QStringLiteral("QorCards06A.rcc"));
  ASSERT_EQ(buttonsA.size(), 2u);  // "Cards" and "DLL" pages
  EXPECT_TRUE(buttonsA[0]->isEnabled());

  d.DownloadButtons(QStringLiteral("QorCards06C.rcc"))[0]->click();
  EXPECT_EQ(f.sound.played.back(), QStringLiteral("WWrongs"));
  EXPECT_TRUE(d.DownloadButtons(QStringLiteral("QorCards06C.rcc"))[0]->isEnabled());

  buttonsA[0]->click();
  EXPECT_EQ(f.sound.played.back(), QStringLiteral("WToMenK"));
  EXPECT_TRUE(QFile::exists(f.root.path() + QStringLiteral("/QorCards06A.rcc")));
  for (QPushButton* button : buttonsA) EXPECT_FALSE(button->isEnabled());
  d.ComboBox1()->setCurrentIndex(1);
  EXPECT_EQ(f.settings.CardDeck, 1);
}

// Modules beside the program are found although the data folder is
// elsewhere.
TEST(FormOptions, ModulesBesideTheProgramAreFoundWithTheDataFolderElsewhere) {
  Settings stored = QuickSettings();
  stored.CardDeck = 1;
  stored.BackgroundSet = 1;
  OptionsFixture f(stored, kTestModules);
  EXPECT_TRUE(f.sink.informed.empty());
  EXPECT_EQ(f.settings.CardDeck, 1);
  EXPECT_EQ(f.settings.BackgroundSet, 1);
  EXPECT_EQ(f.dialog->ComboBox1()->currentIndex(), 1);
}

TEST(FormOptions, PassportStoresNickCountryCityAndSex) {
  Settings stored = QuickSettings();
  OptionsFixture f(stored);
  TFormPassport passport(f.settings, f.dialog);
  EXPECT_EQ(passport.ComboBoxContinent()->currentIndex(), 0);
  EXPECT_EQ(passport.ComboBoxCountry()->currentIndex(), 1);
  passport.EditNick()->setText(QStringLiteral("Gamer"));
  passport.ComboBoxContinent()->setCurrentIndex(5);  // Africa
  passport.ComboBoxCountry()->setCurrentIndex(54);
  passport.EditCity()->setText(QStringLiteral("  "));  // kept: a city cannot be empty
  passport.ComboBoxSex()->setCurrentIndex(1);
  passport.ButtonOk()->click();
  EXPECT_EQ(f.settings.Nick, "Gamer");
  EXPECT_EQ(f.settings.Country, "6-054");
  EXPECT_EQ(f.settings.City, "Moscow");
  EXPECT_EQ(f.settings.Sex, "W");
}


// With the graphics module the purple designs take effect: the menu's
// background, the dialog's colours, header and icon, and the salute boxes.
TEST(FormOptions, PurpleDesignsWithTheGraphicsModule) {
  OptionsFixture f(testing::QuickSettings(), {QStringLiteral("QorCGraph1.rcc")});
  TFormOptions& d = *f.dialog;
  EXPECT_TRUE(d.CheckBoxD(1)->isEnabled());
  EXPECT_TRUE(d.CheckBoxD(1)->isChecked());
  const QImage felt = f.window->Pictures().Background();
  d.ComboBoxD(1)->setCurrentIndex(1);
  EXPECT_TRUE(f.settings.MenuDesignPurple);
  EXPECT_NE(f.window->Pictures().Background(), felt);
  EXPECT_EQ(f.window->Pictures().WindowColour(), QColor(120, 0, 200));
  d.ComboBoxD(2)->setCurrentIndex(1);
  EXPECT_FALSE(d.ComboBoxBG1()->isEnabled());
  const QColor grey = d.palette().color(QPalette::Window);
  d.ComboBoxD(3)->setCurrentIndex(3);
  EXPECT_TRUE(f.settings.DialogDesignPurple);
  EXPECT_NE(d.palette().color(QPalette::Window), grey);
  EXPECT_TRUE(f.sink.informed.empty());
  d.CheckBoxD(2)->click();
  EXPECT_FALSE(f.settings.SaluteCards);
}


// The speed and passport windows open modally over the dialog; what they
// set shows on the dialog when they close.
TEST(FormOptions, SpeedAndPassportWindowsOpenOverTheDialog) {
  OptionsFixture f;
  TFormOptions& d = *f.dialog;
  QTimer::singleShot(0, [] {
    auto* speed = qobject_cast<TFormSpeed*>(QApplication::activeModalWidget());
    ASSERT_NE(speed, nullptr);
    speed->TrackBar()->setValue(2);
    speed->OkButton()->click();
  });
  d.Button3()->click();
  EXPECT_EQ(f.settings.Speed, 2);
  EXPECT_TRUE(d.Button3()->text().endsWith(QStringLiteral("= 2")));

  QTimer::singleShot(0, [] {
    auto* passport = qobject_cast<TFormPassport*>(QApplication::activeModalWidget());
    ASSERT_NE(passport, nullptr);
    passport->EditNick()->setText(QStringLiteral("Ace"));
    passport->ButtonOk()->click();
  });
  d.Button4()->click();
  EXPECT_EQ(f.settings.Nick, "Ace");
}

// During a game the table follows a new window size and a new deck at once.
TEST(FormOptions, TheTableFollowsDuringAGame) {
  testing::WindowFixture f(QuickSettings(), 0, 1, [](const QString& folder) {
    QFile::copy(QStringLiteral(TARVEL_TESTMODULES_DIR "/QorCards06A.rcc"), folder + QStringLiteral("QorCards06A.rcc"));
  });
  f.StartGame();
  ASSERT_TRUE(f.w().TableShown());
  f.w().OptionsClick();
  auto* dialog = f.w().findChild<TFormOptions*>();
  const QRect hand = f.w().Layout().Rect(Element::ImageCards3);
  const QImage cards = f.w().Snapshot();
  dialog->ComboBoxWSize()->setCurrentIndex(1);
  EXPECT_NE(f.w().Layout().Rect(Element::ImageCards3), hand);
  const QImage larger = f.w().Snapshot();
  EXPECT_NE(larger, cards);
  dialog->ComboBox1()->setCurrentIndex(1);
  EXPECT_EQ(f.settings.CardDeck, 1);
  EXPECT_NE(f.w().Snapshot(), larger);
  delete dialog;
}


// The records and options windows in the purple design with the new
// buttons: every button is owner-drawn in the design's scheme, and the
// "new buttons" box restyles the dialog's own buttons at once.
TEST(FormOptions, AuxiliaryWindowsFollowTheDialogDesign) {
  Settings purple = QuickSettings();
  purple.DialogDesignPurple = true;
  purple.NewButtons = true;
  OptionsFixture f(purple);
  ASSERT_NE(f.dialog, nullptr);
  QTemporaryDir history;
  int selected = 0;
  TFHistory historyWindow(f.settings, history.path().toStdString(), selected);
  TFormCount countWindow(f.settings, QStringLiteral("Zoe"), TCount{});
  TFormPassword passwordWindow(f.settings, {});
  TFormPassport passportWindow(f.settings);
  const std::vector<std::pair<const char*, QWidget*>> windows = {{"history", &historyWindow},
                                                                 {"game information", &countWindow},
                                                                 {"name and password", &passwordWindow},
                                                                 {"passport", &passportWindow},
                                                                 {"options", f.dialog}};
  const auto buttonsOf = [](QWidget* window) {
    std::vector<TQorCardsButton*> owner;
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
      auto* drawn = qobject_cast<TQorCardsButton*>(button);
      EXPECT_NE(drawn, nullptr) << button->objectName().toStdString();
      if (drawn != nullptr) owner.push_back(drawn);
    }
    return owner;
  };
  for (const auto& [name, window] : windows) {
    SCOPED_TRACE(name);
    EXPECT_EQ(window->palette().color(QPalette::WindowText), kPurpleText);
    const std::vector<TQorCardsButton*> buttons = buttonsOf(window);
    EXPECT_FALSE(buttons.empty());
    for (TQorCardsButton* button : buttons) {
      EXPECT_EQ(button->ColorSB(), TColorSB::QCards);
      EXPECT_EQ(button->FontColour(), kPurpleText);
      EXPECT_TRUE(button->AltLook());
    }
  }
  f.dialog->CheckBoxBut()->click();
  EXPECT_FALSE(f.settings.NewButtons);
  for (TQorCardsButton* button : buttonsOf(f.dialog)) EXPECT_FALSE(button->AltLook());
}

}  // namespace
}  // namespace tarvel
