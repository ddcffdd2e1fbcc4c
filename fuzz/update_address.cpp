// The update window's reading of Last_IP_Address (the address of the last
// update, kept in the settings file) into its four address edits, as the
// window's OnShow does in Ethernet mode. Input: the address text. A dotted
// address of four parts 0 to 255 fills the edits with its trimmed parts, and
// the address the window hands back (IP_Address, stored after an update)
// reads again into the same edits; any other text leaves the edits as they
// were ("0" each, as created).
#include "FuzzSupport.h"

#include <QDir>
#include <QScopeGuard>

#include "gateway/UBoot.h"
#include "platform/rtl/SysUtils.h"
#include "platform/widgets/StdCtrls.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace {

QString Edits() {
  return FBoot->E_IP1->Text() + QLatin1Char('|') + FBoot->E_IP2->Text() + QLatin1Char('|') + FBoot->E_IP3->Text() +
         QLatin1Char('|') + FBoot->E_IP4->Text();
}

// Shows the window in Ethernet mode with Address as the last address, and
// gives back what its edits hold.
QString Show_With(const QString& Address) {
  Last_IP_Address = Address;
  FBoot->Form_Type = 1;
  FBoot->Show();
  const QString shown = Edits();
  FBoot->Hide();
  return shown;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Fuzz::InitApplication();
  Dir_Exe = Fuzz::ScratchDir();
  Fill_Default_Texts();
  SW_Code = QStringLiteral("ZIDI");
  FBoot = NewForm<TFBoot>(nullptr);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const auto handled = qScopeGuard([] { Fuzz::ProcessEvents(); });
  const QString address = Fuzz::Text(Data, Size);
  for (TEdit* e : {FBoot->E_IP1, FBoot->E_IP2, FBoot->E_IP3, FBoot->E_IP4}) e->SetText(QStringLiteral("0"));
  QString p1, p2, p3, p4;
  const bool valid = Split_IP_Address(address, p1, p2, p3, p4);
  const QString shown = Show_With(address);
  if (!valid) {
    Fuzz::Check("a text that is no address leaves the edits alone", QStringLiteral("0|0|0|0"), shown);
    return 0;
  }
  Fuzz::Check("the edits hold the address's parts", p1 + '|' + p2 + '|' + p3 + '|' + p4, shown);
  Fuzz::Check("the address the window hands back reads into the same edits", shown, Show_With(FBoot->IP_Address()));
  return 0;
}
