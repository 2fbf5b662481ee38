// The radio window: the country list with flags, the stations of the chosen
// country, the radio picture (a click switches the radio), the station's
// logo in its frame, and the volume with its two buttons.
#pragma once

#include <QDialog>
#include <QStringList>

#include "media/internet_radio.h"
#include "settings/settings_file.h"

class QComboBox;
class QLabel;

namespace tarvel {

class TQorCardsButton;

class TFormRadio : public QDialog {
  Q_OBJECT

 public:
  TFormRadio(InternetRadio& radio, const Settings& settings, QWidget* parent = nullptr);

  QComboBox* ComboBox1() const { return comboBox1_; }
  QComboBox* ComboBox2() const { return comboBox2_; }
  QLabel* Image1() const { return image1_; }
  TQorCardsButton* ButtonMinus() const { return buttonMinus_; }
  TQorCardsButton* ButtonPlus() const { return buttonPlus_; }
  // The keys of the station list's entries, in its order.
  const QStringList& Keys() const { return keys_; }

  // The handlers of the controls.
  void FormShow();
  void ComboBox1Click();
  void ComboBox2Click();
  void Image1Click();
  void ButtonPlusClick();
  void ButtonMinusClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void FillStations();
  void DrawPictures();

  InternetRadio& radio_;
  const Settings& settings_;
  QComboBox* comboBox1_ = nullptr;
  QComboBox* comboBox2_ = nullptr;
  QLabel* image1_ = nullptr;
  QLabel* image2_ = nullptr;
  QLabel* image3_ = nullptr;
  TQorCardsButton* buttonMinus_ = nullptr;
  TQorCardsButton* buttonPlus_ = nullptr;
  TQorCardsButton* button1_ = nullptr;
  QStringList keys_;
  bool filling_ = false;
};

}  // namespace tarvel
