#include "dropdowns/psgdd.h"

namespace {
// Set and read on the user-interface thread only.
bool gRTFDragDrop = false;
}  // namespace

void SetRTFDragDrop(bool Value) { gRTFDragDrop = Value; }
bool RTFDragDrop() { return gRTFDragDrop; }
