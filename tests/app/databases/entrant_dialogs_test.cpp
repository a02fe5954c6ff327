// The age categories, vehicle categories, cars/motorbikes and drivers dialogs opened from the main
// window's menu, driven by messages as their user would, and the files they write.

#include "gtest_win32.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "databases/dialog_driver.h"
#include "databases/entrant_dialogs.h"
#include "files/databases.h"
#include "files/translation.h"
#include "live/picture_preview.h"
#include "main/chooser_answer.h"
#include "main/main_window_state.h"
#include "unix_shell.h"
#include "wait_for.h"

namespace {

using namespace zd_test::dialogs;
using zd_test::InDataFolder;
using zd_test::ReadWindowsFile;
using zd_test::SameBytes;
using zd_test::WriteWindowsFile;

constexpr int kVehicleCategoriesCommand = 1006;
constexpr int kVehiclesCommand = 1007;
constexpr int kAgeCategoriesCommand = 1009;
constexpr int kDriversCommand = 1010;

constexpr const char* kBaseCategoriesTrans = "Translation/BaseCategories.trans";
constexpr const char* kBaseCategoriesAgeTrans = "Translation/BaseCategoriesAge.trans";
constexpr const char* kPhoto = "Images\\zd_driver_photo.jpg";

class EntrantDialogs : public DatabaseDialogTest {
 protected:
  EntrantDialogs()
      : DatabaseDialogTest({zd::kAgeCategoriesFile, zd::kVehicleCategoriesFile, zd::kVehiclesFile,
                            zd::kDriversFile, zd::kClubsFile, zd::kLanguageSettingsFile,
                            kBaseCategoriesTrans, kBaseCategoriesAgeTrans, kPhoto,
                            zd::kConvertedPicturePath}) {}

  void SetLanguage(int language) {
    SetWorking(zd::kLanguageSettingsFile, std::to_string(language) + "\t" +
                                              std::to_string(language) + "\t\r\n");
  }
  void Remove(const char* name) { DeleteFileA(InDataFolder(name).c_str()); }
  void Choose(HWND d, int combo, int item) {
    SendDlgItemMessageA(d, combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    SendMessageA(d, WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(d, combo)));
  }
  int Chosen(HWND d, int combo) {
    return static_cast<int>(SendDlgItemMessageA(d, combo, CB_GETCURSEL, 0, 0));
  }
  std::string ChosenText(HWND d, int combo) {
    char text[256] = {};
    const LRESULT item = SendDlgItemMessageA(d, combo, CB_GETCURSEL, 0, 0);
    if (item >= 0) SendDlgItemMessageA(d, combo, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text));
    return text;
  }
  // A rectangle of template pixels (two to a dialog unit) in the dialog's client pixels.
  RECT Mapped(HWND d, RECT r) {
    RECT m{r.left / 2, r.top / 2, r.right / 2, r.bottom / 2};
    MapDialogRect(d, &m);
    return m;
  }
  void DoubleClick(HWND d, UINT message, POINT at) {
    SendMessageA(d, message, 0, MAKELPARAM(at.x, at.y));
  }
};

std::string AgeText(int32_t count, const char* unit) {
  const int32_t years = (zd::CurrentBirthMonthCount() - count) / 12;
  return "(" + std::to_string(years) + " " + unit + ")";
}

TEST_F(EntrantDialogs, AgeCategoriesKeepTheirOrderBoundsAndLanguage) {
  SetLanguage(zd::kLanguageGerman);
  // Born from January 2000 to December 2005; a second one from 1990 to 1999.
  SetWorking(zd::kAgeCategoriesFile,
             "1\t0\t100\t11\t105\t1200\t1271\tMIN\tMinimes\t\r\n"
             "1\t0\t90\t11\t99\t1080\t1199\tCAD\tCadets\t\r\n");
  WithDialog(kAgeCategoriesCommand, "Base de données Catégories d'age", zd::kAgeCodesList, [&](HWND d) {
    EXPECT_EQ(Lines(d, zd::kAgeCodesList), (std::vector<std::string>{"MIN", "CAD"}));
    EXPECT_EQ(Text(d, 3306), "MIN");
    EXPECT_EQ(Text(d, 3307), "Minimes");
    EXPECT_EQ(ChosenText(d, 3308), "Januar");
    EXPECT_EQ(ChosenText(d, 3311), "2005");
    EXPECT_EQ(Text(d, 3312), AgeText(1200, "Jahre"));
    EXPECT_EQ(FontOf(d, 3313).lfWeight, FW_BOLD);

    Type(d, 3305, "A B");
    Click(d, 3301);
    Type(d, 3305, "b2");
    Click(d, 3301);
    EXPECT_EQ(Lines(d, zd::kAgeCodesList), (std::vector<std::string>{"MIN", "CAD", "b2"}));
    EXPECT_EQ(Lines(d, 3303), (std::vector<std::string>{"3"}));
    EXPECT_EQ(ChosenText(d, 3309), "1900");
    EXPECT_EQ(ChosenText(d, 3311), "1900");
    Type(d, 3307, "Moins-de-12");
    Choose(d, 3311, 112);  // born-to 2012
    Choose(d, 3309, 113);  // born-from 2013, after born-to: takes born-to's January 2012
    EXPECT_EQ(ChosenText(d, 3309), "2012");
    Choose(d, 3310, 5);  // born-to June 2012
    Choose(d, 3308, 7);  // born-from August 2012, after born-to: takes June
    EXPECT_EQ(ChosenText(d, 3308), "Juni");
    Choose(d, 3311, 111);  // born-to 2011, before born-from: takes June 2012
    EXPECT_EQ(ChosenText(d, 3310), "Juni");
    EXPECT_EQ(ChosenText(d, 3311), "2012");
    EXPECT_EQ(Text(d, 3313), AgeText(112 * 12 + 5, "Jahre"));

    SelectLine(d, zd::kAgeCodesList, 1);
    Click(d, 3302);
    EXPECT_EQ(Lines(d, zd::kAgeCodesList), (std::vector<std::string>{"MIN", "b2"}));
    EXPECT_EQ(Text(d, 3306), "MIN");
    EXPECT_TRUE(PressOk(d));
  });
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Fehler");
  const std::string written =
      "1\t0\t100\t11\t105\t1200\t1271\tMIN\tMinimes\t\r\n"
      "1\t5\t112\t5\t112\t1349\t1349\tb2\tMoins_de_12\t\r\n";
  EXPECT_TRUE(SameBytes(Working(zd::kAgeCategoriesFile), written));
  EXPECT_EQ(zd::MainState().ageCategories[1].code.view(), "b2");
  EXPECT_EQ(zd::MainState().ageCategories[2].code.view(), "");
}

TEST_F(EntrantDialogs, VehicleCategoriesFollowTheLanguageAndWorkWithoutButtonTexts) {
  SetLanguage(zd::kLanguageGerman);
  SetWorking(kBaseCategoriesTrans,
             "6\t4\t\r\n"
             "Cars\tVoitures\tDatenbank : Kategorien\tAuto\tCarros\tCoches\t\r\n"
             "Cat\tCat\tKategorien  (50 max)\tCat\tCat\tCat\t\r\n"
             "Short\tRapide\tKurzbeschreibung :\tBreve\tBreve\tBreve\t\r\n"
             "Char\tCar\tMerkmale :\tCar\tCar\tCar\t\r\n");
  Remove(kBaseCategoriesAgeTrans);
  SetWorking(zd::kVehicleCategoriesFile, "Open\tOuverte\t\t\r\n");
  WithDialog(kVehicleCategoriesCommand, "Datenbank Kategorien", zd::kVehicleCategoriesList,
             [&](HWND d) {
               EXPECT_EQ(Text(d, 3011), "Datenbank : Kategorien");
               EXPECT_EQ(Text(d, 3016), "Merkmale :");
               for (int id : {3001, 3002, 3009, 3010, IDOK, IDCANCEL, 3012, 3013}) {
                 EXPECT_EQ(Text(d, id), "") << id;
               }
               RECT label{};
               GetWindowRect(GetDlgItem(d, 3016), &label);
               MapWindowPoints(nullptr, d, reinterpret_cast<POINT*>(&label), 2);
               const RECT expected = Mapped(d, {455, 340, 530, 362});
               EXPECT_EQ(label.left, expected.left);
               EXPECT_EQ(label.top, expected.top);

               Type(d, 3005, "Catégorie");
               Click(d, 3001);
               Type(d, 3005, "Mini 50");
               Click(d, 3001);
               EXPECT_EQ(Lines(d, zd::kVehicleCategoriesList),
                         (std::vector<std::string>{"Mini 50", "Open"}));
               Type(d, 3007, "Petites");
               Type(d, 3008, "ligne 1\r\nligne 2");
               EXPECT_TRUE(PressOk(d));
             });
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, "Error: The translation file 'BaseCategoriesAge.trans' has not been found");
  EXPECT_EQ(boxes[1].caption, "Fehler");
  EXPECT_TRUE(SameBytes(Working(zd::kVehicleCategoriesFile),
                        "Mini 50\tPetites\tligne 1\r\nligne 2\t\r\nOpen\tOuverte\t\t\r\n"));
}

TEST_F(EntrantDialogs, CarsLoseAbsentCategoriesAndTheLastOneCanGo) {
  SetWorking(zd::kVehicleCategoriesFile, "Open\t\t\t\r\nMini\t\t\t\r\n");
  SetWorking(zd::kVehiclesFile, "KTM\tKTM\tSX\tGone\t\t\r\nYam\tYamaha\tYZ\tOpen\t\t\r\n");
  WithDialog(kVehiclesCommand, "Base de données Voitures/Motos", zd::kVehiclesList, [&](HWND d) {
    EXPECT_EQ(Lines(d, 3109), std::vector<std::string>{});  // the combo's list is not a list box
    EXPECT_EQ(Chosen(d, 3109), CB_ERR);
    SelectLine(d, zd::kVehiclesList, 1);
    EXPECT_EQ(ChosenText(d, 3109), "Open");
    Choose(d, 3109, static_cast<int>(SendDlgItemMessageA(d, 3109, CB_FINDSTRINGEXACT, -1,
                                                         reinterpret_cast<LPARAM>("Mini"))));
    Type(d, 3108, "YZ 125");
    SelectLine(d, zd::kVehiclesList, 0);
    Click(d, 3102);
    EXPECT_EQ(Lines(d, zd::kVehiclesList), (std::vector<std::string>{"Yam"}));
    EXPECT_TRUE(PressOk(d));
  });
  EXPECT_TRUE(SameBytes(Working(zd::kVehiclesFile), "Yam\tYamaha\tYZ 125\tMini\t\t\r\n"));

  WithDialog(kVehiclesCommand, "Base de données Voitures/Motos", zd::kVehiclesList, [&](HWND d) {
    Click(d, 3102);
    EXPECT_TRUE(Lines(d, zd::kVehiclesList).empty());
    Click(d, 3102);
    Type(d, 3107, "nothing to take it");
    EXPECT_TRUE(PressOk(d));
  });
  EXPECT_TRUE(SameBytes(Working(zd::kVehiclesFile), ""));
  EXPECT_TRUE(boxes.empty());
}

// A drivers line: sex, name, address, address continued, postcode, city, country, phone, e-mail,
// birth, licence, club, car, number, transponder, photo.
std::string Driver(const std::string& name, const std::string& birth, const std::string& club,
                   const std::string& car, const std::string& transponder = "",
                   const std::string& photo = "") {
  return "1\t" + name + "\t\t\t\t\t\t\t\t" + birth + "\t\t" + club + "\t" + car + "\t\t" +
         transponder + "\t" + photo + "\t\r\n";
}

TEST_F(EntrantDialogs, DriversAreNormalisedEditedAndWritten) {
  SetLanguage(zd::kLanguageFrench);
  SetWorking(zd::kClubsFile, "ASK\t\t\t\t\t\t\t\t\t\r\n");
  SetWorking(zd::kVehiclesFile, "KTM\t\t\t\t\t\r\n");
  SetWorking(zd::kAgeCategoriesFile,
             "1\t0\t100\t11\t110\t1200\t1331\tSEN\tSeniors\t\r\n"
             "1\t0\t105\t11\t106\t1260\t1283\tJUN\tJuniors\t\r\n");
  SetWorking(zd::kDriversFile, Driver("Abel", "1265", "ASK", "KTM", "123456") +
                                   Driver("Martin", "-4", "Gone", "Old car") +
                                   Driver("", "0", "", "") + Driver("Zoe", "0", "", ""));
  WithDialog(kDriversCommand, "Base de données Pilotes", zd::kDriversList, [&](HWND d) {
    EXPECT_EQ(Lines(d, zd::kDriversList), (std::vector<std::string>{"Abel", "Martin"}));
    EXPECT_EQ(Text(d, 3416), "JUN : Juniors");
    EXPECT_EQ(ChosenText(d, 3414), "juin");
    EXPECT_EQ(ChosenText(d, 3415), "2005");
    EXPECT_EQ(ChosenText(d, 3420), "ASK");
    // Pasted, a letter passes the digits-only style but is no number.
    Type(d, 3423, "65a32");
    Type(d, 3405, "(NA)");
    Click(d, 3401);
    EXPECT_EQ(Lines(d, zd::kDriversList).size(), 2u);
    // "Ok" shows the stored number back and stays open.
    EXPECT_FALSE(PressOk(d));
    EXPECT_EQ(Text(d, 3423), "123456");

    SelectLine(d, zd::kDriversList, 1);
    EXPECT_EQ(ChosenText(d, 3415), "1900");
    EXPECT_EQ(Chosen(d, 3420), CB_ERR);
    EXPECT_EQ(Text(d, 3416), " ");
    Choose(d, 3415, 102);  // January 2002: seniors only
    EXPECT_EQ(Text(d, 3416), "SEN : Seniors");
    SendDlgItemMessageA(d, 3418, BM_CLICK, 0, 0);
    Type(d, 3423, "654321");
    Type(d, 3407, "1 rue\tdes Lilas");
    EXPECT_TRUE(PressOk(d));
  });
  EXPECT_TRUE(boxes.empty());
  EXPECT_TRUE(SameBytes(Working(zd::kDriversFile),
                        Driver("Abel", "1265", "ASK", "KTM", "123456") +
                            "0\tMartin\t1 rue des Lilas\t\t\t\t\t\t\t1224\t\t\t\t\t654321\t\t\r\n"));
  EXPECT_EQ(zd::MainState().drivers[1].name.view(), "Martin");
  EXPECT_EQ(zd::MainState().drivers[1].birthMonthCount, 1224);
  EXPECT_EQ(zd::MainState().drivers[2].name.view(), "");

  // Without a clubs file nothing is cleared; the last driver stays.
  Remove(zd::kClubsFile);
  SetWorking(zd::kDriversFile, Driver("Abel", "1265", "Gone", "KTM"));
  WithDialog(kDriversCommand, "Base de données Pilotes", zd::kDriversList, [&](HWND d) {
    Type(d, 3405, "Bob");
    Click(d, 3402);
    EXPECT_EQ(Text(d, 3405), "");
    EXPECT_EQ(Lines(d, zd::kDriversList), (std::vector<std::string>{"Abel"}));
    EXPECT_TRUE(PressOk(d));
  });
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Error : 'Clubs/Teams' database file not found");
  EXPECT_TRUE(SameBytes(Working(zd::kDriversFile), Driver("Abel", "1265", "Gone", "KTM")));
}

// A transponder typed short is the decoder's number with leading zeros; the edit shows it whole
// once left.
TEST_F(EntrantDialogs, ADriversTransponderTypedShortIsStoredWithSixDigits) {
  struct Case {
    const char* name;
    const char* typed;
    const char* stored;
  };
  const Case cases[] = {{"Abel", "101", "000101"}, {"Bob", "7", "000007"},
                        {"Carl", "98765", "098765"}, {"Dan", "", ""}};
  std::string before, after;
  for (const Case& c : cases) {
    before += Driver(c.name, "0", "", "", "123456");
    // The last one is typed again before "Ok".
    after += Driver(c.name, "0", "", "", &c == &cases[3] ? "000042" : c.stored);
  }
  SetWorking(zd::kDriversFile, before);
  WithDialog(kDriversCommand, "Base de données Pilotes", zd::kDriversList, [&](HWND d) {
    EXPECT_TRUE(ShowsWhole(d, 3423, "000000"));
    for (int i = 0; i < 4; ++i) {
      SCOPED_TRACE(cases[i].typed);
      SelectLine(d, zd::kDriversList, i);
      Type(d, 3423, cases[i].typed);
      EXPECT_EQ(Text(d, 3423), cases[i].typed);
      Leave(d, 3423);
      EXPECT_EQ(Text(d, 3423), cases[i].stored);
      if (i == 0) SaveDialogPicture(d, "drivers_transponder.png");
    }
    Type(d, 3423, "42");  // "Ok" straight after typing
    EXPECT_TRUE(PressOk(d));
  });
  EXPECT_TRUE(SameBytes(Working(zd::kDriversFile), after));
}

// The import chooser offers the working file of another PC beside the export files.
TEST_F(EntrantDialogs, DriversImportTheWorkingFileOfAnotherPc) {
  SetWorking(zd::kDriversFile, Driver("Abel", "0", "", ""));
  const std::string other = Outside(zd::kDriversFile);
  ASSERT_TRUE(zd_test::WriteWindowsFile(other, Driver("Zoe", "0", "", "", "004242")));
  WithDialog(kDriversCommand, "Base de données Pilotes", zd::kDriversList, [&](HWND d) {
    zd_test::ChooserAnswer answer(other);
    Click(d, 3424);
    EXPECT_TRUE(answer.answered());
    EXPECT_EQ(answer.offeredFilters(),
              (std::vector<std::string>{"BD Pilotes (*.bdp3)", "Ancienne BD Pilotes(*.bd)"}));
    EXPECT_EQ(answer.shownFilter(), "BD Pilotes (*.bdp3)");
    EXPECT_EQ(Lines(d, zd::kDriversList), std::vector<std::string>{"Zoe"});
    EXPECT_EQ(Text(d, 3423), "004242");
    EXPECT_TRUE(PressOk(d));
  });
  EXPECT_TRUE(SameBytes(Working(zd::kDriversFile), Driver("Zoe", "0", "", "", "004242")));
}

// Hangs under Wine before its first check: to be found before it runs again.
TEST_F(EntrantDialogs, ADriversPhotoIsPickedDrawnAndRemovedByDoubleClicks) {
  ASSERT_TRUE(zd_test::MakePicture("-size 100x50 xc:'#2050c0'", InDataFolder(kPhoto)));
  SetWorking(zd::kDriversFile, Driver("Abel", "0", "", ""));
  const std::string photoPath = InDataFolder(kPhoto);
  WithDialog(kDriversCommand, "Base de données Pilotes", zd::kDriversList, [&](HWND d) {
    const RECT box = Mapped(d, {544, 35, 754, 179});
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(d, 3444)));
    {
      zd_test::ChooserAnswer answer(photoPath);
      DoubleClick(d, WM_LBUTTONDBLCLK, {box.left - 40, box.top + 20});  // outside
      EXPECT_FALSE(answer.answered());
      DoubleClick(d, WM_LBUTTONDBLCLK, {box.left + 20, box.top + 20});
      EXPECT_TRUE(answer.answered());
      EXPECT_EQ(answer.shownFilter(), "Images (*.BMP; *.JPG)");
    }
    UpdateWindow(d);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(d, 3444)));
    const zd::PictureSize fitted =
        zd::FitPictureInBox(100, 50, box.right - box.left, box.bottom - box.top);
    HDC dc = GetDC(d);
    const COLORREF inside = GetPixel(dc, box.left + fitted.cx / 2, box.top + fitted.cy / 2);
    const COLORREF below = GetPixel(dc, box.left + fitted.cx / 2, box.top + fitted.cy + 5);
    ReleaseDC(d, dc);
    EXPECT_NEAR(GetBValue(inside), 0xc0, 12);
    EXPECT_NEAR(GetRValue(inside), 0x20, 12);
    EXPECT_NE(below, inside);

    DoubleClick(d, WM_RBUTTONDBLCLK, {box.left - 40, box.top + 20});  // outside: kept
    UpdateWindow(d);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(d, 3444)));
    DoubleClick(d, WM_RBUTTONDBLCLK, {box.left + 20, box.top + 20});
    UpdateWindow(d);
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(d, 3444)));
    EXPECT_TRUE(PressOk(d));
  });
  EXPECT_TRUE(SameBytes(Working(zd::kDriversFile), Driver("Abel", "0", "", "", "", "")));
}

// Opening with full tables: 500 drivers, 100 clubs and 500 cars.
TEST_F(EntrantDialogs, TimedOpeningOfTheDriversWithFullTables) {
  std::string clubs, cars, drivers;
  for (int i = 0; i < 100; ++i) clubs += "Club" + std::to_string(i) + "\t\t\t\t\t\t\t\t\t\r\n";
  for (int i = 0; i < 500; ++i) cars += "Car" + std::to_string(i) + "\t\t\t\t\t\r\n";
  for (int i = 0; i < 500; ++i) {
    drivers += Driver("Driver" + std::to_string(1000 + i), "1200", "Club" + std::to_string(i % 100),
                      "Car" + std::to_string(i));
  }
  SetWorking(zd::kClubsFile, clubs);
  SetWorking(zd::kVehiclesFile, cars);
  SetWorking(zd::kDriversFile, drivers);
  const auto start = std::chrono::steady_clock::now();
  std::chrono::steady_clock::duration opened{};
  WithDialog(kDriversCommand, "Base de données Pilotes", zd::kDriversList, [&](HWND d) {
    opened = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(Lines(d, zd::kDriversList).size(), 500u);
    EXPECT_EQ(ChosenText(d, 3420), "Club0");
    Click(d, IDCANCEL);
  });
  std::printf("Drivers dialog opened with full tables in %lld ms\n",
              static_cast<long long>(
                  std::chrono::duration_cast<std::chrono::milliseconds>(opened).count()));
}

}  // namespace
