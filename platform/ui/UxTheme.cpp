#include "platform/ui/UxTheme.h"

namespace {

std::unique_ptr<IVisualStyles>& StylesSlot() {
  static std::unique_ptr<IVisualStyles> slot;
  return slot;
}

}  // namespace

IVisualStyles& VisualStyles() {
  auto& slot = StylesSlot();
  if (!slot) slot = std::make_unique<TNoVisualStyles>();
  return *slot;
}

void SetVisualStyles(std::unique_ptr<IVisualStyles> Styles) { StylesSlot() = std::move(Styles); }
