#include "table/window/font_substitutes.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontInfo>

namespace tarvel {
namespace {

struct Case {
  const char* family;
  const char* first;  // the free font tried first
};

class FontSubstitutesTest : public ::testing::TestWithParam<Case> {};

TEST_P(FontSubstitutesTest, WindowsNamesMapToFreeFontsWithCyrillicAndCjkFallbacks) {
  const QStringList list = FontSubstitutes(QString::fromLatin1(GetParam().family));
  ASSERT_FALSE(list.isEmpty());
  EXPECT_EQ(list.first(), QString::fromLatin1(GetParam().first));
  EXPECT_TRUE(list.contains(QStringLiteral("DejaVu Sans")));
  EXPECT_TRUE(list.contains(QStringLiteral("WenQuanYi Micro Hei")));
}

INSTANTIATE_TEST_SUITE_P(Cases, FontSubstitutesTest,
                         ::testing::Values(Case{"Comic Sans MS", "Comic Neue"},
                                           Case{"comic sans ms", "Comic Neue"},
                                           Case{"Arial", "Liberation Sans"},
                                           Case{"Courier New", "Liberation Mono"},
                                           Case{"Fixedsys", "Liberation Mono"},
                                           Case{"FixedSys", "Liberation Mono"}));

TEST(FontSubstitutesTest, OtherNamesAreLeftAlone) {
  EXPECT_TRUE(FontSubstitutes(QStringLiteral("DejaVu Sans")).isEmpty());
}

TEST(FontSubstitutesTest, InstalledSubstitutionsReachAnInstalledFont) {
  InstallFontSubstitutions();
  EXPECT_EQ(QFont::substitutes(QStringLiteral("Comic Sans MS")).first().toLower(), QStringLiteral("comic neue"));
  const QFontInfo comic(QFont(QStringLiteral("Comic Sans MS")));
  EXPECT_EQ(comic.family(), QStringLiteral("Comic Neue"));
  const QFontInfo courier(QFont(QStringLiteral("Courier New")));
  EXPECT_TRUE(courier.family().startsWith(QStringLiteral("Liberation"))) << courier.family().toStdString();
}

}  // namespace
}  // namespace tarvel
