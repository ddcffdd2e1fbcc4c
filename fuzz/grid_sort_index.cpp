// The base grid's sort-index list, as stored with the grid ("u2;d5"), and the
// integer lists read from comma text. Round trip: what SaveToString writes
// loads back to the same list.
#include "FuzzSupport.h"

#include "controls/ProObj.h"
#include "platform/rtl/SysUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const QString text = Fuzz::Text(Data, Size);
  TSortIndexList sort;
  sort.LoadFromString(text);
  for (int i = 0; i < sort.Count(); ++i) {
    (void)sort.SortColumns(i);
    (void)sort.SortDirections(i);
  }
  const QString saved = sort.SaveToString();
  TSortIndexList back;
  back.LoadFromString(saved);
  Fuzz::Check("a saved sort index loads back the same", saved, back.SaveToString());
  Fuzz::Check("a saved sort index keeps its length", QString::number(sort.Count()), QString::number(back.Count()));

  TIntList ints(0, 0);
  try {
    ints.SetStrValue(text);
  } catch (const EConvertError&) {
    return 0;  // an item that is no number
  }
  TIntList intsBack(0, 0);
  intsBack.SetStrValue(ints.StrValue());
  Fuzz::Check("an integer list reads back the same", ints.StrValue(), intsBack.StrValue());
  return 0;
}
