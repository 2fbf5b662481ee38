#include "module_lookup.h"

#include <QDir>
#include <QFileInfo>

namespace tarvel {

QStringList ModuleSearchPath(const QStringList& folders)
{
    QStringList path;
    const auto add = [&path](const QString& folder) {
        const QString clean = QDir::cleanPath(folder);
        if (!path.contains(clean)) {
            path.append(clean);
        }
    };
    for (const QString& folder : folders) {
        if (folder.isEmpty()) {
            continue;
        }
        const QDir dir(QDir(folder).absolutePath());
        add(dir.absolutePath());
        QDir parent(dir);
        if (parent.cdUp()) {
            add(parent.absolutePath());
        }
    }
    return path;
}

QString FindModule(const QStringList& folders, const QString& fileName)
{
    for (const QString& folder : ModuleSearchPath(folders)) {
        const QString candidate = QDir(folder).absoluteFilePath(fileName);
        if (QFileInfo(candidate).isFile()) {
            return candidate;
        }
    }
    return {};
}

}  // namespace tarvel
