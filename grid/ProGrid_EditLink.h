// Edit links: an application plugs any control in as the editor of a grid's
// edCustom cells. The grid talks to the link through the virtual operations
// below; the link creates, owns and drives the control, inline over the cell
// or on a pop-up form of its own.
#pragma once

#include <QString>
#include <memory>

#include "platform/rtl/Classes.h"
#include "platform/ui/Controls.h"

class TProStringGrid;
class TForm;
class TFont;

enum TEditStyle { esInplace, esPopup };

class TEditLink : public TComponent {
 public:
  explicit TEditLink(TComponent* AOwner);
  ~TEditLink() override;

  // Hooked by a descendant to its control's key-down: the keys that end the
  // edit store the value and move on (see WantKey...).
  virtual void EditKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
  // The control (nullptr: none).
  virtual TWinControl* GetEditControl() { return nullptr; }
  // Creates the control with AParent as its parent (the grid or the pop-up form).
  virtual void CreateEditor(TWinControl* AParent);
  virtual void DestroyEditor();
  // True: the control shows, is enabled and takes the focus (an inline one
  // with the grid's window procedure in front of its own); false: the grid
  // takes the focus.
  virtual void SetFocus(bool Value);
  // Places the control in R, less the grid line.
  virtual void SetRect(TRect R);
  virtual void SetVisible(bool Value);
  virtual void SetProperties();
  // The cell's painted colour and font.
  virtual void SetCellProps(TColor AColor, TFont* AFont);
  virtual QString GetEditorValue();
  virtual void SetEditorValue(const QString& Value);

  // Hooked to the control's exit: the value goes to the cell and the editor away.
  void EditExit(TObject* Sender);
  // The pop-up form was deactivated.
  void FormExit(TObject* Sender);
  // The pop-up form for esPopup, else the grid.
  TWinControl* GetParent();
  // The current cell's text, and writing it.
  QString GetCellValue();
  void SetCellValue(const QString& S);
  // The value to the cell, the editor away, the window procedure given back.
  void HideEditor();
  // Gives an inline control its own window procedure back and hides it.
  void RestoreWinProc();

  // The grid that uses the link (set each time the editor is shown).
  TProStringGrid* Grid() const { return FOwner; }
  // The cell being edited (real column, row).
  TPoint EditCell() const { return FEditCell; }
  // The pop-up form (nullptr before the first pop-up); the link owns it.
  TForm* PopupForm() const { return FPopupForm.get(); }
  bool SubClassed() const { return FSubClassed; }

  // Keys the control keeps instead of ending the edit.
  bool WantKeyLeftRight() const { return FWantKeyLeftRight; }
  void SetWantKeyLeftRight(bool Value) { FWantKeyLeftRight = Value; }
  bool WantKeyUpDown() const { return FWantKeyUpDown; }
  void SetWantKeyUpDown(bool Value) { FWantKeyUpDown = Value; }
  bool WantKeyHomeEnd() const { return FWantKeyHomeEnd; }
  void SetWantKeyHomeEnd(bool Value) { FWantKeyHomeEnd = Value; }
  bool WantKeyPriorNext() const { return FWantKeyPriorNext; }
  void SetWantKeyPriorNext(bool Value) { FWantKeyPriorNext = Value; }
  bool WantKeyReturn() const { return FWantKeyReturn; }
  void SetWantKeyReturn(bool Value) { FWantKeyReturn = Value; }
  bool WantKeyEscape() const { return FWantKeyEscape; }
  void SetWantKeyEscape(bool Value) { FWantKeyEscape = Value; }
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool Value) { FWantTabs = Value; }
  TEditStyle EditStyle() const { return FEditStyle; }
  void SetEditStyle(TEditStyle Value) { FEditStyle = Value; }
  // Size of the pop-up; AutoPopupWidth: as wide as the cell.
  int PopupWidth() const { return FPopupWidth; }
  void SetPopupWidth(int Value) { FPopupWidth = Value; }
  int PopupHeight() const { return FPopupHeight; }
  void SetPopupHeight(int Value) { FPopupHeight = Value; }
  bool AutoPopupWidth() const { return FAutoPopupWidth; }
  void SetAutoPopupWidth(bool Value) { FAutoPopupWidth = Value; }
  // Screen place of the pop-up; -1 in either: at the cell's top-left corner.
  int PopupLeft() const { return FPopupLeft; }
  void SetPopupLeft(int Value) { FPopupLeft = Value; }
  int PopupTop() const { return FPopupTop; }
  void SetPopupTop(int Value) { FPopupTop = Value; }
  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }

 protected:
  // Forgets the grid and the subclassed control when they go.
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TProStringGrid;
  // Shows the pop-up form at P with the pop-up size, making it first.
  void ShowPopupForm(TPoint P);
  // The window procedure put in front of an inline control's own.
  void SubClassWndProc(TMessage& Message);

  TProStringGrid* FOwner = nullptr;
  bool FWantKeyLeftRight = false, FWantKeyUpDown = false, FWantKeyHomeEnd = false;
  bool FWantKeyPriorNext = false, FWantKeyReturn = false, FWantKeyEscape = false;
  TEditStyle FEditStyle = esInplace;
  std::unique_ptr<TForm> FPopupForm;
  int FPopupWidth = 0, FPopupHeight = 0;
  bool FForcedExit = false;
  TPoint FEditCell;
  int FTag = 0;
  bool FAutoPopupWidth = false;
  int FPopupLeft = -1, FPopupTop = -1;
  bool FSubClassed = false;
  bool FWantReturns = false, FWantTabs = false;
  // The control that was subclassed and its own window procedure.
  TWinControl* FSubClassedControl = nullptr;
  TWndMethod FOldWndProc;
};
