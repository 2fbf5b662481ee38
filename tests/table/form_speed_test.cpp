// The speed window offscreen: it shows the speed, sets it at once, and
// closes on OK.
#include "table/form_speed.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>

#include <gtest/gtest.h>

namespace tarvel {
namespace {

TEST(SpeedWindow, ShowsSetsAndCloses)
{
    Settings settings;
    settings.Speed = 2;
    TFormSpeed form(settings);
    form.show();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Choice of speed"));
    EXPECT_EQ(form.Prompt()->text(), QStringLiteral("Select a flight speed of cards:"));
    EXPECT_EQ(form.size(), QSize(340, 280));
    EXPECT_EQ(form.TrackBar()->minimum(), 1);
    EXPECT_EQ(form.TrackBar()->maximum(), 6);
    EXPECT_EQ(form.TrackBar()->value(), 2);

    // Moving the track bar sets the speed at once.
    form.TrackBar()->setValue(5);
    EXPECT_EQ(settings.Speed, 5);
    form.TrackBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(settings.Speed, 6);
    form.TrackBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(settings.Speed, 6);

    QSignalSpy accepted(&form, &QDialog::accepted);
    form.OkButton()->click();
    EXPECT_EQ(accepted.count(), 1);
    EXPECT_FALSE(form.isVisible());

    // Shown again, the track bar follows a speed changed elsewhere.
    settings.Speed = 3;
    settings.SaluteButtons = false;
    form.show();
    EXPECT_EQ(form.TrackBar()->value(), 3);
    form.OkButton()->click();
    EXPECT_EQ(accepted.count(), 2);
}

TEST(SpeedWindow, TextsInTheCurrentLanguage)
{
    Settings settings;
    settings.Language = 1;
    TFormSpeed form(settings);
    form.show();
    EXPECT_FALSE(form.windowTitle().isEmpty());
    EXPECT_NE(form.windowTitle(), QStringLiteral("Choice of speed"));
    EXPECT_NE(form.OkButton()->text(), QString());
}

TEST(SpeedWindow, PurpleIconTurnsAtTheChosenSpeed)
{
    Settings settings;
    settings.Speed = 1;
    TFormSpeed plain(settings);
    plain.show();
    EXPECT_FALSE(plain.Icon()->isVisible());
    EXPECT_FALSE(plain.IconTimer().isActive());
    plain.close();

    settings.DialogDesignPurple = true;
    TFormSpeed form(settings);
    form.show();
    EXPECT_TRUE(form.Icon()->isVisible());
    EXPECT_TRUE(form.IconTimer().isActive());
    EXPECT_EQ(form.IconTimer().interval(), 110);
    form.TrackBar()->setValue(4);
    EXPECT_EQ(form.IconTimer().interval(), 65);
    form.TrackBar()->setValue(6);
    EXPECT_EQ(form.IconTimer().interval(), 25);
    const QPixmap before = form.Icon()->pixmap();
    QSignalSpy ticks(&form.IconTimer(), &QTimer::timeout);
    ASSERT_TRUE(ticks.wait(2000));
    EXPECT_NE(form.IconFrame(), 0);
    EXPECT_NE(form.Icon()->pixmap().toImage(), before.toImage());
    form.OkButton()->click();
    EXPECT_FALSE(form.IconTimer().isActive());
}

}  // namespace
}  // namespace tarvel
