// Where the game's resource modules ("QorCards06A.rcc", ...) are looked up.
//
// A module lies beside the program or in the program folder's parent (the
// folder the maker's games share). Downloads land in that parent, or in the
// data folder when the program's own folders cannot be written, so the data
// folder and its parent are searched after them.
#pragma once

#include <QString>
#include <QStringList>

namespace tarvel {

// The folders to search, in order: each of `folders` followed by its
// parent, without repeats. Empty entries are skipped.
QStringList ModuleSearchPath(const QStringList& folders);

// The first existing file `fileName` in ModuleSearchPath(folders); empty
// when none holds it.
QString FindModule(const QStringList& folders, const QString& fileName);

}  // namespace tarvel
