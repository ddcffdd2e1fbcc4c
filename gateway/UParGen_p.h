// The tables the communication-settings window is built from: the panels of
// the product family with their rows, and the panels each variant shows.
#pragma once

#include <QString>
#include <vector>

// What one row of a panel holds. Labels sit at x = 14, values at x = 191;
// row r has its label (or check box) at y = 12 + 28 r and its edit or list 3
// pixels higher; octet edits behind a check box sit 2 pixels higher.
enum TParGen_Row_Kind {
  rkEdit,       // label and edit
  rkList,       // label and pick-only drop-down list
  rkBox,        // check box across the row
  rkOctets,     // label and four address octet edits
  rkBoxOctets,  // check box (175 wide) and four address octet edits
};

struct TParGen_Row_Def {
  TParGen_Row_Kind Kind;
  // The label of rkEdit, rkList and rkOctets rows; the check box of rkBox and
  // rkBoxOctets rows.
  const char* Name;
  // The edit or list; for octet rows the name the four edits share, followed
  // by 1 to 4.
  const char* Value;
  // Text of the label or the check box's caption.
  int Text;
  // Hint of the value (of the box for rkBox and rkBoxOctets); the octet edits
  // take the following numbers, one each.
  int Hint;
  // The fixed items of a list, separated by "|".
  const char* Items = nullptr;
  // Longest text an edit takes (0: no limit).
  int Max_Length = 0;
  // A control that is always disabled.
  bool Disabled = false;
};

struct TParGen_Panel_Def {
  const char* Name;
  // Text put behind the panel's number in its caption.
  int Caption_Text;
  std::vector<TParGen_Row_Def> Rows;
  // The control whose bottom gives the panel's height.
  const char* Height_Control;
  // Octet rows (their shared names) disabled while the Ethernet connection
  // takes its address by DHCP.
  std::vector<const char*> DHCP_Octets;
};

// Text n of the text table; empty when the table does not hold it.
QString ParGen_Text(int n);

// Every panel of the window, in the order they are created.
const std::vector<TParGen_Panel_Def>& ParGen_Panels();
// The panel definition of that name, nullptr when there is none.
const TParGen_Panel_Def* ParGen_Panel(const QString& Name);
// The panels a variant shows, in order; empty for a code without panels or an
// unknown code.
std::vector<QString> ParGen_Variant_Panels(const QString& Variant_Code);

// Geometry of the rows.
namespace ParGen_Geometry {
constexpr int Label_X = 14;
constexpr int Value_X = 191;
constexpr int Value_Width = 238;
constexpr int Box_Width = 415;
constexpr int Box_Octets_Width = 175;
constexpr int Octet_Width = 55;
constexpr int Octet_Step = 61;  // 191, 252, 313, 374; the dots at 247, 308, 369
constexpr int First_Row_Y = 12;
constexpr int Row_Step = 28;
constexpr int Value_Raise = 3;      // an edit or list stands 3 pixels above its label
constexpr int Box_Octets_Raise = 2; // octets behind a check box stand 2 pixels above it
constexpr int Edit_Height = 21;
constexpr int List_Height = 22;
constexpr int Box_Height = 17;
constexpr int Bottom_Margin = 12;   // below the lowest control
}  // namespace ParGen_Geometry
