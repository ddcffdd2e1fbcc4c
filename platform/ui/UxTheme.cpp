#include "platform/ui/UxTheme.h"

#include <utility>

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

std::unique_ptr<IVisualStyles> SetVisualStyles(std::unique_ptr<IVisualStyles> Styles) {
  return std::exchange(StylesSlot(), std::move(Styles));
}
