// The options dialog: nine pages of controls over the settings record, each
// taking effect at once through the main window (OptionsHost).
#pragma once

#include <QDialog>
#include <QImage>
#include <QTimer>
#include <QSize>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

#include "settings/options/options_host.h"
#include "settings/settings_file.h"
#include "settings/words/words.h"
#include "widgets/qor_cards_button.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFontComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace tarvel {

// How many entries of the window size list a screen of this size keeps:
// the list is cut from its end, so entry n is always `WindowSize` n + 1.
int WindowSizeEntries(QSize screen);

// The files the download buttons fetch, in the order of the "DLL" page.
const QStringList& DownloadableFiles();

class TFormOptions : public QDialog {
  Q_OBJECT

 public:
  TFormOptions(Settings& settings, OptionsHost& host, QWidget* parent = nullptr);
  ~TFormOptions() override;

  // The page the dialog opens on: the one open when it last closed.
  static int RememberedPage();

  // Handlers, named after the control and the event.
  void ComboBoxLanChange();
  void CheckBoxNetClick();
  void ComboBoxWSizeChange();
  void CheckBoxClick(QCheckBox* box);
  void Button3Click();
  void Button4Click();
  void ComboBox1Change();
  void ComboBox2Change();
  void RadioGroup2Click();
  void ComboBoxFontChange();
  void FontComboBox1Change();
  void SpinEdit1Change();
  void Button2Click();
  void ComboBoxBGChange();
  void ComboBoxSG1Change();
  void SpinEditSG1Change();
  void RGRadioClick();
  void ComboBoxD1Change();
  void ComboBoxD2Change();
  void ComboBoxD3Change();
  void DownloadClick(const QString& fileName);
  void Button1Click();

  // The controls, by component name, for tests and screenshots.
  QTabWidget* Pages() const { return pages_; }
  QComboBox* ComboBoxLan() const { return comboBoxLan_; }
  QCheckBox* CheckBoxNet() const { return checkBoxNet_; }
  QComboBox* ComboBoxWSize() const { return comboBoxWSize_; }
  QCheckBox* CheckBox(int n) const;  // 1 sound, 2 music, 3 GIF, 4 flying, 5 game to 8, 8 dead heat
  QCheckBox* CheckBoxCur() const { return checkBoxCur_; }
  QCheckBox* CheckBoxBut() const { return checkBoxBut_; }
  TQorCardsButton* Button3() const { return button3_; }
  TQorCardsButton* Button4() const { return button4_; }
  QComboBox* ComboBox1() const { return comboBox1_; }
  QLabel* Image1() const { return image1_; }
  QComboBox* ComboBox2() const { return comboBox2_; }
  QRadioButton* BackMode(int index) const { return backModes_[static_cast<std::size_t>(index)]; }
  QComboBox* ComboBoxFont() const { return comboBoxFont_; }
  QFontComboBox* FontComboBox1() const { return fontComboBox1_; }
  QSpinBox* SpinEdit1() const { return spinEdit1_; }
  TQorCardsButton* Button2() const { return button2_; }
  QComboBox* ComboBoxBG1() const { return comboBoxBG1_; }
  QComboBox* ComboBoxBG2() const { return comboBoxBG2_; }
  QCheckBox* CheckBoxSG1() const { return checkBoxSG1_; }
  QComboBox* ComboBoxSG1() const { return comboBoxSG1_; }
  QSpinBox* SpinEditSG1() const { return spinEditSG1_; }
  QRadioButton* RadioSource(int index) const { return radioSources_[static_cast<std::size_t>(index)]; }
  QComboBox* ComboBoxD(int n) const;  // 1 menu, 2 table, 3 auxiliary windows
  QCheckBox* CheckBoxD(int n) const;  // 1 salute buttons, 2 salute cards
  TQorCardsButton* Button1() const { return button1_; }
  // Every download button of a file (several pages share a module).
  std::vector<TQorCardsButton*> DownloadButtons(const QString& fileName) const;

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

 private:
  void CreatePages();
  QWidget* CreateGeneralPage();
  QWidget* CreateCardsPage();
  QWidget* CreateDecksPage();
  QWidget* CreateGamePage();
  QWidget* CreateFontsPage();
  QWidget* CreateBackgroundPage();
  QWidget* CreateSaveGamesPage();
  QWidget* CreateModulesPage();
  QWidget* CreateDesignPage();
  TQorCardsButton* AddDownloadButton(QWidget* page, const QString& fileName, const QString& caption, QRect where);

  void ApplyLanguage();
  void ApplyDesign();
  void DrawHeader();
  void NextIconFrame();
  void PutSettings();
  void SelectListEntries();
  void UpdateSaveGames();
  // True when the graphics module delivers the purple pictures; otherwise
  // all three designs go back to their first entries and the user is told.
  bool GraphicsModuleReady();
  void UpdateBackModes();
  void UpdateBackgroundLists();
  void UpdateDownloadButtons();
  void UpdateSaluteBoxes();
  void DrawSampleCards();
  void ShowFontSlot();
  bool ModuleExists(const QString& fileName) const;
  QString Text(WordId id, int row = 0) const;

  Settings& settings_;
  OptionsHost& host_;
  bool initialising_ = true;

  QLabel* header_ = nullptr;
  QLabel* flag_ = nullptr;
  QLabel* icon_ = nullptr;  // the purple design's animated icon
  QImage iconStrip_;
  int iconFrame_ = 0;
  QTimer iconTimer_;
  QTabWidget* pages_ = nullptr;
  TQorCardsButton* button1_ = nullptr;

  QLabel* labelLan_ = nullptr;
  QComboBox* comboBoxLan_ = nullptr;
  QCheckBox* checkBoxNet_ = nullptr;
  QLabel* labelWSize_ = nullptr;
  QComboBox* comboBoxWSize_ = nullptr;
  std::array<QCheckBox*, 9> checkBoxes_{};  // by component number
  QCheckBox* checkBoxCur_ = nullptr;
  QCheckBox* checkBoxBut_ = nullptr;
  TQorCardsButton* button3_ = nullptr;
  TQorCardsButton* button4_ = nullptr;

  QComboBox* comboBox1_ = nullptr;
  QLabel* image1_ = nullptr;
  QComboBox* comboBox2_ = nullptr;
  QGroupBox* radioGroup2_ = nullptr;
  std::array<QRadioButton*, 3> backModes_{};
  QButtonGroup* backModeGroup_ = nullptr;

  QGroupBox* groupMinor_ = nullptr;
  QGroupBox* groupMain_ = nullptr;

  QComboBox* comboBoxFont_ = nullptr;
  QFontComboBox* fontComboBox1_ = nullptr;
  QLabel* labelScale_ = nullptr;
  QSpinBox* spinEdit1_ = nullptr;
  TQorCardsButton* button2_ = nullptr;
  QLabel* label1_ = nullptr;

  QLabel* labelBG_ = nullptr;
  QComboBox* comboBoxBG1_ = nullptr;
  QComboBox* comboBoxBG2_ = nullptr;

  QCheckBox* checkBoxSG1_ = nullptr;
  QComboBox* comboBoxSG1_ = nullptr;
  QLabel* labelSG1_ = nullptr;
  QSpinBox* spinEditSG1_ = nullptr;

  QGroupBox* rgRadio_ = nullptr;
  std::array<QRadioButton*, 2> radioSources_{};

  std::array<QLabel*, 3> labelsD_{};
  std::array<QComboBox*, 3> comboBoxesD_{};
  QGroupBox* groupSalute_ = nullptr;
  std::array<QCheckBox*, 2> checkBoxesD_{};

  std::vector<std::pair<QString, TQorCardsButton*>> downloads_;
};

}  // namespace tarvel
