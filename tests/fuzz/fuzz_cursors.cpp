// Fuzz target of the cursor list: any bytes give a list, sorted by name,
// of cursors that the animator can show, each as the document describes it.
#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_check.h"
#include "tarvel_assets.h"

namespace {

using tarvel::CursorInfo;

// A letter, then at most 31 letters, digits and underscores (ASCII only).
bool IsCursorName(const QString& name) {
  if (name.isEmpty() || name.size() > 32) return false;
  for (qsizetype i = 0; i < name.size(); ++i) {
    const char16_t c = name[i].unicode();
    const bool letter = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
    const bool other = (c >= u'0' && c <= u'9') || c == u'_';
    if (!(letter || (i > 0 && other))) return false;
  }
  return true;
}

void CheckCursor(const CursorInfo& cursor, const QJsonObject& document) {
  TARVEL_FUZZ_CHECK(IsCursorName(cursor.name));
  TARVEL_FUZZ_CHECK(cursor.frames >= 1);
  TARVEL_FUZZ_CHECK(cursor.delayMs >= 0);
  TARVEL_FUZZ_CHECK(cursor.frames == 1 || cursor.delayMs > 0);
  TARVEL_FUZZ_CHECK(cursor.hotX >= 0 && cursor.hotX < tarvel::kCursorSize);
  TARVEL_FUZZ_CHECK(cursor.hotY >= 0 && cursor.hotY < tarvel::kCursorSize);

  const QStringList frames = cursor.FrameNames();
  TARVEL_FUZZ_CHECK(frames.size() == cursor.frames);
  TARVEL_FUZZ_CHECK(cursor.frames == 1 ? frames.front() == cursor.name
                                     : frames.front() == cursor.name + QStringLiteral("_1"));

  // The entry says exactly this.
  const QJsonValue entry = document.value(cursor.name);
  TARVEL_FUZZ_CHECK(entry.isObject());
  const QJsonObject fields = entry.toObject();
  TARVEL_FUZZ_CHECK(fields.value(QStringLiteral("frames")).toDouble() == cursor.frames);
  TARVEL_FUZZ_CHECK(fields.value(QStringLiteral("delay")).toDouble() == cursor.delayMs);
  TARVEL_FUZZ_CHECK(fields.value(QStringLiteral("hotX")).toDouble() == cursor.hotX);
  TARVEL_FUZZ_CHECK(fields.value(QStringLiteral("hotY")).toDouble() == cursor.hotY);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray json(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const std::vector<CursorInfo> cursors = tarvel::ParseCursorInfos(json);
  if (cursors.empty()) return 0;

  const QJsonDocument document = QJsonDocument::fromJson(json);
  TARVEL_FUZZ_CHECK(document.isObject());
  const QJsonObject object = document.object();
  TARVEL_FUZZ_CHECK(cursors.size() <= static_cast<std::size_t>(object.size()));
  for (std::size_t i = 0; i < cursors.size(); ++i) {
    CheckCursor(cursors[i], object);
    if (i > 0) TARVEL_FUZZ_CHECK(cursors[i - 1].name < cursors[i].name);
  }
  return 0;
}
