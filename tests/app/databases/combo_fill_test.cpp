#include "gtest_win32.h"

#include <ctime>
#include <memory>
#include <string>

#include "databases/combo_fill.h"
#include "files/databases.h"

namespace {

// A combo box of its own and a scratch folder made current for the core's relative paths.
class ComboFillTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    ASSERT_GT(GetTempPathA(sizeof temp, temp), 0u);
    folder_ = std::string(temp) + "zdcombo" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
    ASSERT_GT(GetCurrentDirectoryA(sizeof previous_, previous_), 0u);
    ASSERT_TRUE(SetCurrentDirectoryA(folder_.c_str()));
    combo_ = CreateWindowA("COMBOBOX", "", WS_POPUP | CBS_DROPDOWNLIST, 0, 0, 200, 200, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(combo_, nullptr);
  }
  void TearDown() override {
    DestroyWindow(combo_);
    ASSERT_TRUE(SetCurrentDirectoryA(previous_));
    // The files the tests made, then the folder.
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder_ + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        DeleteFileA((folder_ + "\\" + found.cFileName).c_str());
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
    RemoveDirectoryA(folder_.c_str());
  }
  int Count() { return static_cast<int>(SendMessageA(combo_, CB_GETCOUNT, 0, 0)); }
  std::string Item(int i) {
    char text[256] = {};
    SendMessageA(combo_, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    return text;
  }

  std::string folder_;
  char previous_[4096] = {};
  HWND combo_ = nullptr;
};

TEST_F(ComboFillTest, OffersTheRecordsNotTheLinesOfTheFile) {
  auto table = std::make_unique<zd::VehicleCategoryTable>();
  zd::ClearVehicleCategoryTable(*table);
  (*table)[0].name = "1/8 TT";
  (*table)[0].characteristics = "moteur thermique\npneus \xE0 crampons\n4 roues motrices";
  (*table)[2].name = "1/10 Piste";  // after an empty line
  ASSERT_TRUE(zd::WriteVehicleCategories(zd::kVehicleCategoriesFile, *table, 3));

  EXPECT_EQ(zd::FillVehicleCategoryCombo(combo_), 1);
  // The description's line breaks add no false categories, the empty name no item.
  ASSERT_EQ(Count(), 2);
  EXPECT_EQ(Item(0), "1/8 TT");
  EXPECT_EQ(Item(1), "1/10 Piste");

  // A missing file: 0, and the combo box keeps what it had.
  EXPECT_EQ(zd::FillClubCombo(combo_), 0);
  EXPECT_EQ(Count(), 2);
}

TEST_F(ComboFillTest, MonthsAndYears) {
  zd::FillMonthCombo(combo_, 1);
  ASSERT_EQ(Count(), 12);
  EXPECT_EQ(Item(0), "janvier");
  EXPECT_EQ(Item(11), "d\xE9" "cembre");

  SendMessageA(combo_, CB_RESETCONTENT, 0, 0);
  zd::FillYearCombo(combo_);
  std::time_t now = std::time(nullptr);
  int year = std::localtime(&now)->tm_year + 1900;
  ASSERT_EQ(Count(), year - 1899);
  EXPECT_EQ(Item(0), "1900");
  EXPECT_EQ(Item(year - 1900), std::to_string(year));  // index = year - 1900
}

}  // namespace
