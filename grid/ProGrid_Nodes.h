// Settings of the grid's row nodes: glyph kind, indent, tree lines.
#pragma once

#include "platform/rtl/Classes.h"
#include "platform/gdi/Graphics.h"

#include <memory>

class TProStringGrid;

// Kind of node glyph (named apart from the XML document's node type).
enum TCellNodeType { cnFlat, cn3D, cnGlyph, cnLeaf, cnXP };

class TCellNode : public TPersistent {
 public:
  explicit TCellNode(TProStringGrid* AGrid) : FGrid(AGrid) {}
  // Copies every setting.
  void Assign(TCellNode* Source);

  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  // Expanding a node collapses every other node first.
  bool ExpandOne() const { return FExpandOne; }
  void SetExpandOne(bool Value) { FExpandOne = Value; }
  TCellNodeType NodeType() const { return FNodeType; }
  void SetNodeType(TCellNodeType Value);
  TColor NodeColor() const { return FNodeColor; }
  void SetNodeColor(TColor Value) { FNodeColor = Value; }
  // Pixels a row is indented per node level.
  int NodeIndent() const { return FNodeIndent; }
  void SetNodeIndent(int Value);
  bool ShowTree() const { return FShowTree; }
  void SetShowTree(bool Value);
  bool ShowTreeFull() const { return FShowTreeFull; }
  void SetShowTreeFull(bool Value);
  TColor TreeColor() const { return FTreeColor; }
  void SetTreeColor(TColor Value);
  // The glyphs of cnGlyph nodes (both needed, else the box is drawn); a setter copies.
  TBitmap* ExpandGlyph() const { return FExpandGlyph.get(); }
  void SetExpandGlyph(TBitmap* Value) { FExpandGlyph->Assign(Value); Changed(); }
  TBitmap* ContractGlyph() const { return FContractGlyph.get(); }
  void SetContractGlyph(TBitmap* Value) { FContractGlyph->Assign(Value); Changed(); }

 private:
  void Changed();
  TProStringGrid* FGrid;
  TColor FColor = 0xC0C0C0;
  bool FExpandOne = false;
  TCellNodeType FNodeType = cnXP;
  TColor FNodeColor = 0;
  int FNodeIndent = 12;
  bool FShowTree = true, FShowTreeFull = true;
  TColor FTreeColor = 0x808080;
  std::unique_ptr<TBitmap> FExpandGlyph = std::make_unique<TBitmap>();
  std::unique_ptr<TBitmap> FContractGlyph = std::make_unique<TBitmap>();
};
