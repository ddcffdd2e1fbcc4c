// Editing in place: which editor a cell gets, showing and putting away the
// special editors, the editing entry points, the combo item operations, and
// the grid's part of the edit-done round trip.
#include <QScopedValueRollback>

#include "grid/ProGrid.h"
#include "platform/ui/WinApi.h"

namespace {

// The kinds edited by the text editor.
bool IsTextKind(TEditorType Kind) {
  switch (Kind) {
    case edNormal: case edNumeric: case edPositiveNumeric: case edFloat: case edCapital:
    case edMixedCase: case edPassword: case edLowerCase: case edUpperCase: case edValidChars:
    case edPositiveFloat:
      return true;
    default:
      return false;
  }
}

// The kind that edits the cell in this build: the special editors that exist
// keep their kind, every other kind is edited as plain text.
TEditorType AvailableKind(TEditorType Kind) {
  switch (Kind) {
    case edComboEdit: case edComboList: case edCheckBox: case edDataCheckBox: case edNone:
    case edSpinEdit: case edFloatSpinEdit: case edTimeSpinEdit: case edDateSpinEdit: case edButton:
    case edEditBtn: case edNumericEditBtn: case edFloatEditBtn: case edMaskEditBtn:
    case edUnitEditBtn: case edNumericUnitEditBtn: case edFloatUnitEditBtn:
      return Kind;
    case edCustom: case edRichEdit:
      return Kind;
    case edDateEdit: case edDateEditUpDown: case edTimeEdit:
      // The date editor needs the common controls' date picker.
      return GridCommonControlsFlag() ? Kind : edNone;
    default:
      return IsTextKind(Kind) ? Kind : edNormal;
  }
}

// The text without its mini-HTML tags and with the entities it uses resolved.
QString StripTags(const QString& S) {
  if (!S.contains(u'<')) return S;
  QString r;
  r.reserve(S.size());
  bool inTag = false;
  for (QChar c : S) {
    if (c == u'<') inTag = true;
    else if (c == u'>' && inTag) inTag = false;
    else if (!inTag) r += c;
  }
  r.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
  r.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
  r.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
  r.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
  return r;
}

}  // namespace

void TSizeWhileTyping::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TSizeWhileTyping*>(Source)) {
    FHeight = s->FHeight;
    FWidth = s->FWidth;
    return;
  }
  TPersistent::Assign(Source);
}

// ------------------------------------------------------------ the editors' owner

void TProStringGrid::CreateEditControls() {
  FEditDoneMsg = RegisterWindowMessage(QStringLiteral("GridEditDone"));
  FEditCombo = new TGridCombo(this);
  FEditCombo->SetParent(this);
  FEditCombo->SetVisible(false);
  FEditCombo->SetEnabled(false);
  FEditCheck = new TGridCheckBox(this);
  FEditCheck->SetParent(this);
  FEditCheck->SetVisible(false);
  FEditCheck->SetEnabled(false);
  FGridButton = new TGridButton(this);
  FGridButton->SetParent(this);
  FGridButton->SetVisible(false);
  FGridButton->SetEnabled(false);
  CreateEditBtnControls();
  FEditTrans = new TGridTransEdit(this);
  FEditTrans->SetParent(this);
  FEditTrans->SetVisible(false);
  FComboTrans = new TGridTransCombo(this);
  FComboTrans->SetParent(this);
  FComboTrans->SetVisible(false);
}

TInplaceEdit* TProStringGrid::CreateEditor() { return new TProInplaceEdit(this); }

QString TProStringGrid::GetEditMask(int ACol, int ARow) {
  QString v = FEditMask;
  if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, v);
  return v;
}

int TProStringGrid::GetEditLimit() { return FMaxEditLength; }

QString TProStringGrid::GetEditText(int ACol, int ARow) {
  FNoEditChange = true;
  int c = RealColIndex(ACol);
  if (TProInplaceEdit* ed = NormalEdit()) {
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    CalcCellAlignment(c, ARow, ha, va);
    ed->SetVAlign(ha == taRightJustify);
  }
  int bc = c, br = ARow;
  ResolveBaseCell(c, ARow, bc, br);
  const QString s = TBaseGrid::GetEditText(bc, br);
  return FEditWithTags ? s : StripTags(s);
}

void TProStringGrid::SetEditText(int ACol, int ARow, const QString& Value) {
  int bc = ACol, br = ARow;
  ResolveBaseCell(ACol, ARow, bc, br);
  TBaseGrid::SetEditText(RealColIndex(bc), br, Value);
}

void TProStringGrid::UpdateEditText(const QString& AText) {
  int bc = Col(), br = Row();
  ResolveBaseCell(Col(), Row(), bc, br);
  SetEditText(bc, br, AText);
}

void TProStringGrid::SetEditCellText(int ACol, int ARow, const QString& Value) {
  SetEditText(DisplColIndex(ACol), ARow, Value);
  SetCells(ACol, ARow, Value);
}

void TProStringGrid::RestoreCellCache() {
  const int c = RealColIndex(Col());
  SetCells(c, Row(), FCellCache);
  SetCells(c, Row(), Cells(c, Row()));
}

void TProStringGrid::DoGetEditorProp(int ACol, int ARow, TObject* AEditLink) {
  if (OnGetEditorProp) OnGetEditorProp(this, ACol, ARow, AEditLink);
}

QString TProStringGrid::DoEllipsClick(const QString& S) {
  QString v = S;
  if (OnEllipsClick) OnEllipsClick(this, RealColIndex(Col()), Row(), v);
  return v;
}

bool TProStringGrid::EditorWantsTab() {
  return Options().contains(goTabs) || bool(OnCellValidate) || bool(OnCellValidateWide);
}

bool TProStringGrid::CellIsPassword(int ACol, int ARow) {
  bool p = false;
  IsPasswordCell(ACol, ARow, p);
  return p;
}

TColor TProStringGrid::PaintedCellLook(int ACol, int ARow, TFont* AFont) {
  TBrush brush;
  TFont font;
  brush.SetColor(Color());
  font.Assign(Font());
  TGridDrawState state;
  TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
  TAlignment ha = taLeftJustify;
  TVAlignment va = vtaTop;
  bool ww = false;
  TCellGradientDirection gd = GradientVertical;
  GetVisualProperties(ACol, ARow, state, false, false, false, &brush, colorTo, mirror, mirrorTo, &font,
                      ha, va, ww, gd);
  if (AFont != nullptr) AFont->Assign(&font);
  return brush.Color();
}

// ------------------------------------------------------------ choosing the editor

bool TProStringGrid::CanEditShow() {
  if (FValidating) return false;
  bool r = TBaseGrid::CanEditShow();
  if (IsDesigning()) return r;
  int bc = RealColIndex(Col()), br = Row();
  ResolveBaseCell(Col(), Row(), bc, br);
  const int realBase = RealColIndex(bc);
  if (r && !FEditMode && IsControlCell(realBase, br)) return false;
  if (r && !FEditMode) {
    FNoEditChange = true;
    FCellCache = CurrentCell();
    FEditControl = FDefaultEditor;
    GetCellEditor(realBase, br, FEditControl);
    FEditControl = AvailableKind(FEditControl);
    if (FEditControl == edNone || FEditControl == edDataCheckBox) return false;
    // A custom cell without a link: no editor, nothing changes.
    if (FEditControl == edCustom && FEditLink == nullptr) return false;
    FEditMode = true;
    FShowEditProcess = IsTextKind(FEditControl);
    if (!FShowEditProcess) {
      PrepareCellEditor(bc, br);
      FEntered = true;
      r = false;
    }
  }
  if (r) {
    FEntered = true;
    // The entered cell's text is what validation compares with.
    if (!FEditing) StoreOldCellText(Col(), Row());
    FEditing = true;
  }
  if (FEditMode) ShowFocusGlow(CellRect(Col(), Row()));
  return r;
}

void TProStringGrid::PrepareCellEditor(int ACol, int ARow) {
  if (!FEditing) StoreOldCellText(ACol, ARow);
  FEditing = FSpecialEditor = FEditActive = true;
  TRect R = CellRect(ACol, ARow);
  const int W = R.Right - R.Left - 1;
  const int H = R.Bottom - R.Top - 1;
  const int c = RealColIndex(ACol);
  const TColor bg = PaintedCellLook(c, ARow, nullptr);
  FGridState = gsNormal;
  FEditCtrl = nullptr;
  FLastValidation = true;
  switch (FEditControl) {
    case edComboEdit:
    case edComboList:
      SetUpCombo(ACol, ARow, R, H, bg, FEditControl == edComboList);
      break;
    case edCheckBox: {
      FEditMode = true;
      FEditCheck->SetBounds(R.Left, R.Top, W, H);
      const QString text = GetEditText(ACol, ARow);
      FEditCheck->SetCaption(text);
      FEditCheck->SetEnabled(true);
      // The box starts in the state the cell's text stands for.
      QString checked;
      GetCheckTrue(c, ARow, checked);
      FCheckStart = text == checked;
      FEditCheck->SetChecked(FCheckStart);
      FEditCheck->SetVisible(true);
      if (FEditCheck->CanFocus()) FEditCheck->SetFocus();
      FEditCtrl = FEditCheck;
      break;
    }
    case edSpinEdit:
    case edFloatSpinEdit:
    case edTimeSpinEdit:
    case edDateSpinEdit:
      SetUpSpin(ACol, ARow, R, W, H, bg);
      break;
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn:
    case edMaskEditBtn:
      SetUpEditBtn(ACol, ARow, R, W, H, bg);
      break;
    case edUnitEditBtn:
    case edNumericUnitEditBtn:
    case edFloatUnitEditBtn:
      SetUpUnitEditBtn(ACol, ARow, R, W, H, bg);
      break;
    case edButton:
      SetUpButton(ACol, ARow, R, W, H);
      break;
    case edDateEdit:
    case edDateEditUpDown:
    case edTimeEdit:
      SetUpDatePicker(ACol, ARow, R, W, H, bg);
      break;
    case edCustom:
      if (FEditLink != nullptr) SetUpEditLink(ACol, ARow, R);
      break;
    case edRichEdit:
      SetUpRichEdit(ACol, ARow, R, W, H, bg);
      break;
    default:
      break;
  }
  FStartEditChar = QChar();
}

void TProStringGrid::SetUpCombo(int ACol, int ARow, const TRect& R, int H, TColor BG, bool ListOnly) {
  TGridCombo* cb = FEditCombo;
  const int c = RealColIndex(ACol);
  FEditMode = true;
  cb->SetDropDownCount(ControlLook()->DropDownCount());
  DoGetEditorProp(c, ARow, nullptr);
  cb->SetBounds(R.Left, R.Top, 0, 0);
  cb->SetEnabled(true);
  cb->SetDroppedDown(false);
  cb->SetStyle(ListOnly ? csDropDownList : csDropDown);
  if (!ListOnly) cb->Perform(CB_SETITEMHEIGHT, WPARAM(-1), std::max(1, H - 6));
  cb->SetBounds(R.Left, R.Top, R.Right - R.Left - 1,
                cb->ItemHeight() * (cb->DropDownCount() + 1) + H);
  bool fireChange = false;
  if (!ListOnly) {
    cb->SetItemIndex(-1);
    const QString text = GetEditText(ACol, ARow);
    const int match = cb->Items()->IndexOf(text);
    if (match != -1)
      cb->SetItemIndex(match);
    else
      cb->SetText(text);
    if (FComboIdx != -1 && cb->ItemIndex() == -1) cb->SetItemIndex(FComboIdx);
    cb->SetMaxLength(FMaxComboLength);
  } else {
    cb->SetItemIndex(cb->Items()->IndexOf(Cells(c, ARow)));
    if (cb->ItemIndex() == -1) {
      if (FComboIdx == -1) {
        cb->SetItemIndex(cb->Items()->IndexOf(GetEditText(ACol, ARow)));
        if (cb->ItemIndex() == -1 && cb->Items()->Count() > 0) cb->SetItemIndex(0);
        fireChange = true;
      } else {
        cb->SetItemIndex(FComboIdx);
      }
    }
  }
  cb->SetColor(BG);
  cb->SetVisible(true);
  const TGridLook look = Look();
  const bool flat = look != glStandard && look != glClassic && look != glCustom;
  cb->SetFlat(flat);
  cb->SetEtched(flat);
  if (Navigation()->AutoComboDropSize())
    cb->SizeDropDownWidth();
  else if (cb->DropWidth() > 0)
    cb->Perform(CB_SETDROPPEDWIDTH, WPARAM(cb->DropWidth()), 0);
  if (cb->CanFocus()) cb->SetFocus();
  if (MouseActions()->DirectComboDrop() || ControlLook()->DropDownAlwaysVisible()) cb->SetDroppedDown(true);
  if (fireChange && cb->Items()->Count() > 0) {
    const int i = cb->ItemIndex();
    FireComboChange(c, i, i >= 0 ? cb->Items()->Strings(i) : cb->Text());
  }
  if (!FStartEditChar.isNull() && cb->HandleAllocated())
    PostMessage(cb->Handle(), WM_CHAR, FStartEditChar.unicode(), 0);
  FEditCtrl = cb;
}

void TProStringGrid::FireComboChange(int ACol, int ItemIndex, const QString& Text) {
  if (OnComboChange) OnComboChange(this, ACol, Row(), ItemIndex, Text);
  if (OnComboObjectChange)
    OnComboObjectChange(this, ACol, Row(), ItemIndex, Text,
                        ItemIndex >= 0 ? FEditCombo->Items()->Objects(ItemIndex) : nullptr);
}

void TProStringGrid::StoreEditorValue(int ACol, int ARow) {
  if (ComponentState().contains(csDestroying)) return;
  FSpecialEditor = false;
  QScopedValueRollback<bool> blockKill(FBlockKill, true);
  const int c = RealColIndex(ACol);
  FStartEditChar = QChar();
  switch (FEditControl) {
    case edComboEdit:
    case edComboList: {
      if (FEditMode) {
        const int i = FEditCombo->ItemIndex();
        const QString v = FEditControl == edComboList && i >= 0 ? FEditCombo->Items()->Strings(i)
                                                               : FEditCombo->Text();
        SetEditCellText(c, ARow, v);
      }
      FEditCombo->SetVisible(false);
      FEditCombo->SetEnabled(false);
      FEditMode = false;
      break;
    }
    case edCheckBox: {
      // The user's choice reaches the cell as its check text; a box left as
      // it started leaves the cell's text alone.
      if (FEditMode && FEditCheck->Checked() != FCheckStart) {
        QString v;
        if (FEditCheck->Checked())
          GetCheckTrue(c, ARow, v);
        else
          GetCheckFalse(c, ARow, v);
        SetEditCellText(c, ARow, v);
      }
      FEditCheck->SetVisible(false);
      FEditCheck->SetEnabled(false);
      FEditMode = false;
      break;
    }
    case edSpinEdit:
    case edFloatSpinEdit:
    case edTimeSpinEdit:
    case edDateSpinEdit:
      StoreSpin(c, ARow);
      break;
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn:
    case edMaskEditBtn:
    case edUnitEditBtn:
    case edNumericUnitEditBtn:
    case edFloatUnitEditBtn:
      StoreEditBtn(c, ARow);
      break;
    case edButton:
      FGridButton->SetVisible(false);
      FGridButton->SetEnabled(false);
      FEditMode = false;
      break;
    case edDateEdit:
    case edDateEditUpDown:
    case edTimeEdit:
      StoreDatePicker(c, ARow);
      break;
    case edCustom:
      StoreEditLink(c, ARow);
      break;
    case edRichEdit:
      StoreRichEdit(c, ARow);
      break;
    default:
      break;
  }
  if (FEditControl != edNormal && FEditActive) PostEditDone(c, ARow);
  FEditActive = false;
}

// -------------------------------------------------------------- entry points

void TProStringGrid::ShowInplaceEdit() {
  if (IsControlCell(RealColIndex(Col()), Row())) return;
  if (Row() < TopRow()) SetTopRow(Row());
  if (Col() < LeftCol()) SetLeftCol(Col());
  FEditText = Cells(RealColIndex(Col()), Row());
  ShowEditor();
}

void TProStringGrid::HideInplaceEdit() {
  if (!FEditMode) return;
  HideEditor();
  StoreEditorValue(Col(), Row());
  FEditMode = false;
  SelectCell(Col(), Row());
}

void TProStringGrid::DoneInplaceEdit(Word Key, TShiftState Shift) {
  QScopedValueRollback<bool> blockFocus(FBlockFocus, true);
  FEditing = false;
  HideInplaceEdit();
  if (Key == VK_TAB || Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN) {
    Word k = Key;
    KeyDown(k, Shift);
  }
  const bool alwaysEdit = Navigation()->AlwaysEdit();
  Navigation()->SetAlwaysEdit(false);
  if (CanFocus()) SetFocus();
  if (Key == VK_RETURN) AdvanceToNextCell(Col(), Row(), false, true, true, false, false);
  Navigation()->SetAlwaysEdit(alwaysEdit);
}

void TProStringGrid::HideCellEdit() { StoreEditorValue(Col(), Row()); }

void TProStringGrid::ShowCellEdit() {
  if (HandleAllocated()) SendMessage(Handle(), WM_KEYDOWN, VK_F2, 0);
}

void TProStringGrid::PostEditDone(int ACol, int ARow) {
  HideInvalidEntry();
  if (OnEditingDone) OnEditingDone(this);
  FEditMode = false;
  FShowEditProcess = false;
  if (HandleAllocated()) PostMessage(Handle(), FEditDoneMsg, WPARAM(ACol), LPARAM(ARow));
}

// ------------------------------------------------------------- combo items

void TProStringGrid::ClearComboString() { FEditCombo->Items()->Clear(); }

void TProStringGrid::AddComboString(const QString& S) { FEditCombo->Items()->Add(S); }

void TProStringGrid::AddComboStringObject(const QString& S, TObject* AObject) {
  FEditCombo->Items()->AddObject(S, AObject);
}

bool TProStringGrid::RemoveComboString(const QString& S) {
  const int i = FEditCombo->Items()->IndexOf(S);
  if (i == -1) return false;
  FEditCombo->Items()->Delete(i);
  return true;
}

bool TProStringGrid::SetComboSelectionString(const QString& S) {
  const int i = FEditCombo->Items()->IndexOf(S);
  if (i == -1) return false;
  FComboIdx = i;
  return true;
}

void TProStringGrid::SetComboSelection(int Index) { FComboIdx = Index; }

int TProStringGrid::GetComboCount() { return FEditCombo->Items()->Count(); }

void TProStringGrid::SetComboIndex(int ACol, int ARow, int Index) {
  DoGetEditorProp(ACol, ARow, nullptr);
  SetCells(ACol, ARow, FEditCombo->Items()->Strings(Index));
}

int TProStringGrid::GetComboIndex(int ACol, int ARow) {
  DoGetEditorProp(ACol, ARow, nullptr);
  return FEditCombo->Items()->IndexOf(Cells(ACol, ARow));
}
