#include "grid/ProGrid_HTML.h"

THTMLSettings::THTMLSettings() : FColWidths(std::make_unique<TIntList>(0, 0)) {}

THTMLSettings::~THTMLSettings() = default;

void THTMLSettings::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<THTMLSettings*>(Source);
  if (!src) return;
  const bool exportImages = F.ExportImages;
  F = src->F;
  F.ExportImages = exportImages;
}
