#include <QImage>
#include <QTest>

#include "ShellFixture.h"
#include "platform/ui/Dialogs.h"

namespace {

class OptionsWindow : public ShellFixture {
 protected:
  void Languages(std::initializer_list<const char*> Names) {
    for (const char* n : Names) WriteFile(QStringLiteral("LANGUAGE/") + n, "; no entries\r\n");
  }
  // The languages shown on the current page.
  QStringList Shown() const {
    QStringList names;
    TLabel* const labels[] = {FSoftOptions->L_L1, FSoftOptions->L_L2, FSoftOptions->L_L3,
                              FSoftOptions->L_L4, FSoftOptions->L_L5, FSoftOptions->L_L6};
    for (TLabel* l : labels)
      if (l->Visible()) names << l->Caption();
    return names;
  }
  // Shows the options window; Act works in it, then it closes with Button.
  void WithOptions(const std::function<void()>& Act, TLbButton* TFSoftOptions::*Button) {
    TScopedModalHook hook([&](TCustomForm*) {
      Act();
      (FSoftOptions->*Button)->Click();
    });
    FVarneltoeFirmWare->Btn_Click(FVarneltoeFirmWare->Btn_Opz);
  }
};

}  // namespace

TEST_F(OptionsWindow, SevenLanguagesMakeTwoPagesInAlphabeticalOrderIgnoringCase) {
  Start();
  Languages({"english.lng", "Deutsch.lng", "Zulu.lng", "aaa.lng", "Espanol.lng", "italiano.lng", "Breton.lng",
             "notes.txt"});
  MakeDir("LANGUAGE/Folder.lng");
  // Installed language files are often read-only; they are listed all the same.
  ASSERT_TRUE(QFile::setPermissions(Path("LANGUAGE/italiano.lng"), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
  WithOptions(
      [&] {
        EXPECT_EQ(FSoftOptions->SL_Languages->Count(), 7);
        EXPECT_EQ(Shown(), (QStringList{"aaa", "Breton", "Deutsch", "english", "Espanol", "italiano"}));
        EXPECT_FALSE(FSoftOptions->Btn_Prev->Visible());
        EXPECT_TRUE(FSoftOptions->Btn_Next->Visible());
        EXPECT_EQ(FSoftOptions->L_Page_Lang->Caption(), "Page 1 / 2");
        EXPECT_EQ(FSoftOptions->L_Sel_Lang->Caption(), "Selected Language : English");
        FSoftOptions->Btn_Next->Click();
        EXPECT_EQ(Shown(), QStringList{"Zulu"});
        EXPECT_TRUE(FSoftOptions->Btn_Prev->Visible());
        EXPECT_FALSE(FSoftOptions->Btn_Next->Visible());
        EXPECT_EQ(FSoftOptions->L_Page_Lang->Caption(), "Page 2 / 2");
        FSoftOptions->Btn_Next->Click();  // no page 3
        EXPECT_EQ(FSoftOptions->Show_Page, 2);
        FSoftOptions->Btn_Prev->Click();
        EXPECT_EQ(FSoftOptions->Show_Page, 1);
      },
      &TFSoftOptions::Btn_Cancel);
}

TEST_F(OptionsWindow, PageButtonsFollowTheLanguageCount) {
  Start();
  WithOptions(
      [&] {
        EXPECT_EQ(Shown(), QStringList());
        EXPECT_EQ(FSoftOptions->L_Page_Lang->Caption(), "Page 1 / 0");
        EXPECT_FALSE(FSoftOptions->Btn_Prev->Visible());
      },
      &TFSoftOptions::Btn_Cancel);
  Languages({"a.lng", "b.lng", "c.lng", "d.lng", "e.lng", "f.lng"});
  WithOptions(
      [&] {
        EXPECT_EQ(Shown().size(), 6);
        EXPECT_FALSE(FSoftOptions->Btn_Prev->Visible());
        EXPECT_FALSE(FSoftOptions->Btn_Next->Visible());
        EXPECT_EQ(FSoftOptions->L_Page_Lang->Caption(), "Page 1 / 1");
      },
      &TFSoftOptions::Btn_Cancel);
}

TEST_F(OptionsWindow, FlagPicturesFallBackToTheDefaultFlagThenToNone) {
  Start();
  Languages({"Alpha.lng", "Beta.lng"});
  QImage flag(8, 8, QImage::Format_RGB32);
  flag.fill(Qt::red);
  ASSERT_TRUE(flag.save(Path("LANGUAGE/Alpha.bmp"), "BMP"));
  WithOptions(
      [&] {
        EXPECT_TRUE(FSoftOptions->I_L1->Visible());
        EXPECT_FALSE(FSoftOptions->I_L2->Visible());
        EXPECT_TRUE(FSoftOptions->L_L2->Visible());
      },
      &TFSoftOptions::Btn_Cancel);
  ASSERT_TRUE(flag.save(Path("LANGUAGE/DefaultFlag.bmp"), "BMP"));
  WithOptions([&] { EXPECT_TRUE(FSoftOptions->I_L2->Visible()); }, &TFSoftOptions::Btn_Cancel);
}

TEST_F(OptionsWindow, PickingALanguageChangesEveryWindowNowAndOnlyOkStoresIt) {
  Start();
  WriteFile("LANGUAGE/Deutsch.lng",
            "STR0 = Anfang\r\nSTR9 = Keine Konfiguration\r\nSTR100 = Neue Konfiguration\r\n"
            "STR200 = Konfiguration oeffnen\r\nSTR300 = Optionen\r\nSTR304 = \xB6Sprache : \xB6\r\n");
  TDialogRecorder dialogs;
  dialogs.Answer(mrNo);
  dialogs.Answer(mrYes);
  WithOptions(
      [&] {
        FSoftOptions->L_L1->Click();  // No: nothing changes
        EXPECT_EQ(FVarneltoeFirmWare->L_Begin->Caption(), "Begin");
        FSoftOptions->I_L1->Click();
        EXPECT_EQ(FSoftOptions->Language_In_Use, "Deutsch");
        EXPECT_EQ(FVarneltoeFirmWare->L_Begin->Caption(), "Anfang");
        EXPECT_EQ(FVarneltoeFirmWare->L_Name_Conf->Caption(), "Keine Konfiguration");
        EXPECT_EQ(FNew_Project->Caption(), "Neue Konfiguration");
        EXPECT_EQ(FOpenConf->Caption(), "Konfiguration oeffnen");
        EXPECT_EQ(FSoftOptions->Caption(), "Optionen");
        EXPECT_EQ(FSoftOptions->L_Sel_Lang->Caption(), "Sprache : Deutsch");
        // Texts the file lacks are English, not those of the language before.
        EXPECT_EQ(FVarneltoeFirmWare->Btn_New->Caption(), "New Configuration");
        EXPECT_EQ(FAbout->Caption(), "About...");
      },
      &TFSoftOptions::Btn_Cancel);
  ASSERT_EQ(dialogs.Requests().size(), 2u);
  EXPECT_EQ(dialogs.Requests()[0].Text, "Do you want to change the Language from English to Deutsch?");
  EXPECT_EQ(dialogs.Requests()[0].DlgType, mtConfirmation);
  // Cancel: the texts stay, the stored language does not change.
  EXPECT_EQ(Name_Language, "English");
  EXPECT_FALSE(QFile::exists(Path("Varnelto.xml")));
  CloseAndStop();
  EXPECT_TRUE(ReadFile("Varnelto.xml").contains("<language>English</language>"));
  Start();
  EXPECT_EQ(FVarneltoeFirmWare->L_Begin->Caption(), "Begin");

  dialogs.Answer(mrYes);
  WithOptions([&] { FSoftOptions->L_L1->Click(); }, &TFSoftOptions::Btn_OK);
  EXPECT_EQ(Name_Language, "Deutsch");
  EXPECT_TRUE(ReadFile("Varnelto.xml").contains("<language>Deutsch</language>"));
}

TEST_F(OptionsWindow, ConnectionBoxesEnableEachOtherAndOkStoresTheMarks) {
  WriteFile("Varnelto.xml",
            "<Conf_Settings><lastinternet><enable_internet>1</enable_internet>"
            "<enable_update>1</enable_update></lastinternet></Conf_Settings>");
  Start();
  ASSERT_TRUE(FVarneltoeFirmWare->Timer_Update->Enabled());
  WithOptions(
      [&] {
        EXPECT_TRUE(FSoftOptions->CB_Update->Enabled());
        EXPECT_TRUE(FSoftOptions->Btn_Check_Update->Enabled());
        EXPECT_FALSE(FSoftOptions->LL_Check_Update->Visible());
        FSoftOptions->CB_En_Con->SetChecked(false);
        EXPECT_FALSE(FSoftOptions->CB_Update->Enabled());
        EXPECT_TRUE(FSoftOptions->CB_Update->Checked());
        EXPECT_FALSE(FSoftOptions->Btn_Check_Update->Enabled());
        FSoftOptions->CB_Soft_Set_Jump_Table->SetChecked(true);
      },
      &TFSoftOptions::Btn_OK);
  EXPECT_FALSE(Opt_Enable_Internet);
  EXPECT_TRUE(Opt_Enable_Update);
  EXPECT_TRUE(Opt_Jump_Field_Tables);
  EXPECT_FALSE(Opt_Double_Click_Auto_Size);
  EXPECT_FALSE(FVarneltoeFirmWare->Timer_Update->Enabled());
  EXPECT_TRUE(ReadFile("Varnelto.xml").contains("<enable_update>1</enable_update>"));
  WithOptions(
      [&] {
        EXPECT_FALSE(FSoftOptions->CB_En_Con->Checked());
        FSoftOptions->CB_En_Con->SetChecked(true);
        EXPECT_TRUE(FSoftOptions->Btn_Check_Update->Enabled());
        FSoftOptions->CB_Update->SetChecked(false);
        EXPECT_FALSE(FSoftOptions->Btn_Check_Update->Enabled());
      },
      &TFSoftOptions::Btn_Cancel);
  EXPECT_FALSE(Opt_Enable_Internet);
}

TEST_F(OptionsWindow, AboutShowsItsFixedLabelsWhateverTheLanguage) {
  Start();
  WriteFile("LANGUAGE/Deutsch.lng", "STR0 = Anfang\r\n");
  Name_Language = "Deutsch";
  Load_Language();
  FVarneltoeFirmWare->Change_Language();
  TScopedModalHook hook([](TCustomForm*) {
    EXPECT_EQ(FAbout->Label2->Caption(), "OPC UA Server / Modbus Master - Converter");
    EXPECT_EQ(FAbout->Label9->Caption(), "ZIDI");
    EXPECT_EQ(FAbout->Label10->Caption(), "1.003");
    EXPECT_EQ(FAbout->Label12->Caption(), "MNKB");
    EXPECT_EQ(FAbout->Label6->Caption(), "Software Code : ");
    EXPECT_EQ(FAbout->ClientWidth(), 425);
    EXPECT_EQ(FAbout->ClientHeight(), 148);
    FAbout->LbButton1->Click();
  });
  FVarneltoeFirmWare->Btn_Click(FVarneltoeFirmWare->Btn_Info);
  EXPECT_EQ(FVarneltoeFirmWare->L_Begin->Caption(), "Anfang");
  Name_Language = "English";
}
