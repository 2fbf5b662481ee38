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

using tarvel::CursorSpec;

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

void CheckSpec(const CursorSpec& spec, const QJsonObject& document) {
  TARVEL_FUZZ_CHECK(IsCursorName(spec.name));
  TARVEL_FUZZ_CHECK(spec.frames >= 1);
  TARVEL_FUZZ_CHECK(spec.delayMs >= 0);
  TARVEL_FUZZ_CHECK(spec.frames == 1 || spec.delayMs > 0);
  TARVEL_FUZZ_CHECK(spec.hotX >= 0 && spec.hotX < tarvel::kCursorSize);
  TARVEL_FUZZ_CHECK(spec.hotY >= 0 && spec.hotY < tarvel::kCursorSize);

  const QStringList frames = spec.FrameNames();
  TARVEL_FUZZ_CHECK(frames.size() == spec.frames);
  TARVEL_FUZZ_CHECK(spec.frames == 1 ? frames.front() == spec.name
                                     : frames.front() == spec.name + QStringLiteral("_1"));

  // The entry says exactly this.
  const QJsonValue entry = document.value(spec.name);
  TARVEL_FUZZ_CHECK(entry.isObject());
  const QJsonObject fields = entry.toObject();
  TARVEL_FUZZ_CHECK(fields.value(QStringLiteral("frames")).toDouble() == spec.frames);
  TARVEL_FUZZ_CHECK(fields.value(QStringLiteral("delay")).toDouble() == spec.delayMs);
  TARVEL_FUZZ_CHECK(fields.value(QStringLiteral("hotX")).toDouble() == spec.hotX);
  TARVEL_FUZZ_CHECK(fields.value(QStringLiteral("hotY")).toDouble() == spec.hotY);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray json(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const std::vector<CursorSpec> specs = tarvel::ParseCursorSpecs(json);
  if (specs.empty()) return 0;

  const QJsonDocument document = QJsonDocument::fromJson(json);
  TARVEL_FUZZ_CHECK(document.isObject());
  const QJsonObject object = document.object();
  TARVEL_FUZZ_CHECK(specs.size() <= static_cast<std::size_t>(object.size()));
  for (std::size_t i = 0; i < specs.size(); ++i) {
    CheckSpec(specs[i], object);
    if (i > 0) TARVEL_FUZZ_CHECK(specs[i - 1].name < specs[i].name);
  }
  return 0;
}
