// Program block of the configurator.
#include "platform/ui/Forms.h"

int main(int argc, char** argv) {
  Application->Initialize(argc, argv);
  Application->SetMainFormOnTaskBar(true);
  // The main window takes the place of this form once it exists.
  TForm* FMain = nullptr;
  Application->CreateForm(FMain);
  FMain->SetCaption(QStringLiteral("Tarvix - Configurator ZIDI - OPC UA Server / Modbus Master "));
  FMain->SetBorderStyle(bsSingle);
  FMain->SetPosition(poScreenCenter);
  FMain->SetClientWidth(694);
  FMain->SetClientHeight(440);
  Application->Run();
  Application->Finalize();
  return 0;
}
