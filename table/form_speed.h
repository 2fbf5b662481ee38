// The speed window: a track bar from 1 to 6 that sets the card flight speed
// at once, and an OK button.
#pragma once

#include "settings/settings_file.h"

#include <QDialog>
#include <QTimer>

class QLabel;
class QPushButton;
class QSlider;

namespace tarvel {

class TFormSpeed : public QDialog {
    Q_OBJECT

public:
    explicit TFormSpeed(Settings& settings, QWidget* parent = nullptr);

    QSlider* TrackBar() const { return trackBar_; }
    QPushButton* OkButton() const { return ok_; }
    QLabel* Prompt() const { return prompt_; }
    // The animated icon of the purple design and its frame timer.
    QLabel* Icon() const { return icon_; }
    const QTimer& IconTimer() const { return iconTimer_; }
    int IconFrame() const { return iconFrame_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ApplyLanguage();
    void ApplyDesign();
    void SpeedChanged(int value);
    void OkClick();
    void NextIconFrame();
    void DrawIcon();

    Settings& settings_;
    QLabel* prompt_ = nullptr;
    QSlider* trackBar_ = nullptr;
    QPushButton* ok_ = nullptr;
    QLabel* icon_ = nullptr;
    QTimer iconTimer_;
    int iconFrame_ = 0;
};

}  // namespace tarvel
