// The drivers and cars/motorbikes dialogs without their windows: their tie to the lists of clubs,
// cars, categories and age categories.

#include "databases/driver_databases.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "../files/data_folder_fixture.h"
#include "database_test_support.h"
#include "files/text_file.h"
#include "files/whole_file.h"

namespace zd {
namespace {

using test::FileBytes;
using test::Keys;

// A drivers line: sex, name, eight texts, birth, licence, club, car, number, transponder, photo.
std::string Driver(const std::string& name, const std::string& birth = "0",
                   const std::string& club = "", const std::string& car = "") {
  return "1\t" + name + "\t\t\t\t\t\t\t\t" + birth + "\t\t" + club + "\t" + car + "\t\t\t\t\r\n";
}

class Drivers : public test::DataFolderTest {
 protected:
  void SetUp() override {
    DataFolderTest::SetUp();
    model_ = std::make_unique<DriversModel>(DriversDescriptor());
  }
  std::unique_ptr<DriversModel> model_;
};

TEST_F(Drivers, NewNamesTheProgramKeepsAreRefusedSilently) {
  ASSERT_TRUE(WriteWholeFile(kDriversFile, Driver("Martin")));
  ASSERT_FALSE(model_->load());
  struct Case {
    const char* typed;
    bool added;
  };
  for (const Case& c : {Case{"(NA)", false}, Case{"xDadevuDorex", false}, Case{"DadevuDore", false},
                        Case{"dadevudore", true}, Case{"(na)", true}, Case{" Bob", false},
                        Case{"MARTIN", false}}) {
    const auto result = model_->add(c.typed);
    EXPECT_EQ(result.added, c.added) << c.typed;
    EXPECT_FALSE(result.message) << c.typed;
  }
  EXPECT_EQ(Keys(*model_), "(na)|dadevudore|Martin|");
  EXPECT_EQ(model_->selectedRecord()->sex, 1);
}

TEST_F(Drivers, TheLastDriverIsNotDeleted) {
  ASSERT_TRUE(WriteWholeFile(kDriversFile, Driver("Martin") + Driver("Abel")));
  ASSERT_FALSE(model_->load());
  model_->select(1);
  EXPECT_TRUE(model_->remove());
  EXPECT_EQ(Keys(*model_), "Martin|");
  EXPECT_FALSE(model_->remove());
  EXPECT_EQ(Keys(*model_), "Martin|");
}

TEST_F(Drivers, AFileWithAnEmptyThirdNameListsTwoDrivers) {
  ASSERT_TRUE(WriteWholeFile(kDriversFile, Driver("Martin") + Driver("Abel") + Driver("") +
                                               Driver("Zoe")));
  ASSERT_FALSE(model_->load());
  EXPECT_EQ(Keys(*model_), "Martin|Abel|");
  ASSERT_FALSE(model_->save());
  EXPECT_EQ(FileBytes(kDriversFile), Driver("Martin") + Driver("Abel"));
}

TEST(DriverBirth, ANegativeOrFutureBirthIsReadAsZero) {
  const int32_t now = BirthMonthCount(2026, 2);
  struct Case {
    const char* text;
    int32_t count;
  };
  for (const Case& c : {Case{"1323", 1323}, Case{"-5", 0}, Case{"1515", 0}, Case{"1514", 1514},
                        Case{"", 0}, Case{"abc", 0}, Case{"12x", 12}}) {
    EXPECT_EQ(BirthMonthCountOf(c.text, now), c.count) << c.text;
  }
  DriverRecord d;
  SetDriverBirth(d, 3, 110);
  EXPECT_EQ(d.birthMonthCount, 1323);
  EXPECT_EQ(d.birth.view(), "1323");
  EXPECT_EQ(BirthYearIndex(d), 110);
  EXPECT_EQ(BirthMonthIndex(d), 3);
}

TEST(DriverNormalising, ListsThatWereReadClearWhatTheyDoNotHold) {
  auto table = std::make_unique<DriverTable>();
  ClearDriverTable(*table);
  (*table)[0].name = "Martin";
  (*table)[0].club = "Gone";
  (*table)[0].vehicle = "KTM 125";
  (*table)[0].birth = "-3";
  (*table)[1].name = "Abel";
  (*table)[1].club = "ASK";
  (*table)[1].vehicle = "Old car";
  (*table)[1].birth = "900";
  const ReadList clubs = std::vector<std::string>{"ASK", "Moto Club"};
  const ReadList cars = std::vector<std::string>{"KTM 125"};
  NormaliseDriverTable(*table, clubs, cars, 1500);
  EXPECT_EQ((*table)[0].club.view(), "");
  EXPECT_EQ((*table)[0].vehicle.view(), "KTM 125");
  EXPECT_EQ((*table)[0].birth.view(), "0");
  EXPECT_EQ((*table)[1].club.view(), "ASK");
  EXPECT_EQ((*table)[1].vehicle.view(), "");
  EXPECT_EQ((*table)[1].birthMonthCount, 900);

  // A list whose file could not be read clears nothing.
  (*table)[1].club = "Gone";
  (*table)[1].vehicle = "Old car";
  NormaliseDriverTable(*table, std::nullopt, std::nullopt, 1500);
  EXPECT_EQ((*table)[1].club.view(), "Gone");
  EXPECT_EQ((*table)[1].vehicle.view(), "Old car");
  // Clubs compare exactly, letter case included.
  NormaliseDriverTable(*table, std::vector<std::string>{"gone"}, std::nullopt, 1500);
  EXPECT_EQ((*table)[1].club.view(), "");
}

TEST(DriverAgeCategory, TheLastEnclosingCategoryIsShown) {
  AgeCategoryTable categories;
  ClearAgeCategoryTable(categories);
  auto set = [&](int i, const char* code, const char* name, int32_t from, int32_t to) {
    categories[i].code = code;
    categories[i].name = name;
    categories[i].fromCount = from;
    categories[i].toCount = to;
  };
  set(0, "SEN", "Seniors", 0, 1300);
  set(1, "VET", "Vétérans", 1000, 1100);
  set(2, "", "No code", 0, 2000);
  set(3, "JUN", "Juniors", 1200, 1300);
  EXPECT_EQ(ShowAgeCategory(categories, 1050), "VET : Vétérans");
  EXPECT_EQ(ShowAgeCategory(categories, 1100), "VET : Vétérans");
  EXPECT_EQ(ShowAgeCategory(categories, 1101), "SEN : Seniors");
  EXPECT_EQ(ShowAgeCategory(categories, 1250), "JUN : Juniors");
  EXPECT_EQ(ShowAgeCategory(categories, 1400), " ");
}

TEST(VehicleCategoryCheck, AnAbsentCategoryIsClearedAndOnlyTheFirstFiftyCount) {
  auto table = std::make_unique<VehicleTable>();
  ClearVehicleTable(*table);
  (*table)[0].name = "A";
  (*table)[0].category = "Gone";
  (*table)[1].name = "B";
  (*table)[1].category = "Class 05";
  (*table)[2].name = "C";
  (*table)[2].category = "zz last";
  // 51 categories: the combo sorts them, and "zz last" comes 51st whatever the file's order.
  std::vector<std::string> categories{"zz last"};
  for (int i = 0; i < 50; ++i) categories.push_back("Class " + std::string(i < 10 ? "0" : "") + std::to_string(i));
  CheckVehicleCategories(*table, categories);
  EXPECT_EQ((*table)[0].category.view(), "");
  EXPECT_EQ((*table)[1].category.view(), "Class 05");
  EXPECT_EQ((*table)[2].category.view(), "");

  (*table)[0].category = "Gone";
  CheckVehicleCategories(*table, std::nullopt);
  EXPECT_EQ((*table)[0].category.view(), "Gone");
}

class Vehicles : public test::DataFolderTest {};

TEST_F(Vehicles, TheOnlyRecordDeletedLeavesAnEmptyFileAndTheFiveHundredFirstIsRefused) {
  ASSERT_TRUE(WriteWholeFile(kVehiclesFile, "KTM\tKTM\tSX\t\t\t\r\n"));
  VehiclesModel model(VehiclesDescriptor());
  ASSERT_FALSE(model.load());
  EXPECT_TRUE(model.remove());
  EXPECT_EQ(model.count(), 0);
  EXPECT_FALSE(model.remove());
  ASSERT_FALSE(model.save());
  EXPECT_EQ(FileBytes(kVehiclesFile), "");

  for (int i = 0; i < 500; ++i) ASSERT_TRUE(model.add("Car " + std::to_string(i)).added) << i;
  EXPECT_FALSE(model.add("Car 500").added);
  EXPECT_FALSE(model.add("car 7").added);
  EXPECT_EQ(model.count(), 500);
}

}  // namespace
}  // namespace zd
