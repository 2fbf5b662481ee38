#include "table/window/pending_windows.h"

#include "settings/words/words.h"
#include "table/window/message_sink.h"
#include "widgets/message_box.h"
#include "widgets/word_text.h"

namespace tarvel {

namespace {

void NotAvailableYet(const PendingContext& context, WordId title) {
  context.messages.Inform(context.parent, WordText(title, context.settings.Language),
                          NotAvailableYetText(context.settings.Language));
}

}  // namespace

void OpenChatWindow(const PendingContext& context) { NotAvailableYet(context, WordId::Chat); }

}  // namespace tarvel
