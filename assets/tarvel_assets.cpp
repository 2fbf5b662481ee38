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

QStringList CursorInfo::FrameNames() const {
  if (frames == 1) return {name};
  QStringList names;
  for (int i = 1; i <= frames; ++i) names << QStringLiteral("%1_%2").arg(name).arg(i);
  return names;
}

std::vector<CursorInfo> ParseCursorInfos(const QByteArray& json) {
  std::vector<CursorInfo> cursors;
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(json, &error);
  if (error.error != QJsonParseError::NoError || !document.isObject()) return cursors;
  // Anchored as a whole: "$" alone would also match before a final line feed.
  static const QRegularExpression kName(
      QRegularExpression::anchoredPattern(QStringLiteral("[A-Za-z][A-Za-z0-9_]{0,31}")));
  const QJsonObject all = document.object();
  for (auto it = all.begin(); it != all.end(); ++it) {
    if (!kName.match(it.key()).hasMatch() || !it.value().isObject()) continue;
    const QJsonObject entry = it.value().toObject();
    CursorInfo cursor;
    cursor.name = it.key();
    if (!IntField(entry, "frames", 1, kMaxFrames, &cursor.frames) ||
        !IntField(entry, "delay", 0, kMaxDelayMs, &cursor.delayMs) ||
        !IntField(entry, "hotX", 0, kCursorSize - 1, &cursor.hotX) ||
        !IntField(entry, "hotY", 0, kCursorSize - 1, &cursor.hotY)) {
      continue;
    }
    if (cursor.frames > 1 && cursor.delayMs == 0) continue;  // an animation that would never advance
    cursors.push_back(cursor);
  }
  return cursors;
}

std::vector<CursorInfo> OwnCursorInfos() {
  InitTarvelAssets();
  QFile file(QStringLiteral(":/tarvel/Cursors.json"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return ParseCursorInfos(file.readAll());
}

}  // namespace tarvel
