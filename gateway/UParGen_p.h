// The tables the communication-settings window is built from: the panels of
// the product family with their rows, and the panels each variant shows.
#pragma once

#include <QString>
#include <vector>

// What one row of a panel holds. Labels sit at x = 14, values at x = 191;
// the n-th shown row of a panel has its label (or check box) at
// y = 12 + 28 n and its edit or list 3 pixels higher; values behind a check
// box stand 2 pixels higher.
enum TParGen_Row_Kind {
  rkEdit,       // label and edit
  rkList,       // label and pick-only drop-down list
  rkBox,        // check box across the row
  rkOctets,     // label and four address octet edits
  rkBoxOctets,  // check box (175 wide) and four address octet edits
  rkBoxEdit,    // check box (175 wide) and an edit
};

struct TParGen_Row_Def {
  TParGen_Row_Kind Kind;
  // The label of rkEdit, rkList and rkOctets rows; the check box of the
  // others.
  QString Name;
  // The edit or list; for octet rows the name the four edits share, followed
  // by 1 to 4.
  QString Value;
  // Text of the label or the check box's caption; -1: the row keeps Caption.
  int Text = -1;
  // Hint of the value (of the box for rows with a box); the octet edits, or
  // the edit behind a box, take the following numbers, one each. -1: none.
  int Hint = -1;
  // The items of a list: fixed texts separated by "|", or "#first-last" for
  // texts of the text table, which Set_Lang puts in and selects the first of.
  QString Items = QString();
  // Longest text an edit takes (0: no limit).
  int Max_Length = 0;
  // A control that is always disabled.
  bool Disabled = false;
  // When the row is shown (see ParGen_Condition_Holds); empty: always.
  QString Show_When = QString();
  // The caption of a row whose text lies outside the panel's block.
  QString Caption = QString();
};

struct TParGen_Panel_Def {
  QString Name;
  // Text put behind the panel's number in its caption.
  int Caption_Text;
  std::vector<TParGen_Row_Def> Rows;
  // Controls disabled while the Ethernet connection takes its address by
  // DHCP; a name ending in "#" stands for the four octet edits.
  std::vector<QString> DHCP_Controls = {};
  // When the DHCP box acts on them; empty: always.
  QString DHCP_When = QString();
  // When the panel's layout does anything; empty: always.
  QString Lay_Out_When = QString();
  // The panel has a layout operation.
  bool Has_Layout = true;
};

// Text n of the text table; empty when the table does not hold it.
QString ParGen_Text(int n);

// Every panel of the window, in the order they are created.
const std::vector<TParGen_Panel_Def>& ParGen_Panels();
// The panel definition of that name, nullptr when there is none.
const TParGen_Panel_Def* ParGen_Panel(const QString& Name);
// The variant codes, "KA" to "KW".
const std::vector<QString>& ParGen_Variant_Codes();
// The panels a variant shows, in order; empty for a code without panels or an
// unknown code.
std::vector<QString> ParGen_Variant_Panels(const QString& Variant_Code);

// The names of a row's controls: the label or box, the value or the four
// octet edits and the three dots between them.
std::vector<QString> ParGen_Row_Controls(const TParGen_Row_Def& Row);

// Geometry of the rows.
namespace ParGen_Geometry {
constexpr int Label_X = 14;
constexpr int Value_X = 191;
constexpr int Value_Width = 238;
constexpr int Box_Width = 415;
constexpr int Box_Value_Width = 175;  // a check box with a value behind it
constexpr int Octet_Width = 55;
constexpr int Octet_Step = 61;  // 191, 252, 313, 374; the dots at 247, 308, 369
constexpr int First_Row_Y = 12;
constexpr int Row_Step = 28;
constexpr int Value_Raise = 3;      // an edit or list stands 3 pixels above its label
constexpr int Box_Value_Raise = 2;  // a value behind a check box stands 2 pixels above it
constexpr int Edit_Height = 21;
constexpr int List_Height = 22;
constexpr int Box_Height = 17;
constexpr int Bottom_Margin = 12;   // below the lowest control
}  // namespace ParGen_Geometry
