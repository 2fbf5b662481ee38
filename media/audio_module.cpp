#include "media/audio_module.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <dlfcn.h>

namespace tarvel {

AudioModule* LoadAudioModule() {
  static AudioModule* const module = []() -> AudioModule* {
    void* handle = dlopen(kAudioModuleFile, RTLD_NOW | RTLD_NOLOAD);
    if (handle == nullptr) {
      const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromLatin1(kAudioModuleFile));
      handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    }
    void* entry = handle != nullptr ? dlsym(handle, kAudioModuleEntry) : nullptr;
    if (entry == nullptr) {
      const char* reason = dlerror();
      qWarning("tarvel: no sound: %s", reason != nullptr ? reason : kAudioModuleFile);
      return nullptr;
    }
    return reinterpret_cast<AudioModule* (*)()>(entry)();
  }();
  return module;
}

}  // namespace tarvel
