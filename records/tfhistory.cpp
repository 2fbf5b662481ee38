#include "records/tfhistory.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "records/history_file.h"
#include "records/records_host.h"
#include "widgets/dialog_design.h"

namespace tarvel {

namespace {

constexpr int kColumns = 7;
constexpr std::array<int, kColumns> kColumnWidths = {45, 65, 210, 45, 55, 55, 80};
// Record line fields: 1-based start and width.
constexpr std::array<std::pair<int, int>, kColumns - 1> kFields = {
    {{1, 5}, {6, 10}, {16, 51}, {67, 3}, {70, 10}, {80, 10}}};
const QColor kHeaderBackground(230, 230, 255);

// The kind row of the word table and the text colour of a record's kind.
std::pair<int, QColor> KindOf(char letter) {
  switch (letter) {
    case 'A': return {1, QColor(255, 0, 0)};
    case 'T': return {2, QColor(0, 0, 255)};
    case 'N': return {3, QColor(0, 128, 0)};
    default: return {0, QColor()};
  }
}

}  // namespace

TFHistory::TFHistory(const Settings& settings, std::filesystem::path dataFolder, int& selected, QWidget* parent)
    : QDialog(parent), language_(settings.Language), dataFolder_(std::move(dataFolder)), selected_(selected) {
  setWindowTitle(RecordsWord(WordId::History, language_));
  auto* columns = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  listBox1_ = new QListWidget(this);
  listBox1_->setObjectName(QStringLiteral("ListBox1"));
  listBox1_->setAlternatingRowColors(true);
  button1_ = new TQorCardsButton(RecordsWord(WordId::DialogOk, language_), this);
  button1_->setObjectName(QStringLiteral("Button1"));
  button1_->setDefault(true);
  left->addWidget(listBox1_);
  left->addWidget(button1_);
  columns->addLayout(left);

  sg_ = new QTableWidget(this);
  sg_->setObjectName(QStringLiteral("SG"));
  sg_->setColumnCount(kColumns);
  sg_->horizontalHeader()->hide();
  sg_->verticalHeader()->hide();
  sg_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  sg_->setSelectionBehavior(QAbstractItemView::SelectRows);
  sg_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // The columns are narrow: a small font and rows of one text line.
  QFont small = sg_->font();
  small.setPixelSize(11);
  sg_->setFont(small);
  sg_->verticalHeader()->setDefaultSectionSize(18);
  sg_->setWordWrap(false);
  sg_->setTextElideMode(Qt::ElideNone);
  // The selected game stands out in pale red.
  sg_->setStyleSheet(QStringLiteral("QTableWidget { selection-background-color: rgb(255, 204, 204); "
                                    "selection-color: black; }"));
  int width = 0;
  for (int c = 0; c < kColumns; ++c) {
    sg_->setColumnWidth(c, kColumnWidths[static_cast<std::size_t>(c)]);
    width += kColumnWidths[static_cast<std::size_t>(c)];
  }
  sg_->setMinimumSize(width + 24, 360);
  columns->addWidget(sg_, 1);

  ApplyDialogDesign(this, settings);
  connect(button1_, &QPushButton::clicked, this, &QDialog::accept);
  connect(listBox1_, &QListWidget::currentRowChanged, this, &TFHistory::ListBox1Click);
  ListHistoryFiles();
  ShowHistoryFile();
}

void TFHistory::ListHistoryFiles() {
  const QSignalBlocker quiet(listBox1_);
  listBox1_->clear();
  int last = 0;
  for (int n = 1; n <= kHistoryMaxFiles; ++n) {
    const HistoryFileInfo info = CheckHistoryFile(dataFolder_, n);
    if (!info.valid) break;
    listBox1_->addItem(RecordsWord(WordId::HistoryFile, language_) + QStringLiteral("I%1 ").arg(n, 4, 10, QLatin1Char('0')) +
                       QString::fromStdString(info.date));
    last = n;
  }
  if (last == 0) {
    selected_ = -1;
    listBox1_->addItem(RecordsWord(WordId::NoHistoryFiles, language_));
    listBox1_->setEnabled(false);
    return;
  }
  listBox1_->setEnabled(true);
  if (selected_ <= 0 || selected_ > last) selected_ = last;
  listBox1_->setCurrentRow(selected_ - 1);
  listBox1_->setFixedWidth(last > 16 ? 193 : 180);
  button1_->setFixedWidth(listBox1_->width());
}

void TFHistory::ListBox1Click(int row) {
  if (row < 0 || row + 1 == selected_) return;
  selected_ = row + 1;
  ShowHistoryFile();
}

void TFHistory::ShowHistoryFile() {
  sg_->clearContents();
  sg_->setRowCount(2);
  for (int c = 0; c < kColumns; ++c) {
    auto* header = new QTableWidgetItem(RecordsWord(WordId::HistoryColumns, language_, c));
    header->setForeground(QColor(128, 0, 0));
    header->setBackground(kHeaderBackground);
    header->setTextAlignment(Qt::AlignCenter);
    sg_->setItem(0, c, header);
  }
  if (selected_ <= 0) return;
  const std::vector<std::string> lines = ReadHistoryRecords(dataFolder_, selected_);
  sg_->setRowCount(std::max(2, static_cast<int>(lines.size()) + 1));
  for (std::size_t r = 0; r < lines.size(); ++r) {
    const std::string& line = lines[r];
    const auto [kindRow, colour] = KindOf(line[89]);
    const int row = static_cast<int>(r) + 1;
    for (std::size_t c = 0; c < kFields.size(); ++c) {
      const auto [start, width] = kFields[c];
      auto* item = new QTableWidgetItem(
          FromRecordBytes(std::string_view(line).substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(width))));
      item->setTextAlignment(c == 2 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
      if (colour.isValid()) item->setForeground(colour);
      sg_->setItem(row, static_cast<int>(c), item);
    }
    auto* kind = new QTableWidgetItem(RecordsWord(WordId::HistoryKinds, language_, kindRow));
    kind->setTextAlignment(Qt::AlignCenter);
    if (colour.isValid()) kind->setForeground(colour);
    sg_->setItem(row, kColumns - 1, kind);
  }
}

}  // namespace tarvel
