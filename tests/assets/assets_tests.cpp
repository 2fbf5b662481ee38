// The compiled-in pictures and the test modules, checked as the table will
// load them: by resource name, through Qt's image readers.

#include <gtest/gtest.h>

#include <QColor>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QResource>
#include <QString>
#include <QStringList>

#include <cmath>
#include <set>
#include <vector>

#include "tarvel_assets.h"

namespace tarvel {
namespace {

struct Expected {
  QString name;  // resource name without extension
  int width;
  int height;
};

const QStringList kSuitParts = {"Ch", "Bu", "Kr", "Pi"};
const QStringList kRankParts = {"09", "10", "2J", "3Q", "4K", "5A"};
const QStringList kSymbols = {"Cher", "Bubi", "Kres", "Piki"};
const QStringList kDays = {"Ob01Mo", "Ob02Tu", "Ob03We", "Ob04Th", "Ob05Fr", "Ob06Su", "Ob07Su"};
const QStringList kLettered = {"Eng", "Rus", "Deu", "Fra", "Spa", "Chi", "Ita", "Cze"};
const QStringList kFlags = {"Eng", "Rus", "Deu", "Fra", "Spa", "Chi", "Ita", "Cze", "Jap", "Kor"};

QStringList FaceNames(const QString& code, const QString& size) {
  QStringList names;
  for (const QString& rank : kRankParts)
    for (const QString& suit : kSuitParts) names << suit + rank + code + size;
  return names;
}

// Every PNG picture the table, the window and the menus ask for, with its size.
std::vector<Expected> CompiledInPictures() {
  std::vector<Expected> list;
  for (const QString& name : FaceNames("", "")) list.push_back({name, 69, 94});
  for (const QString& name : FaceNames("", "B")) list.push_back({name, 146, 198});
  for (const QString& name : kSymbols) {
    list.push_back({name, 20, 20});
    list.push_back({name + "B", 40, 40});
  }
  for (const QString& day : kDays) {
    list.push_back({day, 69, 94});
    list.push_back({day + "B", 146, 198});
  }
  const std::vector<Expected> table = {
      {"TabloSm", 155, 95},        {"TabloBg", 310, 190},      {"Hand_Up", 40, 60},
      {"Hand_Down", 40, 60},       {"HandIconUp", 20, 30},     {"HandIconDown", 20, 30},
      {"RamkaBBSm", 120, 150},     {"RamkaBBBg", 240, 300},    {"RamkaERSm", 130, 90},
      {"RamkaERBg", 260, 180},     {"GKolodaLarge", 60, 60},   {"GKolodaLargeB", 120, 120},
      {"GTimerR", 64, 64},         {"GTimerY", 64, 64},        {"CURARROW", 32, 32},
      {"PngMenu1", 160, 200},      {"PngMenu2", 160, 200},     {"Logo", 64, 64},
  };
  list.insert(list.end(), table.begin(), table.end());
  for (const QString plate : {"SPBlue", "SPGreen", "SPRed", "SPYellow", "SPFiolet"}) {
    list.push_back({plate, 160, 20});
    list.push_back({plate + QString("B"), 320, 40});
  }
  for (const QString& lang : kLettered) {
    list.push_back({"Cap" + lang, 400, 70});
    list.push_back({"Cap" + lang + "B", 800, 140});
    for (const QString kind : {"Elite", "Net__"}) {
      list.push_back({kind + lang, 350, 40});
      list.push_back({kind + lang + "B", 700, 80});
    }
  }
  for (const QString& lang : kFlags) {
    list.push_back({"FlagO" + lang, 14, 12});
    list.push_back({"FlagO" + lang + "B", 28, 24});
  }
  return list;
}

QImage Load(const QString& path) {
  QImage image(path);
  return image.convertToFormat(QImage::Format_ARGB32);
}

QImage Builtin(const QString& name) { return Load(":/tarvel/" + name + ".png"); }

int OpaqueCount(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += qAlpha(image.pixel(x, y)) > 128;
  return count;
}

// Pixels in a rectangle that are clearly red (hearts, diamonds) or clearly dark ink.
struct Ink {
  int red = 0;
  int dark = 0;
};

Ink InkIn(const QImage& image, const QRect& area) {
  Ink ink;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const QColor c = QColor::fromRgba(image.pixel(x, y));
      if (c.alpha() < 200) continue;
      if (c.red() > 150 && c.green() < 90 && c.blue() < 100) ++ink.red;
      if (c.red() < 70 && c.green() < 70 && c.blue() < 70) ++ink.dark;
    }
  }
  return ink;
}

TEST(CompiledIn, EveryPictureExistsAtItsExactSize) {
  for (const Expected& e : CompiledInPictures()) {
    SCOPED_TRACE(e.name.toStdString());
    const QImage image = Builtin(e.name);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), e.width);
    EXPECT_EQ(image.height(), e.height);
    EXPECT_GT(OpaqueCount(image), 0) << "the picture is blank";
  }
}

TEST(CompiledIn, InitialisingTwiceKeepsOneTree) {
  InitTarvelAssets();
  InitTarvelAssets();
  EXPECT_TRUE(QFile::exists(":/tarvel/Ch09.png"));
  EXPECT_FALSE(QFile::exists(":/tarvel/Ch08.png"));
}

TEST(CompiledIn, FacesAndBacksAllDiffer) {
  for (const QString& size : {QString(), QString("B")}) {
    std::vector<QImage> pictures;
    QStringList names = FaceNames("", size);
    for (const QString& day : kDays) names << day + size;
    for (const QString& name : names) pictures.push_back(Builtin(name));
    for (size_t i = 0; i < pictures.size(); ++i) {
      for (size_t j = i + 1; j < pictures.size(); ++j) {
        EXPECT_NE(pictures[i], pictures[j]) << names[i].toStdString() << " == " << names[j].toStdString();
      }
    }
  }
}

TEST(CompiledIn, SmallFacesAreOpaqueLargeFacesHaveRoundCorners) {
  for (const QString& name : FaceNames("", "")) {
    const QImage image = Builtin(name);
    EXPECT_EQ(OpaqueCount(image), image.width() * image.height()) << name.toStdString();
  }
  for (const QString& name : FaceNames("", "B")) {
    const QImage image = Builtin(name);
    SCOPED_TRACE(name.toStdString());
    for (const QPoint corner : {QPoint(0, 0), QPoint(145, 0), QPoint(0, 197), QPoint(145, 197)})
      EXPECT_EQ(qAlpha(image.pixel(corner)), 0);
    EXPECT_EQ(qAlpha(image.pixel(73, 99)), 255);
    EXPECT_EQ(qAlpha(image.pixel(73, 1)), 255);
  }
}

// The rank and suit in the top-left corner and, turned round, in the
// bottom-right corner, in the suit's colour.
TEST(CompiledIn, BothCornersCarryTheIndexInTheSuitColour) {
  struct Class {
    QString size;
    QRect topLeft;
    QRect bottomRight;
  };
  const std::vector<Class> classes = {
      {"", QRect(1, 1, 13, 25), QRect(55, 68, 13, 25)},
      {"B", QRect(3, 3, 25, 48), QRect(118, 147, 25, 48)},
  };
  for (const Class& c : classes) {
    for (const QString& rank : kRankParts) {
      for (const QString& suit : kSuitParts) {
        const QString name = suit + rank + c.size;
        SCOPED_TRACE(name.toStdString());
        const QImage image = Builtin(name);
        const bool red = suit == "Ch" || suit == "Bu";
        for (const QRect& area : {c.topLeft, c.bottomRight}) {
          const Ink ink = InkIn(image, area);
          if (red) {
            EXPECT_GT(ink.red, area.width() * area.height() / 12);
            EXPECT_EQ(ink.dark, 0);
          } else {
            EXPECT_GT(ink.dark, area.width() * area.height() / 12);
            EXPECT_EQ(ink.red, 0);
          }
        }
      }
    }
  }
}

TEST(CompiledIn, SuitSymbolsStandOnTransparentGround) {
  for (const QString& symbol : kSymbols) {
    for (const QString& size : {QString(), QString("B")}) {
      const QImage image = Builtin(symbol + size);
      SCOPED_TRACE((symbol + size).toStdString());
      EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
      EXPECT_EQ(qAlpha(image.pixel(image.width() - 1, image.height() - 1)), 0);
      EXPECT_EQ(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 255);
    }
  }
}

double Luma(QRgb c) { return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c); }

// The felt is JPEG, green, lit in the middle, darker at the rim, and grainy.
TEST(CompiledIn, BackgroundsAreTexturedGreenJpegs) {
  for (const Expected& e : std::vector<Expected>{{"FonG", 760, 500}, {"FonGB", 1520, 1000}}) {
    SCOPED_TRACE(e.name.toStdString());
    QImageReader reader(":/tarvel/" + e.name + ".jpg");
    EXPECT_EQ(reader.format(), QByteArray("jpeg"));
    const QImage image = reader.read();
    ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
    EXPECT_EQ(image.size(), QSize(e.width, e.height));
    const QRgb centre = image.pixel(e.width / 2, e.height / 2);
    EXPECT_GT(qGreen(centre), qRed(centre) + 40);
    EXPECT_GT(qGreen(centre), qBlue(centre) + 30);
    double mean = 0, square = 0, rim = 0, middle = 0;
    const int n = 64;
    for (int i = 0; i < n; ++i) {
      const double l = Luma(image.pixel(e.width / 2 - n / 2 + i, e.height / 2));
      mean += l;
      square += l * l;
      middle += l;
      rim += Luma(image.pixel(2 + i, 2));
    }
    mean /= n;
    EXPECT_GT(std::sqrt(square / n - mean * mean), 1.5) << "flat colour, no texture";
    EXPECT_GT(middle / n, rim / n + 15) << "no vignette";
  }
}

TEST(CompiledIn, LetteredPicturesDifferByLanguage) {
  for (const QString kind : {"Elite", "Net__"}) {
    std::set<qint64> seen;
    for (const QString& lang : kLettered) {
      const QImage image = Builtin(kind + lang);
      EXPECT_TRUE(seen.insert(image.cacheKey()).second);
      for (const QString& other : kLettered) {
        if (other != lang) {
          EXPECT_NE(image, Builtin(kind + other)) << (kind + lang + " == " + kind + other).toStdString();
        }
      }
    }
  }
  for (int i = 0; i < kFlags.size(); ++i)
    for (int j = i + 1; j < kFlags.size(); ++j)
      EXPECT_NE(Builtin("FlagO" + kFlags[i]), Builtin("FlagO" + kFlags[j])) << kFlags[i].toStdString();
}

// Pictures drawn on the menu's background must fit inside their own
// rectangle: anything reaching the border was cut off by it.
TEST(CompiledIn, DecorationsAreNotCutOffAtTheirBorder) {
  QStringList names = {"PngMenu1", "PngMenu2", "Logo", "GKolodaLarge", "Hand_Up", "Hand_Down"};
  for (const QString& lang : kLettered) {
    for (const QString& kind : {QString("Cap"), QString("Elite"), QString("Net__")}) {
      names << kind + lang << kind + lang + "B";
    }
  }
  for (const QString& name : names) {
    const QImage image = Builtin(name);
    SCOPED_TRACE(name.toStdString());
    int touching = 0;
    for (int x = 0; x < image.width(); ++x)
      touching += (qAlpha(image.pixel(x, 0)) > 24) + (qAlpha(image.pixel(x, image.height() - 1)) > 24);
    for (int y = 0; y < image.height(); ++y)
      touching += (qAlpha(image.pixel(0, y)) > 24) + (qAlpha(image.pixel(image.width() - 1, y)) > 24);
    EXPECT_EQ(touching, 0);
  }
}

TEST(Cursors, OwnCursorsHaveEveryFrameAndAHotSpotOnThePicture) {
  const std::vector<CursorInfo> cursors = OwnCursorInfos();
  ASSERT_EQ(cursors.size(), 4u);
  std::set<QString> names;
  for (const CursorInfo& cursor : cursors) {
    SCOPED_TRACE(cursor.name.toStdString());
    names.insert(cursor.name);
    if (cursor.name == "CURARROW") {
      EXPECT_EQ(cursor.frames, 1);
    } else {
      EXPECT_GT(cursor.frames, 1);
      EXPECT_GT(cursor.delayMs, 0);
    }
    for (const QString& frame : cursor.FrameNames()) {
      SCOPED_TRACE(frame.toStdString());
      const QImage image = Builtin(frame);
      ASSERT_EQ(image.size(), QSize(kCursorSize, kCursorSize));
      int near = 0;
      for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
          if (image.rect().contains(cursor.hotX + dx, cursor.hotY + dy))
            near += qAlpha(image.pixel(cursor.hotX + dx, cursor.hotY + dy)) > 0;
      EXPECT_GT(near, 0) << "hot spot on empty ground";
      EXPECT_LT(OpaqueCount(image), kCursorSize * kCursorSize / 2) << "a cursor needs a see-through ground";
    }
  }
  EXPECT_EQ(names, (std::set<QString>{"CURARROW", "CURHAND", "CURWAIT", "CUREDIT"}));
}

TEST(Cursors, FrameNamesFollowTheConvention) {
  CursorInfo still{"CURARROW", 1, 0, 2, 1};
  EXPECT_EQ(still.FrameNames(), QStringList{"CURARROW"});
  CursorInfo moving{"CURWAIT", 3, 80, 16, 16};
  EXPECT_EQ(moving.FrameNames(), (QStringList{"CURWAIT_1", "CURWAIT_2", "CURWAIT_3"}));
}

TEST(Cursors, MalformedListsAreDroppedNotTrusted) {
  const char* good = R"("OK":{"frames":2,"delay":50,"hotX":3,"hotY":4})";
  struct Case {
    const char* label;
    QByteArray json;
    int expected;
  };
  const std::vector<Case> cases = {
      {"empty", "", 0},
      {"not json", "{frames", 0},
      {"array", "[1,2]", 0},
      {"null", "null", 0},
      {"truncated", QByteArray("{") + good, 0},
      {"binary", QByteArray("\x00\xff\xfe{", 4), 0},
      {"good alone", QByteArray("{") + good + "}", 1},
      {"entry not an object", QByteArray("{") + good + R"(,"X":5})", 1},
      {"bad name", QByteArray("{") + good + R"(,"../x":{"frames":1,"delay":0,"hotX":0,"hotY":0}})", 1},
      {"empty name", QByteArray("{") + good + R"(,"":{"frames":1,"delay":0,"hotX":0,"hotY":0}})", 1},
      {"name ending in a line feed", QByteArray("{") + good + R"(,"A\n":{"frames":1,"delay":0,"hotX":0,"hotY":0}})", 1},
      {"no frames", QByteArray("{") + good + R"(,"A":{"frames":0,"delay":9,"hotX":0,"hotY":0}})", 1},
      {"too many frames", QByteArray("{") + good + R"(,"A":{"frames":100000,"delay":9,"hotX":0,"hotY":0}})", 1},
      {"negative delay", QByteArray("{") + good + R"(,"A":{"frames":2,"delay":-5,"hotX":0,"hotY":0}})", 1},
      {"animation without delay", QByteArray("{") + good + R"(,"A":{"frames":2,"delay":0,"hotX":0,"hotY":0}})", 1},
      {"hot spot outside", QByteArray("{") + good + R"(,"A":{"frames":1,"delay":0,"hotX":32,"hotY":0}})", 1},
      {"fraction", QByteArray("{") + good + R"(,"A":{"frames":1.5,"delay":0,"hotX":0,"hotY":0}})", 1},
      {"text number", QByteArray("{") + good + R"(,"A":{"frames":"2","delay":9,"hotX":0,"hotY":0}})", 1},
      {"missing field", QByteArray("{") + good + R"(,"A":{"frames":1,"delay":0,"hotX":0}})", 1},
      {"huge number", QByteArray("{") + good + R"(,"A":{"frames":1e300,"delay":0,"hotX":0,"hotY":0}})", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const std::vector<CursorInfo> cursors = ParseCursorInfos(c.json);
    ASSERT_EQ(static_cast<int>(cursors.size()), c.expected);
    if (c.expected == 1) {
      EXPECT_EQ(cursors[0].name, "OK");
      EXPECT_EQ(cursors[0].frames, 2);
      EXPECT_EQ(cursors[0].delayMs, 50);
      EXPECT_EQ(cursors[0].hotX, 3);
      EXPECT_EQ(cursors[0].hotY, 4);
    }
  }
}

// A test module registered as the game registers a resource module.
class ModuleScope {
 public:
  explicit ModuleScope(const QString& base) : path_(QStringLiteral(TARVEL_TESTMODULES_DIR "/") + base + ".rcc") {
    registered_ = QResource::registerResource(path_);
  }
  ~ModuleScope() {
    if (registered_) QResource::unregisterResource(path_);
  }
  bool registered() const { return registered_; }
  const QString& path() const { return path_; }

 private:
  QString path_;
  bool registered_ = false;
};

TEST(TestModules, DeckModuleHoldsTheMedievalDeck) {
  ModuleScope module("QorCards06A");
  ASSERT_TRUE(module.registered()) << module.path().toStdString();
  for (const auto& [size, width, height] : std::vector<std::tuple<QString, int, int>>{{"", 69, 94}, {"B", 146, 198}}) {
    for (const QString& name : FaceNames("Med", size)) {
      SCOPED_TRACE(name.toStdString());
      const QImage image = Load(":/QorCards06A/" + name + ".png");
      ASSERT_FALSE(image.isNull());
      EXPECT_EQ(image.size(), QSize(width, height));
    }
  }
  for (const QString& symbol : kSymbols) {
    EXPECT_EQ(Load(":/QorCards06A/" + symbol + "Med.png").size(), QSize(20, 20)) << symbol.toStdString();
    EXPECT_EQ(Load(":/QorCards06A/" + symbol + "MedB.png").size(), QSize(40, 40)) << symbol.toStdString();
  }
  EXPECT_NE(Load(":/QorCards06A/Ch09Med.png"), Builtin("Ch09"));
  EXPECT_FALSE(QFile::exists(":/QorCards06A/Ch09.png")) << "module faces carry the deck code";
}

TEST(TestModules, BackModuleHoldsBackSetOne) {
  ModuleScope module("QorCards06B");
  ASSERT_TRUE(module.registered()) << module.path().toStdString();
  for (const QString& day : kDays) {
    SCOPED_TRACE(day.toStdString());
    EXPECT_EQ(Load(":/QorCards06B/" + day + "Cl1.png").size(), QSize(69, 94));
    EXPECT_EQ(Load(":/QorCards06B/" + day + "Cl1B.png").size(), QSize(146, 198));
    EXPECT_NE(Load(":/QorCards06B/" + day + "Cl1.png"), Builtin(day));
  }
}

TEST(TestModules, BackgroundModuleHoldsJpegs) {
  ModuleScope module("QorBackG03");
  ASSERT_TRUE(module.registered()) << module.path().toStdString();
  for (const Expected& e : std::vector<Expected>{{"Fon01Gr", 760, 500}, {"Fon01GrB", 1520, 1000}}) {
    QImageReader reader(":/QorBackG03/" + e.name + ".jpg");
    EXPECT_EQ(reader.format(), QByteArray("jpeg")) << e.name.toStdString();
    EXPECT_EQ(reader.read().size(), QSize(e.width, e.height)) << e.name.toStdString();
  }
}

TEST(TestModules, ReleasedModuleLeavesNothingBehind) {
  {
    ModuleScope module("QorBackG03");
    ASSERT_TRUE(module.registered());
    EXPECT_TRUE(QFile::exists(":/QorBackG03/Fon01Gr.jpg"));
  }
  EXPECT_FALSE(QFile::exists(":/QorBackG03/Fon01Gr.jpg"));
  EXPECT_TRUE(QFile::exists(":/tarvel/FonG.jpg"));
}

}  // namespace
}  // namespace tarvel

int main(int argc, char** argv) {
  // Test discovery runs this program without the test environment: never need a screen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  tarvel::InitTarvelAssets();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
