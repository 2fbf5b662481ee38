// The main window's commands whose windows belong to other parts of the
// program. Each command has one named entry point here; until its window is
// built, the entry point tells the user, in the current language, that the
// feature is not available yet, so that no control silently does nothing.
// Connecting a window means replacing the body of its entry point.
#pragma once

#include <QString>

#include "settings/settings_file.h"

class QWidget;

namespace tarvel {

class MessageSink;

// What an entry point needs to show its window or its message.
struct PendingContext {
  QWidget* parent;
  MessageSink& messages;
  Settings& settings;
  QString dataFolder;
};

// Pop-up "Chat".
void OpenChatWindow(const PendingContext& context);

}  // namespace tarvel
