// Downloading a resource module from the maker's server.
//
// A download is written to a temporary file beside its target, checked (a
// module file must pass the resource module check, any other file must not
// be empty) and only then renamed into place, so a cut, refused or wrong
// download never becomes a module the game would load.
//
// The transfer runs on the calling thread and returns when it is over; the
// limits below bound how long a server that stops answering can hold it.
#pragma once

#include <QString>

#include <string>

namespace tarvel {

enum class DownloadResult {
  Done,         // the file is in place
  Failed,       // no connection, an HTTP error status, or a cut transfer
  TimedOut,     // the server stopped answering
  NotAccepted,  // the bytes are not a valid file of that kind
  CannotWrite,  // the folder cannot be written
};

struct DownloadLimits {
  long connectMs = 5000;    // to open the connection
  long stallSeconds = 15;   // with not a byte arriving
  long totalMs = 600000;    // for the whole transfer
};

// Gets `url` and stores it as `folder`/`fileName`, replacing a file of that
// name. A file name ending in ".rcc" must be a well-formed resource module.
DownloadResult DownloadFile(const std::string& url, const QString& folder, const QString& fileName,
                            const DownloadLimits& limits = {});

// Whether `bytes` may be stored as `fileName` (the check above).
bool IsAcceptableDownload(const QString& fileName, const QByteArray& bytes);

// Where downloads go: the parent of the program folder when a file can be
// created there, else the data folder.
QString DownloadTargetFolder(const QString& programFolder, const QString& dataFolder);

}  // namespace tarvel
