#include "online/worldtop/world_top_ten.h"

#include "online/worldtop/tformworldtopten.h"
#include "online/worldtop/tformworldwrite.h"
#include "widgets/word_text.h"

namespace tarvel {

void WorldTopTen::MenuCommand(bool paused) {
  if (paused) {
    context_.host.Inform(WordText(WordId::WorldTopTenPaused, context_.settings.Language));
    return;
  }
  OpenReadWindow();
}

void WorldTopTen::OpenReadWindow(int view) {
  if (view >= 1 && view <= kWorldTopViews) view_ = view;
  TFormWorldTopTen window(context_, view_,
                          view != 0 ? TFormWorldTopTen::Opening::Exact : TFormWorldTopTen::Opening::Remembered,
                          context_.host.HostWindow());
  context_.host.RunModal(window);
}

void WorldTopTen::OpenClubWindow(bool network) {
  int view = network ? kNetClubView : kLocalClubView;
  TFormWorldTopTen window(context_, view, TFormWorldTopTen::Opening::Local, context_.host.HostWindow());
  context_.host.RunModal(window);
}

void WorldTopTen::OpenWriteWindow(std::int32_t score) {
  TFormWorldWrite window(context_, score, context_.host.HostWindow());
  context_.host.RunModal(window);
}

}  // namespace tarvel
