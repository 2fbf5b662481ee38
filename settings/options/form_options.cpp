#include "settings/options/form_options.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>

#include "assets/module_lookup.h"
#include "assets/tarvel_assets.h"
#include "settings/options/form_passport.h"
#include "settings/options/module_download.h"
#include "widgets/dialog_design.h"
#include "widgets/program_picture.h"

namespace tarvel {

namespace {

constexpr int kClientWidth = 500;
constexpr int kClientHeight = 400;
constexpr int kPageCount = 9;
constexpr int kFontSlots = 4;
constexpr int kLowestScale = 50;
constexpr int kHighestScale = 150;

// The page that was open when the dialog last closed.
int rememberedPage = 0;

const QString kCardsA = QStringLiteral("QorCards06A.rcc");
const QString kCardsB = QStringLiteral("QorCards06B.rcc");
const QString kCardsC = QStringLiteral("QorCards06C.rcc");
const QString kBackgrounds = QStringLiteral("QorBackG03.rcc");
const QString kGraphics = QStringLiteral("QorCGraph1.rcc");

// The smallest screens that hold the average and large windows (client
// area, frame and task bar), for WindowSize 3, 4 and 5.
constexpr std::array<QSize, 3> kScreenNeeded = {QSize(990, 670), QSize(1290, 870), QSize(1520, 1020)};

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The flag picture of a language.
QPixmap FlagOf(int language, bool large = false) {
  return QPixmap::fromImage(ProgramPicture(QStringLiteral("FlagO") + FromUtf8(FlagSuffix(language)) +
                                            (large ? QStringLiteral("B") : QString())));
}

// The language whose flag a deck's list entry shows.
int DeckCountry(int deck) {
  if (deck <= 28) return kLanguageEnglish;
  if (deck <= 31) return kLanguageGerman;
  if (deck <= 39) return kLanguageRussian;
  if (deck == 40) return kLanguageFrench;
  if (deck <= 44) return kLanguageSpanish;
  if (deck == 45) return kLanguageChinese;
  if (deck == 46) return kLanguageItalian;
  return kLanguageCzech;
}

// Back sets 8..11 draw a random back for every deal.
bool IsRandomBackSet(int backDeck) { return backDeck >= 8 && backDeck <= 11; }

// Position in the auxiliary design list of `DialogScheme` 1..3.
int DialogDesignEntry(const Settings& s) {
  if (s.DialogDesignPurple) return 3;
  return s.DialogScheme == 1 ? 1 : s.DialogScheme == 3 ? 2 : 0;
}

// Fills a list with the rows of a word entry, keeping its position.
void FillList(QComboBox* list, WordId id, int language, int rows) {
  const QSignalBlocker quiet(list);
  const int at = list->currentIndex();
  list->clear();
  for (int row = 0; row < rows; ++row) list->addItem(FromUtf8(Word(id, language, row)));
  list->setCurrentIndex(at);
}

// The name and the scale of font slot 0..3 (large, small, special 1 and 2).
std::string& FontName(Settings& s, int slot) {
  std::string* names[] = {&s.FontLarge, &s.FontSmall, &s.FontSpecial1, &s.FontSpecial2};
  return *names[std::clamp(slot, 0, kFontSlots - 1)];
}

std::int32_t& FontScale(Settings& s, int slot) {
  std::int32_t* scales[] = {&s.FontLargeScale, &s.FontSmallScale, &s.FontSpecial1Scale, &s.FontSpecial2Scale};
  return *scales[std::clamp(slot, 0, kFontSlots - 1)];
}

}  // namespace

int WindowSizeEntries(QSize screen) {
  int entries = 5;
  for (int size = 5; size >= 3; --size) {
    const QSize needed = kScreenNeeded[static_cast<std::size_t>(size - 3)];
    if (screen.width() >= needed.width() && screen.height() >= needed.height()) break;
    entries = size - 1;
  }
  return entries;
}

const QStringList& DownloadableFiles() {
  static const QStringList files = {kCardsA,
                                    kCardsB,
                                    kCardsC,
                                    kBackgrounds,
                                    QStringLiteral("QorCalendar01.rcc"),
                                    QStringLiteral("QorRadio.rad"),
                                    QStringLiteral("QorRadio02.rcc"),
                                    QStringLiteral("QorCVoice3.rcc"),
                                    kGraphics};
  return files;
}

int TFormOptions::RememberedPage() { return rememberedPage; }

TFormOptions::TFormOptions(Settings& settings, OptionsHost& host, QWidget* parent)
    : QDialog(parent), settings_(settings), host_(host) {
  InitTarvelAssets();
  setObjectName(QStringLiteral("FormOptions"));
  setModal(true);
  setFixedSize(kClientWidth, kClientHeight);
  setAutoFillBackground(true);

  header_ = new QLabel(this);
  header_->setGeometry(0, 0, kClientWidth, 56);
  flag_ = new QLabel(this);
  flag_->setGeometry(kClientWidth - 40, 16, 28, 24);
  icon_ = new QLabel(this);
  icon_->setGeometry(35, 22, 48, 48);
  icon_->hide();
  iconTimer_.setInterval(60);
  connect(&iconTimer_, &QTimer::timeout, this, &TFormOptions::NextIconFrame);

  pages_ = new QTabWidget(this);
  pages_->setObjectName(QStringLiteral("PageControl1"));
  pages_->setGeometry(6, 70, kClientWidth - 12, 286);
  // Nine page names side by side in 488 pixels, in every language.
  pages_->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 4px 4px; }"));
  pages_->tabBar()->setExpanding(false);
  QFont tabFont = pages_->tabBar()->font();
  if (tabFont.pointSizeF() > 0) {
    tabFont.setPointSizeF(tabFont.pointSizeF() * 0.9);
  } else {
    tabFont.setPixelSize(std::max(tabFont.pixelSize() * 9 / 10, 8));
  }
  pages_->tabBar()->setFont(tabFont);
  CreatePages();

  button1_ = new TQorCardsButton(this);
  button1_->setObjectName(QStringLiteral("Button1"));
  button1_->setGeometry(kClientWidth - 126, 362, 120, 32);
  button1_->setDefault(true);
  connect(button1_, &QPushButton::clicked, this, &TFormOptions::Button1Click);

  PutSettings();
  ApplyLanguage();
  ApplyDesign();
  pages_->setCurrentIndex(std::clamp(rememberedPage, 0, kPageCount - 1));
  initialising_ = false;
}

TFormOptions::~TFormOptions() = default;

// ---------------------------------------------------------------------------
// Pages

void TFormOptions::CreatePages() {
  pages_->addTab(CreateGeneralPage(), QString());
  pages_->addTab(CreateCardsPage(), QString());
  pages_->addTab(CreateDecksPage(), QString());
  pages_->addTab(CreateGamePage(), QString());
  pages_->addTab(CreateFontsPage(), QString());
  pages_->addTab(CreateBackgroundPage(), QString());
  pages_->addTab(CreateSaveGamesPage(), QString());
  pages_->addTab(CreateModulesPage(), QString());
  pages_->addTab(CreateDesignPage(), QString());
}

namespace {

template <typename Widget>
Widget* Place(QWidget* page, const char* name, QRect where) {
  auto* widget = new Widget(page);
  widget->setObjectName(QLatin1String(name));
  widget->setGeometry(where);
  return widget;
}

}  // namespace

QWidget* TFormOptions::CreateGeneralPage() {
  auto* page = new QWidget;
  labelLan_ = Place<QLabel>(page, "LabelLan", QRect(10, 8, 220, 20));
  comboBoxLan_ = Place<QComboBox>(page, "ComboBoxLan", QRect(10, 28, 220, 26));
  for (int language = 0; language < kLanguageCount; ++language)
    comboBoxLan_->addItem(QIcon(FlagOf(language)), FromUtf8(LanguageName(language)));
  connect(comboBoxLan_, &QComboBox::currentIndexChanged, this, &TFormOptions::ComboBoxLanChange);

  checkBoxNet_ = Place<QCheckBox>(page, "CheckBoxNet", QRect(10, 62, 220, 24));
  connect(checkBoxNet_, &QCheckBox::clicked, this, &TFormOptions::CheckBoxNetClick);

  labelWSize_ = Place<QLabel>(page, "LabelWSize", QRect(10, 94, 220, 20));
  comboBoxWSize_ = Place<QComboBox>(page, "ComboBoxWSize", QRect(10, 114, 220, 26));
  connect(comboBoxWSize_, &QComboBox::currentIndexChanged, this, &TFormOptions::ComboBoxWSizeChange);

  const char* names[] = {"", "CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4"};
  for (int n = 1; n <= 4; ++n) {
    checkBoxes_[static_cast<std::size_t>(n)] = Place<QCheckBox>(page, names[n], QRect(250, 8 + 28 * (n - 1), 225, 24));
  }
  checkBoxCur_ = Place<QCheckBox>(page, "CheckBoxCur", QRect(250, 120, 225, 24));
  checkBoxBut_ = Place<QCheckBox>(page, "CheckBoxBut", QRect(250, 148, 225, 24));
  for (QCheckBox* box : {checkBoxes_[1], checkBoxes_[2], checkBoxes_[3], checkBoxes_[4], checkBoxCur_, checkBoxBut_})
    connect(box, &QCheckBox::clicked, this, [this, box] { CheckBoxClick(box); });

  button3_ = Place<TQorCardsButton>(page, "Button3", QRect(10, 186, 220, 32));
  connect(button3_, &QPushButton::clicked, this, &TFormOptions::Button3Click);
  button4_ = Place<TQorCardsButton>(page, "Button4", QRect(250, 186, 225, 32));
  connect(button4_, &QPushButton::clicked, this, &TFormOptions::Button4Click);
  return page;
}

TQorCardsButton* TFormOptions::AddDownloadButton(QWidget* page, const QString& fileName, const QString& caption,
                                             QRect where) {
  auto* button = new TQorCardsButton(caption, page);
  button->setObjectName(QStringLiteral("Download_") + fileName);
  button->setGeometry(where);
  connect(button, &QPushButton::clicked, this, [this, fileName] { DownloadClick(fileName); });
  downloads_.emplace_back(fileName, button);
  return button;
}

QWidget* TFormOptions::CreateCardsPage() {
  auto* page = new QWidget;
  comboBox1_ = Place<QComboBox>(page, "ComboBox1", QRect(10, 10, 280, 26));
  comboBox1_->setMaxVisibleItems(16);
  connect(comboBox1_, &QComboBox::currentIndexChanged, this, &TFormOptions::ComboBox1Change);
  image1_ = Place<QLabel>(page, "Image1", QRect(10, 50, 258, 94));
  AddDownloadButton(page, kCardsA, QStringLiteral("06A"), QRect(300, 10, 60, 28));
  AddDownloadButton(page, kCardsB, QStringLiteral("06B"), QRect(365, 10, 60, 28));
  AddDownloadButton(page, kCardsC, QStringLiteral("06C"), QRect(430, 10, 45, 28));
  return page;
}

QWidget* TFormOptions::CreateDecksPage() {
  auto* page = new QWidget;
  comboBox2_ = Place<QComboBox>(page, "ComboBox2", QRect(10, 10, 280, 26));
  connect(comboBox2_, &QComboBox::currentIndexChanged, this, &TFormOptions::ComboBox2Change);
  radioGroup2_ = Place<QGroupBox>(page, "RadioGroup2", QRect(10, 50, 280, 116));
  backModeGroup_ = new QButtonGroup(this);
  for (int i = 0; i < 3; ++i) {
    auto* mode = new QRadioButton(radioGroup2_);
    mode->setGeometry(12, 24 + 28 * i, 260, 24);
    backModeGroup_->addButton(mode, i);
    backModes_[static_cast<std::size_t>(i)] = mode;
  }
  connect(backModeGroup_, &QButtonGroup::idClicked, this, &TFormOptions::RadioGroup2Click);
  AddDownloadButton(page, kCardsB, QStringLiteral("06B"), QRect(300, 10, 60, 28));
  return page;
}

QWidget* TFormOptions::CreateGamePage() {
  auto* page = new QWidget;
  groupMinor_ = Place<QGroupBox>(page, "GroupBoxMinor", QRect(10, 10, 460, 60));
  checkBoxes_[5] = new QCheckBox(groupMinor_);
  checkBoxes_[5]->setObjectName(QStringLiteral("CheckBox5"));
  checkBoxes_[5]->setGeometry(12, 26, 436, 24);
  groupMain_ = Place<QGroupBox>(page, "GroupBoxMain", QRect(10, 80, 460, 60));
  checkBoxes_[8] = new QCheckBox(groupMain_);
  checkBoxes_[8]->setObjectName(QStringLiteral("CheckBox8"));
  checkBoxes_[8]->setGeometry(12, 26, 436, 24);
  for (QCheckBox* box : {checkBoxes_[5], checkBoxes_[8]})
    connect(box, &QCheckBox::clicked, this, [this, box] { CheckBoxClick(box); });
  return page;
}

QWidget* TFormOptions::CreateFontsPage() {
  auto* page = new QWidget;
  comboBoxFont_ = Place<QComboBox>(page, "ComboBoxFont", QRect(10, 10, 220, 26));
  connect(comboBoxFont_, &QComboBox::currentIndexChanged, this, &TFormOptions::ComboBoxFontChange);
  fontComboBox1_ = Place<QFontComboBox>(page, "FontComboBox1", QRect(10, 46, 300, 26));
  connect(fontComboBox1_, &QFontComboBox::currentFontChanged, this, &TFormOptions::FontComboBox1Change);
  labelScale_ = Place<QLabel>(page, "LabelScale", QRect(320, 10, 150, 20));
  spinEdit1_ = Place<QSpinBox>(page, "SpinEdit1", QRect(320, 46, 80, 26));
  // The field takes any number typed; values outside 50..150 are ignored.
  spinEdit1_->setRange(0, 999);
  spinEdit1_->setKeyboardTracking(false);
  connect(spinEdit1_, &QSpinBox::valueChanged, this, &TFormOptions::SpinEdit1Change);
  button2_ = Place<TQorCardsButton>(page, "Button2", QRect(320, 86, 150, 30));
  connect(button2_, &QPushButton::clicked, this, &TFormOptions::Button2Click);
  label1_ = Place<QLabel>(page, "Label1", QRect(10, 130, 460, 90));
  label1_->setWordWrap(true);
  label1_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  return page;
}

QWidget* TFormOptions::CreateBackgroundPage() {
  auto* page = new QWidget;
  labelBG_ = Place<QLabel>(page, "LabelBG", QRect(10, 8, 220, 20));
  comboBoxBG1_ = Place<QComboBox>(page, "ComboBoxBG1", QRect(10, 28, 220, 26));
  comboBoxBG2_ = Place<QComboBox>(page, "ComboBoxBG2", QRect(10, 64, 220, 26));
  connect(comboBoxBG1_, &QComboBox::currentIndexChanged, this, &TFormOptions::ComboBoxBGChange);
  connect(comboBoxBG2_, &QComboBox::currentIndexChanged, this, &TFormOptions::ComboBoxBGChange);
  AddDownloadButton(page, kBackgrounds, kBackgrounds, QRect(250, 28, 200, 28));
  return page;
}

QWidget* TFormOptions::CreateSaveGamesPage() {
  auto* page = new QWidget;
  checkBoxSG1_ = Place<QCheckBox>(page, "CheckBoxSG1", QRect(10, 10, 460, 24));
  connect(checkBoxSG1_, &QCheckBox::clicked, this, [this] { CheckBoxClick(checkBoxSG1_); });
  comboBoxSG1_ = Place<QComboBox>(page, "ComboBoxSG1", QRect(10, 44, 400, 26));
  connect(comboBoxSG1_, &QComboBox::currentIndexChanged, this, &TFormOptions::ComboBoxSG1Change);
  labelSG1_ = Place<QLabel>(page, "LabelSG1", QRect(10, 82, 300, 20));
  spinEditSG1_ = Place<QSpinBox>(page, "SpinEditSG1", QRect(10, 104, 100, 26));
  spinEditSG1_->setRange(10, 5000);
  spinEditSG1_->setKeyboardTracking(false);
  connect(spinEditSG1_, &QSpinBox::valueChanged, this, &TFormOptions::SpinEditSG1Change);
  return page;
}

QWidget* TFormOptions::CreateModulesPage() {
  auto* page = new QWidget;
  const QStringList& files = DownloadableFiles();
  for (int i = 0; i < files.size(); ++i) {
    const int column = i % 3;
    const int row = i / 3;
    AddDownloadButton(page, files[i], files[i], QRect(8 + 158 * column, 8 + 34 * row, 152, 28));
  }
  rgRadio_ = Place<QGroupBox>(page, "RGRadio", QRect(8, 118, 310, 88));
  auto* sources = new QButtonGroup(this);
  for (int i = 0; i < 2; ++i) {
    auto* source = new QRadioButton(rgRadio_);
    source->setGeometry(12, 24 + 28 * i, 290, 24);
    sources->addButton(source, i);
    radioSources_[static_cast<std::size_t>(i)] = source;
  }
  connect(sources, &QButtonGroup::idClicked, this, &TFormOptions::RGRadioClick);
  return page;
}

QWidget* TFormOptions::CreateDesignPage() {
  auto* page = new QWidget;
  const char* labels[] = {"LabelD1", "LabelD2", "LabelD3"};
  const char* lists[] = {"ComboBoxD1", "ComboBoxD2", "ComboBoxD3"};
  for (std::size_t i = 0; i < 3; ++i) {
    const int top = 6 + 50 * static_cast<int>(i);
    labelsD_[i] = Place<QLabel>(page, labels[i], QRect(10, top, 300, 20));
    comboBoxesD_[i] = Place<QComboBox>(page, lists[i], QRect(10, top + 20, 260, 26));
  }
  connect(comboBoxesD_[0], &QComboBox::currentIndexChanged, this, &TFormOptions::ComboBoxD1Change);
  connect(comboBoxesD_[1], &QComboBox::currentIndexChanged, this, &TFormOptions::ComboBoxD2Change);
  connect(comboBoxesD_[2], &QComboBox::currentIndexChanged, this, &TFormOptions::ComboBoxD3Change);
  groupSalute_ = Place<QGroupBox>(page, "GroupBoxSalute", QRect(290, 6, 180, 88));
  const char* boxes[] = {"CheckBoxD1", "CheckBoxD2"};
  for (std::size_t i = 0; i < 2; ++i) {
    checkBoxesD_[i] = new QCheckBox(groupSalute_);
    checkBoxesD_[i]->setObjectName(QLatin1String(boxes[i]));
    checkBoxesD_[i]->setGeometry(12, 24 + 28 * static_cast<int>(i), 160, 24);
    QCheckBox* box = checkBoxesD_[i];
    connect(box, &QCheckBox::clicked, this, [this, box] { CheckBoxClick(box); });
  }
  AddDownloadButton(page, kGraphics, kGraphics, QRect(290, 106, 180, 28));
  return page;
}

// ---------------------------------------------------------------------------
// Settings into the controls, texts and design

void TFormOptions::PutSettings() {
  const Settings& s = settings_;
  const auto set = [](auto* widget, auto&& apply) {
    const QSignalBlocker quiet(widget);
    apply(widget);
  };
  set(comboBoxLan_, [&](QComboBox* w) { w->setCurrentIndex(s.Language < kLanguageCount ? s.Language : 0); });
  set(checkBoxNet_, [&](QCheckBox* w) { w->setChecked(s.NetGame); });
  const bool flags[] = {false, s.SoundOn, s.MusicOn, s.GifAnimation, s.FlyCards, s.GameTo8, false, false, s.DeadHeat};
  for (std::size_t n = 1; n < checkBoxes_.size(); ++n)
    if (checkBoxes_[n] != nullptr) set(checkBoxes_[n], [&](QCheckBox* w) { w->setChecked(flags[n]); });
  set(checkBoxCur_, [&](QCheckBox* w) { w->setChecked(s.OwnCursor); });
  set(checkBoxBut_, [&](QCheckBox* w) { w->setChecked(s.NewButtons); });
  set(checkBoxSG1_, [&](QCheckBox* w) { w->setChecked(s.SaveGif); });
  set(spinEditSG1_, [&](QSpinBox* w) { w->setValue(s.GifDelay); });
  set(radioSources_[0], [&](QRadioButton* w) { w->setChecked(s.RadioListFromServer); });
  set(radioSources_[1], [&](QRadioButton* w) { w->setChecked(!s.RadioListFromServer); });
  // Lists whose entries come from the word table get their positions after
  // ApplyLanguage has filled them (SelectListEntries).
}

void TFormOptions::SelectListEntries() {
  const Settings& s = settings_;
  const auto select = [](QComboBox* list, int index) {
    const QSignalBlocker quiet(list);
    list->setCurrentIndex(index < list->count() ? index : -1);
  };
  select(comboBoxWSize_, s.WindowSize - 1);
  select(comboBox1_, s.CardDeck);
  select(comboBox2_, s.BackDeck);
  select(comboBoxBG1_, s.BackgroundSet - 1);
  select(comboBoxBG2_, s.BackgroundSet == 0 ? -1 : s.BackgroundVariant);
  select(comboBoxSG1_, s.GifArea - 1);
  select(comboBoxesD_[0], s.MenuDesignPurple ? 1 : 0);
  select(comboBoxesD_[1], s.TableDesignPurple ? 1 : 0);
  select(comboBoxesD_[2], DialogDesignEntry(s));
  UpdateBackModes();
  UpdateBackgroundLists();
  UpdateSaveGames();
  UpdateDownloadButtons();
  UpdateSaluteBoxes();
  ShowFontSlot();
  DrawSampleCards();
  button3_->setText(Text(WordId::Speed) + QStringLiteral(" = ") + QString::number(s.Speed));
}

QString TFormOptions::Text(WordId id, int row) const { return FromUtf8(Word(id, settings_.Language, row)); }

void TFormOptions::ApplyLanguage() {
  const int language = settings_.Language;
  setWindowTitle(Text(WordId::Options));
  for (int page = 0; page < kPageCount; ++page) pages_->setTabText(page, Text(WordId::OptionsPages, page));
  button1_->setText(Text(WordId::DialogOk));
  flag_->setPixmap(FlagOf(language, true));

  labelLan_->setText(Text(WordId::LanguageLabel));
  checkBoxNet_->setText(Text(WordId::Multiplayer));
  labelWSize_->setText(Text(WordId::WindowSizeLabel));
  {
    const QSignalBlocker quiet(comboBoxWSize_);
    comboBoxWSize_->clear();
    const int entries = WindowSizeEntries(host_.ScreenSize());
    for (int size = 1; size <= entries; ++size) {
      const QSize client = host_.ClientSizeOf(size);
      comboBoxWSize_->addItem(Text(WordId::WindowSizes, size - 1));
      comboBoxWSize_->setItemData(size - 1, QStringLiteral("%1 x %2").arg(client.width()).arg(client.height()),
                                  Qt::ToolTipRole);
    }
  }
  checkBoxes_[1]->setText(Text(WordId::Sound));
  checkBoxes_[2]->setText(Text(WordId::Music));
  checkBoxes_[3]->setText(Text(WordId::GifAnimation));
  checkBoxes_[4]->setText(Text(WordId::FlyCards));
  checkBoxCur_->setText(Text(WordId::RedMouseCursor));
  checkBoxBut_->setText(Text(WordId::NewButtons));
  button4_->setText(Text(WordId::Passport));

  {
    const QSignalBlocker quiet(comboBox1_);
    comboBox1_->clear();
    for (int deck = 0; deck < WordRows(WordId::DeckNames); ++deck)
      comboBox1_->addItem(QIcon(FlagOf(DeckCountry(deck))), Text(WordId::DeckNames, deck));
  }
  FillList(comboBox2_, WordId::BackNames, language, WordRows(WordId::BackNames));
  radioGroup2_->setTitle(Text(WordId::Modification));
  for (int i = 0; i < 3; ++i) backModes_[static_cast<std::size_t>(i)]->setText(Text(WordId::BackModes, i));

  groupMinor_->setTitle(Text(WordId::GroupMinor));
  groupMain_->setTitle(Text(WordId::GroupMain));
  checkBoxes_[5]->setText(Text(WordId::GameTo8Numbers));
  checkBoxes_[8]->setText(Text(WordId::DeadHeat));

  {
    const QSignalBlocker quiet(comboBoxFont_);
    const int at = std::max(comboBoxFont_->currentIndex(), 0);
    comboBoxFont_->clear();
    comboBoxFont_->addItem(Text(WordId::LargeFont));
    comboBoxFont_->addItem(Text(WordId::SmallFont));
    comboBoxFont_->addItem(Text(WordId::SpecialFont) + QStringLiteral(" 1"));
    comboBoxFont_->addItem(Text(WordId::SpecialFont) + QStringLiteral(" 2"));
    comboBoxFont_->setCurrentIndex(at);
  }
  labelScale_->setText(Text(WordId::ScalePercent));
  button2_->setText(Text(WordId::Default));
  QString attention = Text(WordId::FontsAttention);
  attention.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
  label1_->setText(attention);

  labelBG_->setText(Text(WordId::Background));
  FillList(comboBoxBG1_, WordId::BackgroundNames, language, WordRows(WordId::BackgroundNames));
  FillList(comboBoxBG2_, WordId::BackgroundVariants, language, WordRows(WordId::BackgroundVariants));

  checkBoxSG1_->setText(Text(WordId::SaveGamesAsGifs));
  FillList(comboBoxSG1_, WordId::GifAreas, language, 2);
  labelSG1_->setText(Text(WordId::DelayBetweenFrames));

  rgRadio_->setTitle(Text(WordId::RadioListReading));
  for (int i = 0; i < 2; ++i) radioSources_[static_cast<std::size_t>(i)]->setText(Text(WordId::RadioListSources, i));

  labelsD_[0]->setText(Text(WordId::MainMenuDesign));
  labelsD_[1]->setText(Text(WordId::GameTableDesign));
  labelsD_[2]->setText(Text(WordId::AuxWindowDesign));
  FillList(comboBoxesD_[0], WordId::DesignKinds, language, 2);
  FillList(comboBoxesD_[1], WordId::DesignKinds, language, 2);
  FillList(comboBoxesD_[2], WordId::DialogDesigns, language, 4);
  groupSalute_->setTitle(Text(WordId::Salute));
  checkBoxesD_[0]->setText(Text(WordId::SaluteButtons));
  checkBoxesD_[1]->setText(Text(WordId::SaluteCards));

  for (const auto& [file, button] : downloads_)
    button->setToolTip(QStringLiteral("<b>") + Text(WordId::Download).toHtmlEscaped() + QStringLiteral("</b><br>") +
                       file.toHtmlEscaped());
  DrawHeader();
  SelectListEntries();
}

void TFormOptions::DrawHeader() {
  QImage picture = host_.GraphicsPicture(QStringLiteral("GFormOpt") + FromUtf8(PictureSuffix(settings_.Language)));
  if (picture.isNull()) {
    // Without the graphics module: the dialog's name on a band in the
    // design's colours.
    picture = QImage(header_->size(), QImage::Format_ARGB32_Premultiplied);
    // The look's plain colour, not the palette: the purple ground may be a
    // picture brush.
    const QColor ground = DialogLookFor(settings_).window;
    QPainter painter(&picture);
    QLinearGradient band(0, 0, picture.width(), 0);
    band.setColorAt(0, ground.darker(160));
    band.setColorAt(1, ground);
    painter.fillRect(picture.rect(), band);
    QFont font = this->font();
    font.setPixelSize(26);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(ground.lightness() > 100 ? QColor(255, 255, 255) : kPurpleText);
    painter.drawText(picture.rect().adjusted(settings_.DialogDesignPurple ? 96 : 16, 0, 0, 0),
                     Qt::AlignVCenter | Qt::AlignLeft, Text(WordId::Options));
  }
  header_->setPixmap(QPixmap::fromImage(picture.scaled(header_->size(), Qt::IgnoreAspectRatio,
                                                       Qt::SmoothTransformation)));
}

void TFormOptions::ApplyDesign() {
  ApplyDialogDesign(this, settings_);
  DrawHeader();
  iconStrip_ = settings_.DialogDesignPurple ? host_.GraphicsPicture(QStringLiteral("GIcon48Opt")) : QImage();
  iconFrame_ = 0;
  icon_->setVisible(!iconStrip_.isNull());
  if (iconStrip_.isNull()) {
    iconTimer_.stop();
  } else {
    NextIconFrame();
    iconTimer_.start();
  }
}

void TFormOptions::NextIconFrame() {
  // The icon's frames lie side by side, 48 pixels wide each.
  const int frames = std::max(iconStrip_.width() / 48, 1);
  icon_->setPixmap(QPixmap::fromImage(iconStrip_.copy((iconFrame_ % frames) * 48, 0, 48, 48)));
  iconFrame_ = (iconFrame_ + 1) % frames;
}

void TFormOptions::showEvent(QShowEvent* event) {
  host_.ApplyCursors(this);
  QDialog::showEvent(event);
}

// ---------------------------------------------------------------------------
// State of dependent controls

void TFormOptions::UpdateBackModes() {
  const bool random = IsRandomBackSet(settings_.BackDeck);
  backModes_[0]->setEnabled(!random);
  backModes_[1]->setEnabled(!random);
  backModes_[2]->setEnabled(random);
  const int mode = random ? 2 : settings_.SameBack ? 1 : 0;
  backModes_[static_cast<std::size_t>(mode)]->setChecked(true);
}

void TFormOptions::UpdateBackgroundLists() {
  const bool bothPurple = settings_.MenuDesignPurple && settings_.TableDesignPurple;
  comboBoxBG1_->setEnabled(!bothPurple);
  comboBoxBG2_->setEnabled(!bothPurple && settings_.BackgroundSet != 0);
}

void TFormOptions::UpdateSaveGames() {
  // A game is recorded only in the small window; elsewhere the page shows
  // the setting (off there) disabled.
  const bool small = settings_.WindowSize == 1;
  {
    const QSignalBlocker quiet(checkBoxSG1_);
    checkBoxSG1_->setChecked(settings_.SaveGif);
  }
  checkBoxSG1_->setEnabled(small);
  comboBoxSG1_->setEnabled(small && settings_.SaveGif);
  spinEditSG1_->setEnabled(small && settings_.SaveGif);
}

bool TFormOptions::ModuleExists(const QString& fileName) const {
  return !FindModule(QStringList{host_.ProgramFolder(), host_.DataFolder()}, fileName).isEmpty();
}

void TFormOptions::UpdateDownloadButtons() {
  for (const auto& [file, button] : downloads_) button->setEnabled(!ModuleExists(file));
}

void TFormOptions::UpdateSaluteBoxes() {
  const bool graphics = ModuleExists(kGraphics);
  const bool values[] = {settings_.SaluteButtons, settings_.SaluteCards};
  for (std::size_t i = 0; i < 2; ++i) {
    const QSignalBlocker quiet(checkBoxesD_[i]);
    checkBoxesD_[i]->setEnabled(graphics);
    checkBoxesD_[i]->setChecked(graphics && values[i]);
  }
}

void TFormOptions::DrawSampleCards() {
  const std::array<QImage, 4> cards = host_.SampleCards();
  QPixmap strip(image1_->size());
  strip.fill(Qt::transparent);
  QPainter painter(&strip);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  for (std::size_t i = 0; i < cards.size(); ++i) {
    if (cards[i].isNull()) continue;
    painter.drawImage(QRect(63 * static_cast<int>(i), 0, 69, 94), cards[i]);
  }
  painter.end();
  image1_->setPixmap(strip);
}

void TFormOptions::ShowFontSlot() {
  const int slot = std::max(comboBoxFont_->currentIndex(), 0);
  const QSignalBlocker quietName(fontComboBox1_);
  const QSignalBlocker quietScale(spinEdit1_);
  fontComboBox1_->setCurrentFont(QFont(QString::fromStdString(FontName(settings_, slot))));
  spinEdit1_->setValue(FontScale(settings_, slot));
}

// ---------------------------------------------------------------------------
// Handlers

void TFormOptions::ComboBoxLanChange() {
  const int language = comboBoxLan_->currentIndex();
  if (language < 0 || language >= kLanguageCount) return;
  settings_.Language = static_cast<std::uint8_t>(language);
  host_.ApplyLanguage();
  ApplyLanguage();
}

void TFormOptions::CheckBoxNetClick() {
  settings_.NetGame = checkBoxNet_->isChecked();
  host_.NetGameChanged();
}

void TFormOptions::ComboBoxWSizeChange() {
  const int index = comboBoxWSize_->currentIndex();
  if (index < 0) return;
  settings_.WindowSize = static_cast<std::uint8_t>(index + 1);
  if (initialising_) return;
  host_.ApplyWindowSize();
  // The new size may have changed the deck (a missing module) and the
  // recording switch.
  SelectListEntries();
}

void TFormOptions::CheckBoxClick(QCheckBox* box) {
  const bool on = box->isChecked();
  if (box == checkBoxes_[1]) {
    settings_.SoundOn = on;
    host_.PlaySettingsChanged();
  } else if (box == checkBoxes_[2]) {
    settings_.MusicOn = on;
    host_.MusicChanged();
  } else if (box == checkBoxes_[3]) {
    settings_.GifAnimation = on;
    host_.GifAnimationChanged();
  } else if (box == checkBoxes_[4]) {
    settings_.FlyCards = on;
    host_.PlaySettingsChanged();
  } else if (box == checkBoxes_[5]) {
    settings_.GameTo8 = on;
    host_.PlaySettingsChanged();
  } else if (box == checkBoxes_[8]) {
    settings_.DeadHeat = on;
    host_.PlaySettingsChanged();
  } else if (box == checkBoxCur_) {
    settings_.OwnCursor = on;
    host_.ApplyCursors(this);
  } else if (box == checkBoxBut_) {
    settings_.NewButtons = on;
    ApplyNewButtons(this, on);
    host_.ButtonsChanged();
  } else if (box == checkBoxSG1_) {
    settings_.SaveGif = on;
    UpdateSaveGames();
  } else if (box == checkBoxesD_[0]) {
    settings_.SaluteButtons = on;
  } else if (box == checkBoxesD_[1]) {
    settings_.SaluteCards = on;
  }
}

void TFormOptions::Button3Click() {
  host_.OpenSpeedWindow(this);
  button3_->setText(Text(WordId::Speed) + QStringLiteral(" = ") + QString::number(settings_.Speed));
}

void TFormOptions::Button4Click() {
  TFormPassport passport(settings_, this);
  passport.exec();
}

void TFormOptions::ComboBox1Change() {
  const int deck = comboBox1_->currentIndex();
  if (deck < 0) return;
  settings_.CardDeck = static_cast<std::uint8_t>(deck);
  // A missing module has been told and has put the deck back to 0; the
  // backs may have fallen back with it.
  host_.LoadDeck();
  SelectListEntries();
}

void TFormOptions::ComboBox2Change() {
  const int back = comboBox2_->currentIndex();
  if (back < 0) return;
  settings_.BackDeck = static_cast<std::uint8_t>(back);
  // Leaving a random set for a fixed one changes to the daily backs.
  if (!IsRandomBackSet(back) && backModes_[2]->isChecked()) settings_.SameBack = false;
  host_.LoadBacks();
  SelectListEntries();
}

void TFormOptions::RadioGroup2Click() { settings_.SameBack = backModeGroup_->checkedId() == 1; }

void TFormOptions::ComboBoxFontChange() { ShowFontSlot(); }

void TFormOptions::FontComboBox1Change() {
  FontName(settings_, comboBoxFont_->currentIndex()) = fontComboBox1_->currentFont().family().toStdString();
  host_.ApplyFonts();
}

void TFormOptions::SpinEdit1Change() {
  const int scale = spinEdit1_->value();
  if (scale < kLowestScale || scale > kHighestScale) return;
  FontScale(settings_, comboBoxFont_->currentIndex()) = scale;
  host_.ApplyFonts();
}

void TFormOptions::Button2Click() {
  Settings defaults;
  for (int slot = 0; slot < kFontSlots; ++slot) {
    FontName(settings_, slot) = FontName(defaults, slot);
    FontScale(settings_, slot) = FontScale(defaults, slot);
  }
  ShowFontSlot();
  host_.ApplyFonts();
}

void TFormOptions::ComboBoxBGChange() {
  const int set = comboBoxBG1_->currentIndex();
  if (set < 0) return;
  settings_.BackgroundSet = set + 1;
  settings_.BackgroundVariant = std::max(comboBoxBG2_->currentIndex(), 0);
  // The purple menu design shows its own picture; the set is kept for the
  // customizable one. A missing module falls back to set 2, variant 0.
  if (!settings_.MenuDesignPurple) host_.ReloadBackground();
  SelectListEntries();
}

void TFormOptions::ComboBoxSG1Change() {
  const int area = comboBoxSG1_->currentIndex();
  if (area >= 0) settings_.GifArea = area + 1;
}

void TFormOptions::SpinEditSG1Change() { settings_.GifDelay = spinEditSG1_->value(); }

void TFormOptions::RGRadioClick() {
  settings_.RadioListFromServer = radioSources_[0]->isChecked();
  host_.RadioListChanged();
}

bool TFormOptions::GraphicsModuleReady() {
  if (!host_.GraphicsPicture(QStringLiteral("GIcon48Opt")).isNull()) return true;
  settings_.MenuDesignPurple = false;
  settings_.TableDesignPurple = false;
  settings_.DialogDesignPurple = false;
  settings_.DialogScheme = 2;
  host_.ShowMessage(this, Text(WordId::CantFindFile) + QLatin1Char(' ') + kGraphics);
  return false;
}

void TFormOptions::ComboBoxD1Change() {
  settings_.MenuDesignPurple = comboBoxesD_[0]->currentIndex() == 1;
  // Without the graphics module the reload switches the purple designs off
  // and says so.
  host_.ReloadBackground();
  SelectListEntries();
}

void TFormOptions::ComboBoxD2Change() {
  settings_.TableDesignPurple = comboBoxesD_[1]->currentIndex() == 1;
  if (settings_.TableDesignPurple && !GraphicsModuleReady()) {
    host_.ReloadBackground();
    ApplyDesign();
  }
  SelectListEntries();
}

void TFormOptions::ComboBoxD3Change() {
  const int entry = comboBoxesD_[2]->currentIndex();
  if (entry < 0) return;
  settings_.DialogDesignPurple = entry == 3;
  if (entry < 3) settings_.DialogScheme = static_cast<std::uint8_t>(entry == 0 ? 2 : entry == 1 ? 1 : 3);
  if (settings_.DialogDesignPurple && !GraphicsModuleReady()) host_.ReloadBackground();
  ApplyDesign();
  SelectListEntries();
}

void TFormOptions::DownloadClick(const QString& fileName) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const QString folder = DownloadTargetFolder(host_.ProgramFolder(), host_.DataFolder());
  const DownloadResult result = DownloadFile(host_.DownloadAddress(fileName), folder, fileName);
  QApplication::restoreOverrideCursor();
  host_.PlayEffectSound(result == DownloadResult::Done ? "WToMenK" : "WWrongs");
  UpdateDownloadButtons();
  UpdateSaluteBoxes();
}

void TFormOptions::Button1Click() { accept(); }

void TFormOptions::done(int result) {
  iconTimer_.stop();
  rememberedPage = pages_->currentIndex();
  // Written now rather than at the program's end, so that a crash later
  // does not lose what was chosen here.
  host_.WriteSettings();
  QDialog::done(result);
}

// ---------------------------------------------------------------------------
// Access for tests

QCheckBox* TFormOptions::CheckBox(int n) const {
  if (n < 1 || n >= static_cast<int>(checkBoxes_.size())) return nullptr;
  return checkBoxes_[static_cast<std::size_t>(n)];
}

QComboBox* TFormOptions::ComboBoxD(int n) const {
  return n >= 1 && n <= 3 ? comboBoxesD_[static_cast<std::size_t>(n - 1)] : nullptr;
}

QCheckBox* TFormOptions::CheckBoxD(int n) const {
  return n >= 1 && n <= 2 ? checkBoxesD_[static_cast<std::size_t>(n - 1)] : nullptr;
}

std::vector<TQorCardsButton*> TFormOptions::DownloadButtons(const QString& fileName) const {
  std::vector<TQorCardsButton*> buttons;
  for (const auto& [file, button] : downloads_)
    if (file == fileName) buttons.push_back(button);
  return buttons;
}

}  // namespace tarvel
