// The radio on the main window: the station list and radio settings in the
// shared folder above the data folder, the radio module beside the program,
// the icon on the menu of a large window, and the start at the intro's
// first click.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "media/form_radio.h"
#include "window_fixture.h"

namespace tarvel {
namespace {

using testing::RecordingSink;
using testing::RecordingSound;

void Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

TEST(RadioOnTheMenu, LeftOnItStartsWithTheIntroClickAndTheIconSwitchesAndOpensIt) {
  QTemporaryDir shared;
  const QString data = shared.filePath(QStringLiteral("data/"));
  ASSERT_TRUE(QDir().mkpath(data));
  // A station on which nothing listens: the radio plays nothing, silently.
  const QByteArray url = "http://127.0.0.1:1/radio/a.mp3";
  Write(shared.filePath(QStringLiteral("QorRadio.rad")),
        "RUS#RUS0001#Tarvel FM#Russian Federation#" + url + "#RRADIO_LOGO_TARVELFM\r\n");
  Write(shared.filePath(QStringLiteral("QorRadio.ini")),
        "Tarvel FM\r\n" + url + "\r\nRussian Federation\r\nRRADIO_LOGO_TARVELFM\r\n1\r\n50\r\n0\r\n");
  Settings stored = testing::QuickSettings();
  stored.MusicOn = true;
  stored.RadioListFromServer = false;
  SaveSettings(std::filesystem::path(data.toStdString()) / "Tarvel.ini", stored);

  MatchState state;
  Settings settings;
  TForm1::Options options;
  options.dataFolder = data;
  options.programFolder = QFileInfo(QStringLiteral(TARVEL_GRAPHICS_MODULE)).absolutePath();
  options.windowSizeOverride = 4;
  options.tempFolder = shared.path();
  RecordingSink sink;
  RecordingSound sound;
  {
    TForm1 window(state, settings, options);
    window.SetMessageSink(&sink);
    window.SetSoundPlayer(&sound);
    window.show();
    InternetRadio& radio = window.Audio().Radio();
    ASSERT_TRUE(QTest::qWaitFor([&] { return radio.Ready(); }));
    ASSERT_TRUE(radio.Record().CanUse);
    EXPECT_TRUE(settings.MusicOn);

    // The intro's click starts the radio that was left on: no MIDI music.
    window.Image1Click();
    EXPECT_FALSE(settings.MusicOn);
    RadioIcon* icon = window.Audio().Icon();
    ASSERT_TRUE(icon->isVisible());
    EXPECT_EQ(icon->PictureName(), QStringLiteral("GRadioG"));

    QTest::mouseClick(icon, Qt::LeftButton);
    EXPECT_FALSE(radio.Record().Enabled);
    EXPECT_EQ(icon->PictureName(), QStringLiteral("GRadioR"));

    QTest::mouseClick(icon, Qt::RightButton);
    auto* form = window.findChild<TFormRadio*>();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->Keys(), QStringList{QStringLiteral("RUS0001")});
    form->ButtonMinus()->click();
    form->close();
    EXPECT_TRUE(sink.informed.empty());
    window.close();
  }
  // Saved at the end: off, at the new volume.
  QFile ini(shared.filePath(QStringLiteral("QorRadio.ini")));
  ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
  EXPECT_TRUE(ini.readAll().endsWith("\r\n0\r\n40\r\n0\r\n"));
}

}  // namespace
}  // namespace tarvel
