#include "print/report_page.h"

#include <gtest/gtest.h>

#include "../files/test_support.h"

namespace zd {
namespace {

TEST(ReportPage, PagesAndRowsOfAList) {
  struct Case {
    int rows, pages, rowsOnLast;
  };
  const Case cases[] = {{0, 0, 0}, {1, 1, 1}, {30, 1, 30}, {31, 2, 1}, {60, 2, 30}, {200, 7, 20}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rows);
    EXPECT_EQ(ReportPageCount(c.rows), c.pages);
    EXPECT_EQ(ReportRowsOnPage(c.rows, c.pages), c.rowsOnLast);
    if (c.pages > 1) {
      EXPECT_EQ(ReportRowsOnPage(c.rows, 1), 30);
    }
    EXPECT_EQ(ReportRowsOnPage(c.rows, c.pages + 1), 0);
  }
  EXPECT_EQ(ReportRowsOnPage(10, 0), 0);
  EXPECT_EQ(ReportPageNumber(2, 7), "Page 2 /7");
  // The outline of a page's last row closes 20 units below its top.
  EXPECT_EQ(ReportRowTop(30), 872);
  EXPECT_EQ(ReportRowTop(1), 292);
}

TEST(ReportPage, InformationOfANationalAndAnInternationalEvent) {
  EventInformation info;
  info.eventName = "i_n_t_Grand Prix d'\xC9t\xE9";
  info.championship = "Ligue Sud";
  info.place = "Albi";
  info.date = "12/07/2026";
  info.raceDirector = "Jean Marc";
  info.club = "RC Albi";
  ReportInformation r = MakeReportInformation(info, "COURSE 1", ReportEventLine::kEventAndRace);
  EXPECT_TRUE(r.international);
  EXPECT_EQ(r.eventLine, "Grand Prix d'\xC9t\xE9 / COURSE 1");
  EXPECT_EQ(r.championship, "Ligue Sud");
  EXPECT_EQ(r.place, "Albi");
  EXPECT_EQ(r.date, "12/07/2026");
  EXPECT_EQ(r.raceDirector, "Jean Marc");
  EXPECT_EQ(r.club, "RC Albi");

  info.eventName = "Coupe i_n_t_";
  r = MakeReportInformation(info, "COURSE 1", ReportEventLine::kEventAlone);
  EXPECT_FALSE(r.international);
  EXPECT_EQ(r.eventLine, "Coupe i_n_t_");
}

class ReportInformationFile : public test::NewRaceFileTest {};

TEST_F(ReportInformationFile, ReadFromTheRaceFileOrEmptyWithoutTheSection) {
  TextFile f = Open();
  ReportInformation r = ReadReportInformation(f, "COURSE 2", ReportEventLine::kEventAndRace);
  EXPECT_EQ(r.eventLine, " / COURSE 2");
  EXPECT_TRUE(r.championship.empty());
  EXPECT_FALSE(r.international);

  EventInformation info;
  info.eventName = "i_n_t_Coupe";
  info.place = "Albi";
  ASSERT_TRUE(WriteInformationSection(f, info).ok);
  r = ReadReportInformation(f, "", ReportEventLine::kEventAlone);
  EXPECT_EQ(r.eventLine, "Coupe");
  EXPECT_EQ(r.place, "Albi");
  EXPECT_TRUE(r.international);
}

}  // namespace
}  // namespace zd
