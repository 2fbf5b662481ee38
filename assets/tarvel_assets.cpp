#include "tarvel_assets.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QRegularExpression>
#include <QResource>

// Q_INIT_RESOURCE declares the initialiser in the enclosing namespace, so it
// has to be expanded outside namespace tarvel.
static void InitCompiledInResources() { Q_INIT_RESOURCE(tarvel_assets); }

namespace tarvel {

namespace {

constexpr int kMaxFrames = 64;
constexpr int kMaxDelayMs = 10000;

// Reads a whole-number field; false when absent, not a number or fractional.
bool IntField(const QJsonObject& object, const char* key, int low, int high, int* out) {
  const QJsonValue value = object.value(QLatin1String(key));
  if (!value.isDouble()) return false;
  const double number = value.toDouble();
  if (number < low || number > high || number != static_cast<int>(number)) return false;
  *out = static_cast<int>(number);
  return true;
}

}  // namespace

void InitTarvelAssets() {
  // Registering twice would stack two copies of the same tree.
  static const bool registered = [] {
    InitCompiledInResources();
    return true;
  }();
  (void)registered;
}

QStringList CursorSpec::FrameNames() const {
  if (frames == 1) return {name};
  QStringList names;
  for (int i = 1; i <= frames; ++i) names << QStringLiteral("%1_%2").arg(name).arg(i);
  return names;
}

std::vector<CursorSpec> ParseCursorSpecs(const QByteArray& json) {
  std::vector<CursorSpec> specs;
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(json, &error);
  if (error.error != QJsonParseError::NoError || !document.isObject()) return specs;
  // Anchored as a whole: "$" alone would also match before a final line feed.
  static const QRegularExpression kName(
      QRegularExpression::anchoredPattern(QStringLiteral("[A-Za-z][A-Za-z0-9_]{0,31}")));
  const QJsonObject all = document.object();
  for (auto it = all.begin(); it != all.end(); ++it) {
    if (!kName.match(it.key()).hasMatch() || !it.value().isObject()) continue;
    const QJsonObject entry = it.value().toObject();
    CursorSpec spec;
    spec.name = it.key();
    if (!IntField(entry, "frames", 1, kMaxFrames, &spec.frames) ||
        !IntField(entry, "delay", 0, kMaxDelayMs, &spec.delayMs) ||
        !IntField(entry, "hotX", 0, kCursorSize - 1, &spec.hotX) ||
        !IntField(entry, "hotY", 0, kCursorSize - 1, &spec.hotY)) {
      continue;
    }
    if (spec.frames > 1 && spec.delayMs == 0) continue;  // an animation that would never advance
    specs.push_back(spec);
  }
  return specs;
}

std::vector<CursorSpec> OwnCursorSpecs() {
  InitTarvelAssets();
  QFile file(QStringLiteral(":/tarvel/Cursors.json"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return ParseCursorSpecs(file.readAll());
}

}  // namespace tarvel
