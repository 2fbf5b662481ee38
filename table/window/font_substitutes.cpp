#include "table/window/font_substitutes.h"

#include <QFont>

namespace tarvel {

namespace {

const QStringList& Fallbacks() {
  static const QStringList families{QStringLiteral("DejaVu Sans"), QStringLiteral("WenQuanYi Micro Hei")};
  return families;
}

}  // namespace

QStringList FontSubstitutes(const QString& family) {
  const QString name = family.toLower();
  QStringList list;
  if (name == QLatin1String("comic sans ms")) {
    list << QStringLiteral("Comic Neue");
  } else if (name == QLatin1String("arial")) {
    list << QStringLiteral("Liberation Sans");
  } else if (name == QLatin1String("courier new") || name == QLatin1String("fixedsys")) {
    list << QStringLiteral("Liberation Mono") << QStringLiteral("DejaVu Sans Mono");
  } else if (name == QLatin1String("times new roman")) {
    list << QStringLiteral("Liberation Serif") << QStringLiteral("DejaVu Serif");
  } else {
    return {};
  }
  list << Fallbacks();
  return list;
}

void InstallFontSubstitutions() {
  for (const char* family : {"Comic Sans MS", "Arial", "Courier New", "Fixedsys", "FixedSys", "Times New Roman"}) {
    const QString name = QString::fromLatin1(family);
    QFont::removeSubstitutions(name);
    QFont::insertSubstitutions(name, FontSubstitutes(name));
  }
}

}  // namespace tarvel
