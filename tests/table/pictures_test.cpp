// Picture loaders: the program's own set, the resource modules of the test
// build, the module lookup and every fallback with its message.
#include "table/pictures.h"

#include <QDir>
#include <QFile>
#include <QResource>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace tarvel {
namespace {

const WindowGeometry kSmall = GeometryForWindowSize(kSmallWindow, QSize());
const WindowGeometry kAverage = GeometryForWindowSize(kAverageWindow1, QSize());
const WindowGeometry kLarge = GeometryForWindowSize(kLargeWindow, QSize());

// A data folder inside a parent folder, both temporary, and a message log.
class PicturesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("Tarvel")));
        folder = root.filePath(QStringLiteral("Tarvel"));
    }

    CardPictures Make(int random = 4)
    {
        return CardPictures(QStringList{folder}, [this](const QString& text) { messages.push_back(text); },
                            [random] { return random; });
    }

    // Copies a module of the test build into `to`; false when the assets
    // build is not part of this build.
    static bool CopyModule(const QString& name, const QString& to)
    {
#ifdef TARVEL_TEST_MODULES_DIR
        return QFile::copy(QStringLiteral(TARVEL_TEST_MODULES_DIR "/") + name, QDir(to).filePath(name));
#else
        (void)name;
        (void)to;
        return false;
#endif
    }

    QTemporaryDir root;
    QString folder;
    std::vector<QString> messages;
    Settings settings;
};

bool HasProgramPictures()
{
    return !ProgramPicture(QStringLiteral("Ch09")).isNull();
}

TEST_F(PicturesTest, ProgramDeckInSmallAndLargePictures)
{
    if (!HasProgramPictures()) {
        GTEST_SKIP() << "the program's pictures are not part of this build";
    }
    CardPictures pictures = Make();
    ASSERT_TRUE(pictures.LoadDeck(settings, kSmall));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(pictures.Card().Width, 71);
    EXPECT_EQ(pictures.Card().Pictures, PictureClass::Small);
    for (int slot = kFirstFaceSlot; slot <= kLastFaceSlot; ++slot) {
        EXPECT_EQ(pictures.FaceSlot(slot).size(), QSize(69, 94)) << slot;
    }
    for (int back = 1; back <= 7; ++back) {
        EXPECT_EQ(pictures.BackSlot(back).size(), QSize(69, 94)) << back;
    }
    EXPECT_TRUE(pictures.BackSlot(8).isNull());
    EXPECT_EQ(pictures.SuitSymbol(0, false).size(), QSize(20, 20));
    EXPECT_FALSE(pictures.SuitSymbol(3, true).isNull());
    EXPECT_FALSE(pictures.NarrowCards());
    EXPECT_EQ(pictures.TrickOffsetPixels(), 0);

    ASSERT_TRUE(pictures.LoadDeck(settings, kLarge));
    EXPECT_EQ(pictures.Card().Width, 146);
    EXPECT_EQ(pictures.FaceSlot(13).size(), QSize(146, 198));
    EXPECT_EQ(pictures.BackSlot(1).size(), QSize(146, 198));
    EXPECT_EQ(pictures.TrickOffsetPixels(), 5);
    // Two different faces look different.
    EXPECT_NE(pictures.FaceSlot(13), pictures.FaceSlot(14));
}

TEST_F(PicturesTest, CardImagesHaveTheirOutlineAndSize)
{
    if (!HasProgramPictures()) {
        GTEST_SKIP() << "the program's pictures are not part of this build";
    }
    CardPictures pictures = Make();
    ASSERT_TRUE(pictures.LoadDeck(settings, kSmall));
    const CardCode card{RankKing, SuitSpades};
    const QImage small = pictures.CardImage(card);
    ASSERT_EQ(small.size(), QSize(71, 96));
    EXPECT_EQ(qAlpha(small.pixel(0, 0)), 0);     // cut corner
    EXPECT_EQ(qAlpha(small.pixel(1, 0)), 0);
    EXPECT_EQ(small.pixel(2, 0), qRgb(0, 0, 0));  // outline
    EXPECT_EQ(small.pixel(0, 50), qRgb(0, 0, 0));
    EXPECT_EQ(small.pixel(70, 93), qRgb(0, 0, 0));
    EXPECT_EQ(small.pixel(35, 48), pictures.FaceSlot(FaceOf(card)).pixel(34, 47));
    EXPECT_TRUE(pictures.CardImage(NoCard).isNull());

    ASSERT_TRUE(pictures.LoadDeck(settings, kAverage));
    const QImage scaled = pictures.CardImage(card);
    ASSERT_EQ(scaled.size(), QSize(92, 125));
    EXPECT_EQ(qAlpha(scaled.pixel(0, 0)), 0);  // rounded corner
    EXPECT_EQ(qAlpha(scaled.pixel(46, 62)), 255);
    EXPECT_EQ(pictures.BackImage().size(), QSize(92, 125));
}

TEST_F(PicturesTest, MissingDeckModuleGivesTheMessageAndDeckZero)
{
    settings.CardDeck = 33;
    settings.Language = 0;
    CardPictures pictures = Make();
    EXPECT_FALSE(pictures.LoadDeck(settings, kSmall));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], QStringLiteral("Can`t find the file QorCards06B.rcc"));
    EXPECT_EQ(settings.CardDeck, 0);
    EXPECT_FALSE(pictures.NarrowCards());
    EXPECT_EQ(pictures.Card().Width, 71);
    if (HasProgramPictures()) {
        EXPECT_EQ(pictures.FaceSlot(13), ProgramPicture(QStringLiteral("Ch09")));
    }
}

TEST_F(PicturesTest, MessageFollowsTheLanguage)
{
    settings.CardDeck = 41;
    settings.Language = 2;
    CardPictures pictures = Make();
    EXPECT_FALSE(pictures.LoadDeck(settings, kSmall));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].endsWith(QStringLiteral(" QorCards06C.rcc")));
    EXPECT_NE(messages[0], QStringLiteral("Can`t find the file QorCards06C.rcc"));
}

TEST_F(PicturesTest, MissingBackModuleFallsBackToBackSetZero)
{
    settings.BackDeck = 9;
    CardPictures pictures = Make();
    EXPECT_TRUE(pictures.LoadDeck(settings, kSmall));  // the deck itself is the program's
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], QStringLiteral("Can`t find the file QorCards06B.rcc"));
    EXPECT_EQ(settings.BackDeck, 0);
    messages.clear();
    settings.BackDeck = 3;
    EXPECT_FALSE(pictures.LoadBacks(settings));
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(settings.BackDeck, 0);
    EXPECT_EQ(settings.CardDeck, 0);
}

TEST_F(PicturesTest, BrokenModuleFileCountsAsMissing)
{
    QFile junk(QDir(folder).filePath(QStringLiteral("QorCards06A.rcc")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray("qres\x00\x00\x00\x03garbage that is not a resource file", 44));
    junk.close();
    QFile empty(QDir(folder).filePath(QStringLiteral("QorBackG03.rcc")));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();

    settings.CardDeck = 1;
    settings.BackgroundSet = 4;
    settings.BackgroundVariant = 3;
    CardPictures pictures = Make();
    EXPECT_FALSE(pictures.LoadDeck(settings, kSmall));
    EXPECT_EQ(settings.CardDeck, 0);
    EXPECT_FALSE(pictures.LoadBackground(settings, false, kSmall));
    EXPECT_EQ(settings.BackgroundSet, 2);
    EXPECT_EQ(settings.BackgroundVariant, 0);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], QStringLiteral("Can`t find the file QorCards06A.rcc"));
    EXPECT_EQ(messages[1], QStringLiteral("Can`t find the file QorBackG03.rcc"));
}

TEST_F(PicturesTest, MissingBackgroundModuleFallsBackToTheProgramsFelt)
{
    settings.BackgroundSet = 5;
    settings.BackgroundVariant = 1;
    CardPictures pictures = Make();
    EXPECT_FALSE(pictures.LoadBackground(settings, false, kAverage));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], QStringLiteral("Can`t find the file QorBackG03.rcc"));
    EXPECT_EQ(settings.BackgroundSet, 2);
    EXPECT_EQ(settings.BackgroundVariant, 0);
    EXPECT_EQ(pictures.WindowColour(), QColor(0, 128, 0));
    if (HasProgramPictures()) {
        EXPECT_EQ(pictures.Background().size(), QSize(990, 650));  // stretched to the client
    }
}

TEST_F(PicturesTest, ProgramBackgroundNeedsNoModule)
{
    CardPictures pictures = Make();
    EXPECT_TRUE(pictures.LoadBackground(settings, false, kSmall));
    EXPECT_TRUE(messages.empty());
    if (HasProgramPictures()) {
        EXPECT_EQ(pictures.Background().size(), QSize(760, 500));
    }
    settings.BackgroundSet = 0;
    EXPECT_TRUE(pictures.LoadBackground(settings, false, kSmall));
    EXPECT_TRUE(pictures.Background().isNull());
    EXPECT_TRUE(messages.empty());
    // A set no module holds: the program's felt, without naming a module.
    settings.BackgroundSet = 12;
    EXPECT_FALSE(pictures.LoadBackground(settings, false, kSmall));
    EXPECT_EQ(settings.BackgroundSet, 2);
    EXPECT_TRUE(messages.empty());
}

TEST_F(PicturesTest, MissingGraphicsModuleSwitchesThePurpleDesignsOff)
{
    settings.DialogDesignPurple = true;
    settings.MenuDesignPurple = true;
    settings.TableDesignPurple = true;
    CardPictures pictures = Make();
    EXPECT_FALSE(pictures.LoadBackground(settings, true, kSmall));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], QStringLiteral("Can`t find the file QorCGraph1.rcc"));
    EXPECT_FALSE(settings.DialogDesignPurple);
    EXPECT_FALSE(settings.MenuDesignPurple);
    EXPECT_FALSE(settings.TableDesignPurple);
    EXPECT_EQ(pictures.WindowColour(), QColor(0, 128, 0));
}

TEST_F(PicturesTest, ModuleLookupProgramFolderThenParent)
{
    const QString name = QStringLiteral("QorCards06C.rcc");
    EXPECT_TRUE(FindModule(QStringList{folder}, name).isEmpty());
    QFile parent(root.filePath(name));
    ASSERT_TRUE(parent.open(QIODevice::WriteOnly));
    parent.close();
    EXPECT_EQ(FindModule(QStringList{folder}, name), root.filePath(name));
    QFile here(QDir(folder).filePath(name));
    ASSERT_TRUE(here.open(QIODevice::WriteOnly));
    here.close();
    EXPECT_EQ(FindModule(QStringList{folder}, name), QDir(folder).filePath(name));
    // A folder with the module's name is not a module.
    ASSERT_TRUE(QDir(folder).mkdir(QStringLiteral("QorBackG03.rcc")));
    EXPECT_TRUE(FindModule(QStringList{folder}, QStringLiteral("QorBackG03.rcc")).isEmpty());
}

TEST_F(PicturesTest, BackOfTheDealFromWeekdaySameBackAndRandom)
{
    CardPictures pictures = Make(9);
    pictures.LoadDeck(settings, kSmall);
    for (int day = 1; day <= 7; ++day) {
        pictures.ChooseBack(settings, day);
        EXPECT_EQ(pictures.CurrentBack(), day);
    }
    settings.SameBack = true;
    pictures.ChooseBack(settings, 2);
    EXPECT_EQ(pictures.CurrentBack(), 7);
    // Without their module the random sets fell back to set 0 and its seven
    // weekday backs; the back stays one that exists.
    settings.BackDeck = 10;
    pictures.ChooseBack(settings, 2);
    EXPECT_EQ(pictures.CurrentBack(), 7);
}

TEST_F(PicturesTest, ModuleDeckBackSetAndBackground)
{
    if (!CopyModule(QStringLiteral("QorCards06A.rcc"), folder) ||
        !CopyModule(QStringLiteral("QorCards06B.rcc"), root.path()) ||
        !CopyModule(QStringLiteral("QorBackG03.rcc"), folder)) {
        GTEST_SKIP() << "the test modules are not part of this build";
    }
    settings.CardDeck = 1;
    settings.BackDeck = 1;
    settings.BackgroundSet = 1;
    settings.BackgroundVariant = 0;
    CardPictures pictures = Make();

    ASSERT_TRUE(pictures.LoadDeck(settings, kSmall));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(settings.CardDeck, 1);
    EXPECT_EQ(settings.BackDeck, 1);  // found in the parent folder
    EXPECT_EQ(pictures.FaceSlot(13).size(), QSize(69, 94));
    EXPECT_EQ(pictures.BackSlot(7).size(), QSize(69, 94));
    if (HasProgramPictures()) {
        EXPECT_NE(pictures.FaceSlot(13), ProgramPicture(QStringLiteral("Ch09")).convertToFormat(
                                              QImage::Format_ARGB32_Premultiplied));
    }
    // The modules are released once their pictures are copied.
    EXPECT_FALSE(QResource(QStringLiteral(":/QorCards06A/Ch09Med.png")).isValid());
    EXPECT_FALSE(QResource(QStringLiteral(":/QorCards06B/Ob01MoCl1.png")).isValid());

    ASSERT_TRUE(pictures.LoadDeck(settings, kLarge));
    EXPECT_EQ(pictures.FaceSlot(36).size(), QSize(146, 198));
    EXPECT_EQ(pictures.BackSlot(1).size(), QSize(146, 198));
    EXPECT_FALSE(pictures.SuitSymbol(2, true).isNull());

    ASSERT_TRUE(pictures.LoadBackground(settings, false, kSmall));
    EXPECT_EQ(pictures.Background().size(), QSize(760, 500));
    ASSERT_TRUE(pictures.LoadBackground(settings, false, kAverage));
    EXPECT_EQ(pictures.Background().size(), QSize(990, 650));
    EXPECT_EQ(pictures.WindowColour(), QColor(0, 128, 0));
    EXPECT_FALSE(QResource(QStringLiteral(":/QorBackG03/Fon01Gr.jpg")).isValid());
    EXPECT_TRUE(messages.empty());

    // A deck the module does not hold counts as missing.
    settings.CardDeck = 3;
    EXPECT_FALSE(pictures.LoadDeck(settings, kSmall));
    EXPECT_EQ(settings.CardDeck, 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], QStringLiteral("Can`t find the file QorCards06A.rcc"));
}

TEST(DrawScaledPictures, SizesCornersAndTransparency)
{
    QImage picture(40, 60, QImage::Format_ARGB32_Premultiplied);
    picture.fill(QColor(10, 200, 30));
    // Same size: unchanged, even with round corners asked for.
    EXPECT_EQ(ScaledPicture(picture, QSize(40, 60), true, 8), picture);
    const QImage plain = ScaledPicture(picture, QSize(80, 120), false, 8);
    ASSERT_EQ(plain.size(), QSize(80, 120));
    EXPECT_EQ(qAlpha(plain.pixel(0, 0)), 255);
    const QImage rounded = ScaledPicture(picture, QSize(80, 120), true, 10);
    EXPECT_EQ(qAlpha(rounded.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(rounded.pixel(79, 119)), 0);
    EXPECT_EQ(rounded.pixel(40, 60), qRgb(10, 200, 30));
    EXPECT_EQ(qAlpha(rounded.pixel(40, 0)), 255);
    EXPECT_TRUE(ScaledPicture(QImage(), QSize(10, 10), true, 8).isNull());
    EXPECT_TRUE(ScaledPicture(picture, QSize(0, 10), true, 8).isNull());

    QImage canvas(100, 100, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::black);
    QPainter painter(&canvas);
    DrawScaled(10, 20, picture, true, 30, 20, painter, 10);
    painter.end();
    EXPECT_EQ(canvas.pixel(20, 35), qRgb(10, 200, 30));
    EXPECT_EQ(canvas.pixel(10, 20), qRgb(0, 0, 0));  // transparent corner over black
    EXPECT_EQ(canvas.pixel(31, 35), qRgb(0, 0, 0));  // right of the picture
}

}  // namespace
}  // namespace tarvel
