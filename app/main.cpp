// Program block of the configurator.
#include "app/UProgram.h"
#include "platform/ui/Forms.h"

int main(int argc, char** argv) {
  Application->Initialize(argc, argv);
  Application->SetMainFormOnTaskBar(true);
  Create_Program_Windows();
  Application->Run();
  Application->Finalize();
  return 0;
}
