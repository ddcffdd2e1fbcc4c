// The one input and painting state object.
#include "platform/ui/UiState_p.h"

TUiState& UiState() {
  static TUiState state;
  return state;
}
