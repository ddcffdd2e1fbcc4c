// The windows and routines registered by the program block.
#include "shell/UProgramWindows.h"

#include <array>

#include "platform/ui/Forms.h"

TProgram_Routines Program_Routines;

namespace {

// Holds the registered windows and forgets each one when it is destroyed.
class TProgram_Window_Table : public TComponent {
 public:
  TProgram_Window_Table() : TComponent(nullptr) {}
  ~TProgram_Window_Table() override {
    for (TEntry& e : FEntries)
      if (e.Form) e.Form->RemoveFreeNotification(this);
  }

  void Set(TProgram_Window Which, TCustomForm* Form, std::function<void()> Set_Lang) {
    TEntry& e = FEntries.at(Which);
    if (e.Form && e.Form != Form && !Holds_Elsewhere(e.Form, Which)) e.Form->RemoveFreeNotification(this);
    e.Form = Form;
    e.Set_Lang = Form ? std::move(Set_Lang) : std::function<void()>();
    if (Form) Form->FreeNotification(this);
  }
  const auto& Entry(TProgram_Window Which) const { return FEntries.at(Which); }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    for (TEntry& e : FEntries)
      if (e.Form == AComponent) e = TEntry();
  }

 private:
  struct TEntry {
    TCustomForm* Form = nullptr;
    std::function<void()> Set_Lang;
  };
  bool Holds_Elsewhere(TCustomForm* Form, TProgram_Window Except) const {
    for (int i = 0; i < pwCount; ++i)
      if (i != Except && FEntries[i].Form == Form) return true;
    return false;
  }
  std::array<TEntry, pwCount> FEntries;
};

TProgram_Window_Table& Table() {
  static TProgram_Window_Table table;
  return table;
}

}  // namespace

void Register_Program_Window(TProgram_Window Which, TCustomForm* Form,
                             std::function<void()> Set_Lang) {
  Table().Set(Which, Form, std::move(Set_Lang));
}

TCustomForm* Program_Window(TProgram_Window Which) { return Table().Entry(Which).Form; }

void Set_Lang_Program_Window(TProgram_Window Which) {
  // A copy: the operation may register windows itself.
  const std::function<void()> set_lang = Table().Entry(Which).Set_Lang;
  if (set_lang) set_lang();
}
