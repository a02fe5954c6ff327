// The translation dialog opened from the main window's menu, its warning box answered, and driven
// as its user would.
#include <string>

#include "databases/dialog_driver.h"

namespace zd_test::dialogs {
namespace {

constexpr int kTranslationCommand = 1019;

void Choose(HWND dialog, int list, int position) {
  SendDlgItemMessageA(dialog, list, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, list)));
}

std::string WindowTitle(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string MenuBarText(HWND window, int position) {
  char text[128] = {};
  GetMenuStringA(GetMenu(window), static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
  return text;
}

std::string ComboText(HWND dialog, int list, int position) {
  char text[256] = {};
  SendDlgItemMessageA(dialog, list, CB_GETLBTEXT, static_cast<WPARAM>(position),
                      reinterpret_cast<LPARAM>(text));
  return text;
}

class TranslationDialog : public DatabaseDialogTest {
 protected:
  TranslationDialog()
      : DatabaseDialogTest({"Translation\\FenetrePrincipale.trans",
                            "Translation\\MenuPrincipal.trans",
                            "Translation\\FenetreTraduction.trans"}) {}
};

// German applied as the software language relabels the dialog at once and the main menu once the
// dialog has closed; a main menu text edited and saved in German shows on the menu too, and both
// stay in the files.
TEST_F(TranslationDialog, GermanAppliedAndAMenuTextEditedReachTheMainMenu) {
  SetWorking("Translation\\FenetrePrincipale.trans", "1\t1\t\r\n");
  WithDialog(kTranslationCommand, "Traduction logiciel", 3901, [&](HWND d) {
    EXPECT_EQ(Text(d, 3903), "Appliquer");
    EXPECT_EQ(ComboText(d, 3906, 18), "Fen\xEAtre 'Traduction'");
    EXPECT_EQ(std::string(FontOf(d, 3916).lfFaceName), "Arial");
    EXPECT_EQ(FontOf(d, 3916).lfWeight, 700);
    EXPECT_EQ(FontOf(d, 3909).lfWeight, FW_NORMAL);

    Choose(d, 3901, zd::kLanguageGerman);
    Click(d, 3903);
    EXPECT_EQ(WindowTitle(d), "Software \xDC" "bersetzung");
    EXPECT_EQ(Text(d, 3903), "\xDC" "bernehmen");
    EXPECT_EQ(Text(d, 3911), "Programm:");
    EXPECT_EQ(ComboText(d, 3901, zd::kLanguageFrench), "Franz\xF6sisch");

    Choose(d, 3904, zd::kLanguageGerman);
    EXPECT_EQ(ComboText(d, 3906, 18), "Fenster '\xDC" "bersetzung'");
    Choose(d, 3907, 0);
    EXPECT_EQ(Text(d, 3908), "Datei");
    Type(d, 3909, "Dateiablage");  // cut to the 5 characters of "Datei"
    EXPECT_EQ(Text(d, 3909), "Datei");
    Type(d, 3909, "DATEI");
    Click(d, 3910);
    SaveDialogPicture(d, "translation_dialog_german.png");
    // The other languages' captions, for a look at how they fit, and German again.
    for (int language : {zd::kLanguageItalian, zd::kLanguagePortuguese, zd::kLanguageSpanish}) {
      Choose(d, 3901, language);
      Click(d, 3903);
      SaveDialogPicture(d, "translation_dialog_" + std::to_string(language) + ".png");
    }
    Choose(d, 3901, zd::kLanguageGerman);
    Click(d, 3903);
    Click(d, IDOK);
  });
  EXPECT_EQ(MenuBarText(window, 0), "DATEI");
  EXPECT_EQ(MenuBarText(window, 1), "Datenbank");
  EXPECT_EQ(Working("Translation\\FenetrePrincipale.trans").substr(0, 4), "2\t1\t");
  EXPECT_NE(Working("Translation\\MenuPrincipal.trans").find("Fichier\tDATEI\t"),
            std::string::npos);
  ASSERT_EQ(boxes.size(), 1u) << (boxes.empty() ? std::string() : boxes.back().text);
  EXPECT_EQ(boxes[0].caption, "Attention");
  EXPECT_EQ(boxes[0].text, "Fonction en cours de d\xE9veloppement");
}

}  // namespace
}  // namespace zd_test::dialogs
