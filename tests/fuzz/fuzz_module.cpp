// Fuzz target of the resource module loader: the input is written as the
// card module "QorCards06A.rcc" of a program folder and the Medieval-1 deck,
// which that module holds, is loaded. A damaged module never crashes: either
// the whole deck came from it, or it counts as missing, the message names it
// and the program's own deck is on the table. Either way the module is
// released afterwards.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QResource>
#include <QSize>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_check.h"
#include "table/pictures.h"

namespace {

using namespace tarvel;

constexpr int kMedievalDeck = 1;

// The program's window system and a program folder inside a parent folder,
// made once for all inputs.
class Fixture {
 public:
  Fixture() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_module";
    static char* argv[] = {name, nullptr};
    // Lives as long as the process: inputs keep coming until it exits.
    application_ = new QGuiApplication(argc, argv);
    TARVEL_FUZZ_CHECK(root_.isValid());
    TARVEL_FUZZ_CHECK(QDir(root_.path()).mkpath(QStringLiteral("Tarvel")));
    folder_ = root_.filePath(QStringLiteral("Tarvel"));
    module_ = QDir(folder_).filePath(QString::fromLatin1(kModuleCardsA.data(),
                                                          static_cast<qsizetype>(kModuleCardsA.size())));
    programFace_ = ProgramPicture(QStringLiteral("Ch09"));
  }

  const QString& Folder() const { return folder_; }
  const QString& Module() const { return module_; }
  const QImage& ProgramFace() const { return programFace_; }

 private:
  QGuiApplication* application_ = nullptr;
  QTemporaryDir root_;
  QString folder_;
  QString module_;
  QImage programFace_;
};

Fixture& TheFixture() {
  static Fixture fixture;
  return fixture;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Fixture& fixture = TheFixture();
  {
    QFile file(fixture.Module());
    TARVEL_FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    TARVEL_FUZZ_CHECK(file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) ==
                      static_cast<qint64>(size));
  }
  TARVEL_FUZZ_CHECK(FindModule(QStringList{fixture.Folder()}, QStringLiteral("QorCards06A.rcc")) == fixture.Module());

  std::vector<QString> messages;
  CardPictures pictures(
      QStringList{fixture.Folder()}, [&messages](const QString& text) { messages.push_back(text); }, [] { return 1; });
  Settings settings;
  settings.CardDeck = kMedievalDeck;
  const WindowGeometry window = GeometryForWindowSize(kSmallWindow, QSize());
  const bool loaded = pictures.LoadDeck(settings, window);

  if (loaded) {
    TARVEL_FUZZ_CHECK(settings.CardDeck == kMedievalDeck);
    TARVEL_FUZZ_CHECK(messages.empty());
  } else {
    TARVEL_FUZZ_CHECK(settings.CardDeck == 0);
    TARVEL_FUZZ_CHECK(messages.size() == 1);
    TARVEL_FUZZ_CHECK(messages.front() == QStringLiteral("Can`t find the file QorCards06A.rcc"));
    if (!fixture.ProgramFace().isNull()) {
      TARVEL_FUZZ_CHECK(pictures.FaceSlot(kFirstFaceSlot) == fixture.ProgramFace());
    }
  }
  // A whole deck in the small pictures is on the table, from one side or
  // the other.
  if (loaded || !fixture.ProgramFace().isNull()) {
    for (int slot = kFirstFaceSlot; slot <= kLastFaceSlot; ++slot) {
      TARVEL_FUZZ_CHECK(pictures.FaceSlot(slot).size() == QSize(69, 94));
    }
    for (int suit = 0; suit < 4; ++suit) {
      TARVEL_FUZZ_CHECK(pictures.SuitSymbol(suit, false).size() == QSize(20, 20));
    }
  }
  TARVEL_FUZZ_CHECK(!QResource(QStringLiteral(":/QorCards06A/Ch09Med.png")).isValid());
  return 0;
}
