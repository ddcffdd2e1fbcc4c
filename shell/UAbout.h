// The about window: the software's name, code, version and manual code, and a
// link to the maker's home page. Its labels are fixed texts: the language
// change leaves it alone.
#pragma once

#include "platform/widgets/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/widgets/StdCtrls.h"

class TLbButton;

class TFAbout : public TForm {
 public:
  explicit TFAbout(TComponent* AOwner);

  TImage* Image2;
  TLabel* Label1;
  TLabel* Label2;
  TLabel* Label6;
  TLabel* Label9;
  TLabel* Label3;
  TLabel* Label10;
  TLabel* Label8;
  TLabel* Label12;
  TLabel* Label4;
  TLbButton* LbButton1;

  // Fills the description, code, version and manual labels.
  void FormShow(TObject* Sender);
  // Opens the maker's home page (Label4 and Image2).
  void Label4Click(TObject* Sender);
};

extern TFAbout* FAbout;
