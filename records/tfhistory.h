// The history window: the list of history files (each that passes its
// check, up to the first that does not) and the table of one file's games.
#pragma once

#include <QDialog>

#include <filesystem>

#include "settings/settings_file.h"
#include "widgets/qor_cards_button.h"

class QListWidget;
class QTableWidget;

namespace tarvel {

class TFHistory : public QDialog {
  Q_OBJECT

 public:
  // `selected` is the file number remembered for the run (0 none yet, -1 no
  // files); the window updates it.
  TFHistory(const Settings& settings, std::filesystem::path dataFolder, int& selected, QWidget* parent = nullptr);

  void ListHistoryFiles();
  void ShowHistoryFile();

  QListWidget* ListBox1() const { return listBox1_; }
  QTableWidget* SG() const { return sg_; }
  TQorCardsButton* Button1() const { return button1_; }

 private:
  void ListBox1Click(int row);

  int language_;
  std::filesystem::path dataFolder_;
  int& selected_;
  QListWidget* listBox1_ = nullptr;
  QTableWidget* sg_ = nullptr;
  TQorCardsButton* button1_ = nullptr;
};

}  // namespace tarvel
