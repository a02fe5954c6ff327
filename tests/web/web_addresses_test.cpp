// The site's settings file, the addresses built from it with their percent-encoding, and the
// bytes an upload sends.

#include "web/web_addresses.h"

#include <gtest/gtest.h>

#include "../files/data_folder_fixture.h"
#include "files/codepage.h"
#include "web/internet_settings.h"
#include "web/upload_file.h"

namespace zd {
namespace {

using test::WriteBytes;

struct EncodingCase {
  const char* text;  // Windows-1252
  const char* encoded;
};

TEST(PercentEncodeTest, KeepsOnlyTheUnreservedCharacters) {
  const EncodingCase cases[] = {
      {"Ligue_Sud-2.0~x", "Ligue_Sud-2.0~x"},
      {"A&B", "A%26B"},
      {"#1", "%231"},
      {"100%", "100%25"},
      {"a+b c", "a%2Bb%20c"},
      {"A/B", "A%2FB"},
      {"?=", "%3F%3D"},
      {"Coupé", "Coup%C3%A9"},         // 1252 é becomes UTF-8 first
      {"\x80", "%E2%82%AC"},           // the euro sign
      {"\xFF", "%C3%BF"},
      {"\x81", "%C2%81"},              // undefined in 1252: its C1 control
      {"", ""},
  };
  for (const EncodingCase& c : cases) {
    EXPECT_EQ(PercentEncode(c.text), c.encoded) << c.encoded;
    EXPECT_EQ(PercentDecode(c.encoded), Cp1252ToUtf8(c.text)) << c.encoded;
  }
  // A stray "%" decodes as itself.
  EXPECT_EQ(PercentDecode("50%"), "50%");
  EXPECT_EQ(PercentDecode("%zz%4"), "%zz%4");
}

TEST(RaceWebNamesTest, BlanksAndSlashesBecomeUnderscoresAndOnlyTheKeyCarriesTheRace) {
  EXPECT_EQ(RaceWebFolder("Finale A/B"), "Finale_A_B");
  EXPECT_EQ(RaceWebKey(2, RaceWebFolder("Finale A/B")), "C2-Finale_A_B");
  // Other characters stay as they are; the encoding of the addresses takes care of them.
  EXPECT_EQ(RaceWebFolder("Coupé & #1"), "Coupé_&_#1");
  EXPECT_EQ(RaceWebFolder(std::string(35, 'x')).size(), 29u);
}

// Names as they come from files made elsewhere, each with the one folder it must give: as a race's
// or championship's folder (blanks made underscores), and as it stands in an address (a stored
// championship folder or event id). Windows-1252 here; the server holds them in UTF-8.
struct SegmentCase {
  std::string_view name;
  std::string_view folder;
  std::string_view asStored;
};
constexpr SegmentCase kSegmentCases[] = {
    {"Ligue A/B", "Ligue_A_B", "Ligue A_B"},
    {"..", "__", "__"},
    {".", "_", "_"},
    {"", "_", "_"},
    {"a\\b", "a_b", "a_b"},
    {"A%2FB", "A%2FB", "A%2FB"},  // typed as it stands: no separator once decoded
    {"Coupé 1.5", "Coupé_1.5", "Coupé 1.5"},
    {"..a", "..a", "..a"},
    {"Tab\tEnd\x7F\x81", "Tab_End__", "Tab_End__"},
};

TEST(WebAddressesTest, EveryNameGivesOneFolderInsideTheEventsFolder) {
  const WebSite site{"ftp://127.0.0.1:2121/", "http://site.test/", "user:pw"};
  const std::string area = "public_html/ZentrikRiduduzud/";
  auto path = [](const std::string& address) {
    FtpLocation at;
    EXPECT_TRUE(SplitFtpAddress(address, at)) << address;
    return at.path;
  };
  for (const SegmentCase& c : kSegmentCases) {
    SCOPED_TRACE(std::string(c.name));
    const std::string folder = Cp1252ToUtf8(c.folder);
    const std::string stored = Cp1252ToUtf8(c.asStored);
    EXPECT_EQ(Cp1252ToUtf8(RaceWebFolder(c.name)), folder);
    EXPECT_EQ(Cp1252ToUtf8(ChampionshipFolder(c.name)), folder);
    // The race, its archive, the championship and the event each stay one segment.
    EXPECT_EQ(path(ArchiveFileAddress(site, "Ligue_Sud", "GP_05_06_2012", RaceWebFolder(c.name),
                                      "Q1.txt")),
              area + "Ligue_Sud/GP_05_06_2012/" + folder + "/Q1.txt");
    EXPECT_EQ(path(ArchiveFileAddress(site, "Ligue_Sud", "GP_05_06_2012", "R", c.name)),
              area + "Ligue_Sud/GP_05_06_2012/R/" + stored);
    EXPECT_EQ(path(RaceFolderAddress(site, c.name, c.name, "R")),
              area + stored + "/" + stored + "/R/");
    EXPECT_EQ(path(LiveFileAddress(site, c.name, "GP")), area + stored + "/GP/RiduduzudLive.txt");
  // The archive script is asked for the folder that the FTP addresses look in.
    const std::string key = RaceWebKey(1, RaceWebFolder(c.name));
    EXPECT_EQ(ArchiveScriptAddress(site, c.name, c.name, key, "Q1.txt"),
              "http://site.test/ZentrikRiduduzud/AdditionArchive.php?country=" +
                  PercentEncode(c.asStored) + "&event=" + PercentEncode(c.asStored) +
                  "&race=" + PercentEncode(key) + "&archive=Q1.txt");
  }
  // Ordinary names are kept as the site holds them.
  EXPECT_EQ(ChampionshipFolder("Ligue du Sud"), "Ligue_du_Sud");
  EXPECT_EQ(SiteSegment("Grand_Prix_2_05_06_2012"), "Grand_Prix_2_05_06_2012");
}

TEST(WebAddressesTest, EachValueStaysInItsOwnSegmentOrQueryValue) {
  const WebSite site{"ftp://127.0.0.1:2121/", "http://site.test/", "user:pw"};
  EXPECT_EQ(LiveFileAddress(site, "Ligue_Sud", "GP_05_06_2012"),
            "ftp://127.0.0.1:2121/public_html/ZentrikRiduduzud/Ligue_Sud/GP_05_06_2012/"
            "RiduduzudLive.txt");
  EXPECT_EQ(EventFolderAddress(site, "Ligue_Sud", "GP"),
            "ftp://127.0.0.1:2121/public_html/ZentrikRiduduzud/Ligue_Sud/GP/");
  EXPECT_EQ(RaceFolderAddress(site, "L&S", "G#P", "Coupé"),
            "ftp://127.0.0.1:2121/public_html/ZentrikRiduduzud/L%26S/G%23P/Coup%C3%A9/");
  EXPECT_EQ(ArchiveFileAddress(site, "L", "E", "Finale_A_B", "QClassement-MF-Toutes-Toutes.txt"),
            "ftp://127.0.0.1:2121/public_html/ZentrikRiduduzud/L/E/Finale_A_B/"
            "QClassement-MF-Toutes-Toutes.txt");
  EXPECT_EQ(ArchiveScriptAddress(site, "L&S", "E", "C2-A+B", "Q1.txt"),
            "http://site.test/ZentrikRiduduzud/AdditionArchive.php?country=L%26S&event=E"
            "&race=C2-A%2BB&archive=Q1.txt");
  EXPECT_EQ(EventScriptAddress(site, "rename", "New", "Old", "N_01", ""),
            "http://site.test/ZentrikRiduduzud/CreationEvent.php?action=rename&payssaisie=New"
            "&paysfichier=Old&eventsaisie=N_01&eventfichier=");
  EXPECT_EQ(EventListAddress(site),
            "http://site.test/ZentrikRiduduzud/ListeEvents.php?lang=FR&country=_&event=_&race=_");
  // A root typed without its closing slash gets one.
  const WebSite bare{"ftp://host", "http://host", ""};
  EXPECT_EQ(EventFolderAddress(bare, "C", "E"), "ftp://host/public_html/ZentrikRiduduzud/C/E/");
  EXPECT_EQ(EventListAddress(bare).substr(0, 29), "http://host/ZentrikRiduduzud/");
}

TEST(WebAddressesTest, AnFtpAddressSplitsIntoHostPortAndTheDecodedPath) {
  FtpLocation at;
  ASSERT_TRUE(SplitFtpAddress("ftp://127.0.0.1:2121/public_html/A%26B/Coup%C3%A9/", at));
  EXPECT_EQ(at.host, "127.0.0.1");
  EXPECT_EQ(at.port, 2121);
  EXPECT_EQ(at.path, "public_html/A&B/Coup\xC3\xA9/");
  ASSERT_TRUE(SplitFtpAddress("ftp://site.test/", at));
  EXPECT_EQ(at.host, "site.test");
  EXPECT_EQ(at.port, 21);
  EXPECT_EQ(at.path, "");
  for (const char* bad : {"", "http://site.test/", "ftp://", "ftp:///x", "ftp://host",
                          "ftp://host:/", "ftp://host:70000/", "ftp://host:21x/"}) {
    EXPECT_FALSE(SplitFtpAddress(bad, at)) << bad;
  }
  // A path that decoding would take out of its segments is refused, whoever built it.
  for (const char* bad : {"ftp://h/a/%2F/b", "ftp://h/a%2Fb/", "ftp://h/a%5Cb", "ftp://h/a/../b",
                          "ftp://h/a/%2E%2E/b", "ftp://h/./b", "ftp://h/a//b", "ftp://h//",
                          "ftp://h/a%0Ab", "ftp://h/a%C2%85b", "ftp://h/a%7F"}) {
    EXPECT_FALSE(SplitFtpAddress(bad, at)) << bad;
  }
}

TEST(WebAddressesTest, TheAccountSplitsAtItsFirstColon) {
  EXPECT_EQ(SplitAccount("zentrik1:pass:word12").user, "zentrik1");
  EXPECT_EQ(SplitAccount("zentrik1:pass:word12").password, "pass:word12");
  EXPECT_EQ(SplitAccount("anonymous").user, "anonymous");
  EXPECT_EQ(SplitAccount("anonymous").password, "");
}

class SiteSettingsTest : public test::DataFolderTest {};

TEST_F(SiteSettingsTest, TheFileGivesTheSiteAndAMissingFileGivesNone) {
  const WebSite none = ReadWebSite("SiteWeb.rg");
  EXPECT_TRUE(none.ftpRoot.empty() && none.scriptRoot.empty() && none.account.empty());

  const WebSite site{"ftp://127.0.0.1:2121/", "http://site.test/", "user:p=w"};
  ASSERT_TRUE(WriteWebSite("SiteWeb.rg", site));
  EXPECT_EQ(test::ReadBytes(file("SiteWeb.rg")),
            "ftp=ftp://127.0.0.1:2121/\r\nscripts=http://site.test/\r\naccount=user:p=w\r\n");
  const WebSite read = ReadWebSite("SiteWeb.rg");
  EXPECT_EQ(read.ftpRoot, site.ftpRoot);
  EXPECT_EQ(read.scriptRoot, site.scriptRoot);
  EXPECT_EQ(read.account, site.account);

  // Edited by hand: any order, LF line ends, a comment, no line end at the end.
  WriteBytes(file("SiteWeb.rg"), "# our site\naccount=a:b\nftp=ftp://h/\nscripts=http://h/");
  const WebSite edited = ReadWebSite("SiteWeb.rg");
  EXPECT_EQ(edited.ftpRoot, "ftp://h/");
  EXPECT_EQ(edited.scriptRoot, "http://h/");
  EXPECT_EQ(edited.account, "a:b");
}

class UploadFileTest : public test::DataFolderTest {};

TEST_F(UploadFileTest, TheWholeFileGoesWithLineFeedsAndEveryByte) {
  std::string bytes = "x";
  EXPECT_FALSE(ReadUploadFile("Live.txt", bytes));
  EXPECT_EQ(bytes, "");

  WriteBytes(file("Live.txt"), "");
  ASSERT_TRUE(ReadUploadFile("Live.txt", bytes));
  EXPECT_EQ(bytes, "");

  WriteBytes(file("Live.txt"), "a\tb\r\n\xFF\x1A" "c\r\n");
  ASSERT_TRUE(ReadUploadFile("Live.txt", bytes));
  EXPECT_EQ(bytes, "a\tb\n\xFF\x1A" "c\n");

  // Beyond the 34,519 bytes of the old fixed buffer.
  const std::string line = std::string(98, 'z') + "\r\n";
  WriteBytes(file("Live.txt"), test::Repeat(line, 400));
  ASSERT_TRUE(ReadUploadFile("Live.txt", bytes));
  EXPECT_EQ(bytes, test::Repeat(std::string(98, 'z') + "\n", 400));
}

}  // namespace
}  // namespace zd
