// The internet settings window's rules on a fake clock, with a fake FTP area and a stand-in for
// the site's event script: the stored web event checked at opening, the event name and date
// checks, and the activations (existing folder, create, rename, questions, time-outs) with what
// each leaves in "WebResults/CoordonneesWeb.txt".

#include "web/internet_settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <deque>

#include "../files/data_folder_fixture.h"
#include "fake_web_site.h"

namespace zd {
namespace {

using test::FakeWebSite;
using test::kNever;
using test::ReadBytes;
using Texts = std::vector<std::string>;

constexpr const char* kArea = "public_html/ZentrikRiduduzud/";
constexpr std::string_view kNameMessage =
    "Erreur: la saisie n'est pas correcte.\n Le nom \xE9v\xE9nement saisi doit contenir "
    "uniquement :\n - des lettres sans accents\n - des chiffres\n - des espaces";
constexpr std::string_view kInputMessage =
    "Erreur: la saisie n'est pas correcte :\r\n- le nom \xE9v\xE9nement doit contenir au moins un "
    "caract\xE8re.\r\n- la date doit \xEAtre au format 'jj mm aaaa'.";
constexpr std::string_view kTwoWay =
    "Les coordonn\xE9" "es de l'\xE9v\xE9nement ont \xE9t\xE9 modifi\xE9" "es !\nVoulez-vous cr\xE9"
    "er un nouvel \xE9v\xE9nement web ?";
constexpr std::string_view kOnMessages =
    "Le logiciel est connect\xE9 au site web distant.OK\r\nL'envoi des r\xE9sultats sur le web est "
    "activ\xE9.\r\nLes r\xE9sultats seront affich\xE9s dans l'\xE9v\xE9nement web :\r\n";
constexpr std::string_view kOffMessages =
    "Le logiciel est connect\xE9 au site web distant.OK\r\nL'envoi des r\xE9sultats sur le web "
    "n'est pas activ\xE9.\r\n";

class FakeInternet final : public InternetDesk {
 public:
  explicit FakeInternet(FakeWebSite& web) : web_(web) {}
  int64_t tickCount() override { return web_.tickCount(); }
  void sleep(int32_t ms) override { web_.sleep(ms); }
  void openAddress(std::string_view address) override { web_.openAddress(address); }
  void showMessage(std::string_view text, std::string_view caption, bool errorIcon) override {
    web_.showMessage(text, caption, errorIcon);
  }
  Answer ask(std::string_view text, bool withCancel) override {
    questions.emplace_back(text);
    cancelOffered.push_back(withCancel);
    if (answers.empty()) return Answer::No;
    const Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  LocalDate today() override { return {7, 3, 2026}; }

  std::deque<Answer> answers;
  Texts questions;
  std::vector<bool> cancelOffered;

 private:
  FakeWebSite& web_;
};

class InternetSettingsTest : public test::DataFolderTest {
 protected:
  void SetUp() override {
    DataFolderTest::SetUp();
    ChampionshipTable table;
    ClearChampionshipTable(table);
    table[0].name = "Ligue Sud";
    table[1].name = "Coupe Nord";
    ASSERT_TRUE(WriteChampionships(kChampionshipsFile, table, 2));
    web_.folders[""] = 0;
  }

  void store(int32_t connected, int32_t activated, const char* id, const char* folder,
             const char* video = "http://video.test/live") {
    WebEventInfo info;
    info.connected = connected;
    info.activated = activated;
    info.eventId = id;
    info.championshipFolder = folder;
    info.videoLink = video;
    ASSERT_TRUE(WriteWebEventInfo(info));
  }
  void siteHas(const std::string& folder, const std::string& id) {
    web_.folders[std::string(kArea) + folder + "/" + id + "/"] = 0;
  }
  static std::string File() { return ReadBytes(std::string(kWebEventInfoPath)); }
  static std::string FileOf(int connected, int activated, const std::string& id,
                            const std::string& folder, const std::string& video) {
    return std::to_string(connected) + "\t" + std::to_string(activated) + "\t\r\n" + id + "\r\n" +
           folder + "\r\n" + video + "\r\n";
  }
  Texts messageTexts() const {
    Texts texts;
    for (const auto& m : web_.messages) texts.push_back(m.text);
    return texts;
  }
  // The stored Coupe Ligue event of Ligue Sud, on the site, with sending off.
  void openOnStoredEvent() {
    store(1, 0, "Coupe_Ligue_05_06_2012", "Ligue_Sud");
    siteHas("Ligue_Sud", "Coupe_Ligue_05_06_2012");
    settings_.open();
  }
  void activate(const char* name, const char* day = "05", const char* month = "06",
                const char* year = "2012", const char* video = "http://video.test/live") {
    settings_.activate({name, day, month, year, video});
  }
  void expectOff() {
    EXPECT_FALSE(settings_.activateChecked());
    EXPECT_EQ(settings_.activateCaption(), "Activer");
    EXPECT_FALSE(settings_.fieldsLocked());
    EXPECT_FALSE(settings_.lightGreen());
    EXPECT_EQ(settings_.messages(), kOffMessages);
  }
  void expectOn(const std::string& eventLine) {
    EXPECT_TRUE(settings_.activateChecked());
    EXPECT_EQ(settings_.activateCaption(), "D\xE9sactiver");
    EXPECT_TRUE(settings_.fieldsLocked());
    EXPECT_TRUE(settings_.lightGreen());
    EXPECT_EQ(settings_.messages(), std::string(kOnMessages) + eventLine);
  }
  void expectEdited(const char* name, const char* day, const char* month, const char* year,
                    const char* championship) {
    const WebEventCoordinates& e = settings_.edited();
    EXPECT_EQ(e.eventName.view(), name);
    EXPECT_EQ(e.day.view(), day);
    EXPECT_EQ(e.month.view(), month);
    EXPECT_EQ(e.year.view(), year);
    EXPECT_EQ(e.championshipName.view(), championship);
  }

  FakeWebSite web_;
  FakeInternet desk_{web_};
  InternetSettings settings_{web_.site, web_, desk_};
};

// --- The stored web event at opening ---

struct StoredCase {
  const char* id;
  const char* folder;
  bool valid;
};

class StoredEventTest : public InternetSettingsTest,
                        public ::testing::WithParamInterface<StoredCase> {};

TEST_P(StoredEventTest, OpensOnTheStoredEventOnlyWhenItsIdAndChampionshipHold) {
  const StoredCase& c = GetParam();
  store(1, 1, c.id, c.folder);
  siteHas(c.folder, c.id);
  settings_.open();
  EXPECT_EQ(messageTexts(), Texts{});
  if (c.valid) {
    const WebEventCoordinates& s = settings_.stored();
    expectEdited(s.eventName.c_str(), s.day.c_str(), s.month.c_str(), s.year.c_str(),
                 s.championshipName.c_str());
    EXPECT_EQ(WebEventId(s.eventName, s.day, s.month, s.year), c.id);
    EXPECT_EQ(settings_.edited().videoLink.view(), "http://video.test/live");
    EXPECT_TRUE(settings_.activateChecked());
    EXPECT_TRUE(settings_.lightGreen());
    // Nothing written while the window opens.
    EXPECT_EQ(File(), FileOf(1, 1, c.id, c.folder, "http://video.test/live"));
  } else {
    expectEdited("", "07", "03", "2026", "");
    EXPECT_EQ(settings_.edited().videoLink.view(), "");
    EXPECT_EQ(settings_.stored().eventId.view(), "");
    EXPECT_FALSE(settings_.activateChecked());
    EXPECT_EQ(settings_.messages(), kOffMessages);
    // Sending was on in the file: turned off there too, the texts as they were.
    EXPECT_EQ(File(), FileOf(1, 0, c.id, c.folder, "http://video.test/live"));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoredEventTest,
    ::testing::Values(StoredCase{"Coupe_Ligue_05_06_2012", "Ligue_Sud", true},
                      StoredCase{"X_01_01_2011", "Ligue_Sud", true},
                      StoredCase{"X_31_12_2099", "Coupe_Nord", true},
                      StoredCase{"Coupe_Ligue_05_06_2012", "ligue_sud", true},  // case aside
                      StoredCase{"_05_06_2012", "Ligue_Sud", false},            // 11 characters
                      StoredCase{"Coupe_Ligue_05_06_2010", "Ligue_Sud", false},
                      StoredCase{"Coupe_Ligue_05_06_2100", "Ligue_Sud", false},
                      StoredCase{"Coupe_Ligue_05_13_2012", "Ligue_Sud", false},
                      StoredCase{"Coupe_Ligue_00_06_2012", "Ligue_Sud", false},
                      StoredCase{"Coupe_Ligue_5x_06_2012", "Ligue_Sud", false},
                      StoredCase{"Coupe_Ligue-05_06_2012", "Ligue_Sud", false},
                      StoredCase{"Coupe_Ligue_05_06_2012", "Ligue_Ouest", false},  // not listed
                      StoredCase{"", "", false}));

TEST_F(InternetSettingsTest, TheStoredEventOpensAsItsNameDateAndChampionship) {
  store(0, 1, "Coupe_Ligue_05_06_2012", "Ligue_Sud");
  siteHas("Ligue_Sud", "Coupe_Ligue_05_06_2012");
  settings_.open();
  expectEdited("Coupe_Ligue", "05", "06", "2012", "Ligue Sud");
  expectOn("'Coupe_Ligue 05/06/2012'");
  EXPECT_EQ(settings_.championships(), (Texts{"Ligue Sud", "Coupe Nord"}));
  ASSERT_EQ(web_.probes.size(), 2u);
  EXPECT_EQ(web_.probes[0].path, "");
  EXPECT_EQ(web_.probes[1].path, std::string(kArea) + "Ligue_Sud/Coupe_Ligue_05_06_2012/");
  EXPECT_EQ(web_.probes[1].timeoutMs, kFtpTotalTimeoutMs);
}

// What the opening finds decides sending; when the file said on and the window cannot keep it
// on, the file says off too.
TEST_F(InternetSettingsTest, AnUnreachableSiteOpensNotConnectedAndTurnsTheFileOff) {
  store(1, 1, "Coupe_Ligue_05_06_2012", "Ligue_Sud");
  web_.forced = FtpOutcome::Failed;
  settings_.open();
  EXPECT_EQ(settings_.messages(), "Le logiciel n'est pas connect\xE9 au site web distant.\r\n");
  EXPECT_FALSE(settings_.buttonsEnabled());
  EXPECT_FALSE(settings_.activateChecked());
  EXPECT_FALSE(settings_.lightGreen());
  // The event is not tested without the site: the fields keep it.
  expectEdited("Coupe_Ligue", "05", "06", "2012", "Ligue Sud");
  EXPECT_EQ(web_.probes.size(), 1u);
  EXPECT_EQ(File(), FileOf(0, 0, "Coupe_Ligue_05_06_2012", "Ligue_Sud", "http://video.test/live"));
}

TEST_F(InternetSettingsTest, AStoredEventGoneFromTheSiteClearsTheFieldsToToday) {
  store(1, 1, "Coupe_Ligue_05_06_2012", "Ligue_Sud");
  settings_.open();
  expectEdited("", "07", "03", "2026", "");
  EXPECT_TRUE(settings_.buttonsEnabled());
  expectOff();
  EXPECT_EQ(File(), FileOf(1, 0, "Coupe_Ligue_05_06_2012", "Ligue_Sud", "http://video.test/live"));
}

TEST_F(InternetSettingsTest, ConnectedWithSendingOffWritesNothing) {
  store(0, 0, "Coupe_Ligue_05_06_2012", "Ligue_Sud");
  siteHas("Ligue_Sud", "Coupe_Ligue_05_06_2012");
  const std::string before = File();
  settings_.open();
  expectEdited("Coupe_Ligue", "05", "06", "2012", "Ligue Sud");
  EXPECT_TRUE(settings_.buttonsEnabled());
  expectOff();
  EXPECT_EQ(File(), before);
}

TEST_F(InternetSettingsTest, ALibraryFailureAtOpeningIsShownAndSendingGoesOff) {
  store(1, 1, "Coupe_Ligue_05_06_2012", "Ligue_Sud");
  web_.forced = FtpOutcome::LibraryFailed;
  settings_.open();
  EXPECT_EQ(messageTexts(), Texts{std::string(kLibraryFailed)});
  EXPECT_EQ(settings_.flags().connected, 1);  // as read
  EXPECT_FALSE(settings_.activateChecked());
  EXPECT_EQ(File(), FileOf(1, 0, "Coupe_Ligue_05_06_2012", "Ligue_Sud", "http://video.test/live"));
}

TEST_F(InternetSettingsTest, AMissingChampionshipsFileIsShownAndTheListIsEmpty) {
  settings_.open("missing.bd");
  ASSERT_FALSE(web_.messages.empty());
  EXPECT_EQ(web_.messages[0].text, "Error : 'Championships' database file not found");
  EXPECT_EQ(web_.messages[0].caption, "Error");
  EXPECT_TRUE(settings_.championships().empty());
}

// --- The event name and date ---

struct InputCase {
  const char* name;
  const char* day;
  const char* month;
  const char* year;
  const char* championship;
  Texts messages;  // empty: accepted, with this id
  const char* id;
};

class EventInputTest : public InternetSettingsTest,
                       public ::testing::WithParamInterface<InputCase> {};

TEST_P(EventInputTest, RefusedInputsLeaveSendingOffAndAcceptedOnesGiveTheId) {
  const InputCase& c = GetParam();
  store(0, 0, "", "");
  settings_.open();
  const std::string before = File();
  settings_.chooseChampionship(c.championship);
  desk_.answers = {Answer::Yes};
  activate(c.name, c.day, c.month, c.year);
  EXPECT_EQ(messageTexts(), c.messages);
  if (c.messages.empty()) {
    ASSERT_GE(web_.probes.size(), 2u);
    EXPECT_EQ(web_.probes[1].path, std::string(kArea) + "Ligue_Sud/" + c.id + "/");
    EXPECT_TRUE(settings_.activateChecked());
  } else {
    expectOff();
    EXPECT_EQ(web_.probes.size(), 1u);
    EXPECT_EQ(File(), before);
  }
}

const Texts kRefusedName{std::string(kNameMessage), std::string(kInputMessage)};
const Texts kRefusedInput{std::string(kInputMessage)};

INSTANTIATE_TEST_SUITE_P(
    Cases, EventInputTest,
    ::testing::Values(
        InputCase{"Grand Prix de l'Est", "05", "06", "2012", "Ligue Sud", kRefusedName, ""},
        InputCase{"Caf\xE9", "05", "06", "2012", "Ligue Sud", kRefusedName, ""},
        InputCase{"", "05", "06", "2012", "Ligue Sud", kRefusedInput, ""},
        InputCase{"GP", "5", "06", "2012", "Ligue Sud", kRefusedInput, ""},
        InputCase{"GP", "05", "6", "2012", "Ligue Sud", kRefusedInput, ""},
        InputCase{"GP", "05", "06", "212", "Ligue Sud", kRefusedInput, ""},
        InputCase{"GP", "00", "06", "2012", "Ligue Sud", kRefusedInput, ""},
        InputCase{"GP", "32", "06", "2012", "Ligue Sud", kRefusedInput, ""},
        InputCase{"GP", "05", "13", "2012", "Ligue Sud", kRefusedInput, ""},
        InputCase{"GP", "05", "06", "2010", "Ligue Sud", kRefusedInput, ""},
        InputCase{"GP", "05", "06", "2100", "Ligue Sud", kRefusedInput, ""},
        InputCase{"GP", "05", "06", "2012", "",
                  Texts{"Erreur: aucun championnat n'a \xE9t\xE9 s\xE9lectionn\xE9."}, ""},
        InputCase{"Grand Prix 2", "05", "06", "2012", "Ligue Sud", {}, "Grand_Prix_2_05_06_2012"},
        InputCase{"GP_x", "01", "01", "2011", "Ligue Sud", {}, "GP_x_01_01_2011"},
        InputCase{"GP", "31", "12", "2099", "Ligue Sud", {}, "GP_31_12_2099"}));

TEST(WebEventNames, UnsafeCharactersAndBlanksBecomeUnderscores) {
  EXPECT_EQ(WebSafeName("a<b>c:d/e\\f|g?h*i\"j k"), "a_b_c_d_e_f_g_h_i_j_k");
  EXPECT_EQ(ChampionshipFolder("Ligue du Sud"), "Ligue_du_Sud");
  EXPECT_EQ(ChampionshipNameOfFolder("Ligue_du_Sud"), "Ligue du Sud");
}

// --- Activations ---

TEST_F(InternetSettingsTest, AnImportedChampionshipNameBecomesOneFolderAndStaysChosen) {
  const std::pair<const char*, const char*> cases[] = {{"Ligue A/B", "Ligue_A_B"}, {"..", "__"}};
  for (const auto& [name, folder] : cases) {
    SCOPED_TRACE(name);
    ChampionshipTable table;
    ClearChampionshipTable(table);
    table[0].name = name;
    ASSERT_TRUE(WriteChampionships(kChampionshipsFile, table, 1));
    store(0, 0, "", "");
    web_ = FakeWebSite();
    web_.folders[""] = 0;
    settings_.open();
    settings_.chooseChampionship(name);
    activate("GP");
    EXPECT_EQ(web_.folders.count(std::string(kArea) + folder + "/GP_05_06_2012/"), 1u);
    EXPECT_EQ(File(), FileOf(1, 1, "GP_05_06_2012", folder, "http://video.test/live"));
    // Opened again, the stored folder still names the championship: sending stays on.
    InternetSettings again{web_.site, web_, desk_};
    again.open();
    EXPECT_TRUE(again.lightGreen());
    EXPECT_EQ(again.edited().championshipName.view(), name);
  }
}


TEST_F(InternetSettingsTest, AnExistingFolderWithYesSwitchesSendingOnAtOnce) {
  store(0, 0, "", "");
  siteHas("Ligue_Sud", "Grand_Prix_2_05_06_2012");
  settings_.open();
  settings_.chooseChampionship("Ligue Sud");
  desk_.answers = {Answer::Yes};
  activate("Grand Prix 2");
  EXPECT_EQ(desk_.questions,
            Texts{"Un \xE9v\xE9nement web 'Grand_Prix_2_05_06_2012' existe d\xE9j\xE0. Voulez vous "
                  "l'utiliser pour enregistrer vos r\xE9sultats ?"});
  EXPECT_EQ(desk_.cancelOffered, std::vector<bool>{false});
  EXPECT_EQ(web_.opened, Texts{});
  EXPECT_EQ(web_.sleeps, std::vector<int32_t>{});
  expectOn("'Grand_Prix_2 05/06/2012'");
  EXPECT_EQ(File(), FileOf(1, 1, "Grand_Prix_2_05_06_2012", "Ligue_Sud", "http://video.test/live"));
  EXPECT_EQ(settings_.stored().eventId.view(), "Grand_Prix_2_05_06_2012");
}

TEST_F(InternetSettingsTest, AnExistingFolderWithNoRestoresTheStoredEvent) {
  openOnStoredEvent();
  siteHas("Coupe_Nord", "Autre_01_02_2013");
  settings_.chooseChampionship("Coupe Nord");
  desk_.answers = {Answer::No};
  activate("Autre", "01", "02", "2013", "");
  EXPECT_EQ(web_.opened, Texts{});
  expectEdited("Coupe_Ligue", "05", "06", "2012", "Ligue Sud");
  EXPECT_EQ(settings_.edited().videoLink.view(), "http://video.test/live");
  expectOff();
  EXPECT_EQ(File(), FileOf(1, 0, "Coupe_Ligue_05_06_2012", "Ligue_Sud", "http://video.test/live"));
}

TEST_F(InternetSettingsTest, WithNoStoredEventTheScriptCreatesItAndSendingGoesOn) {
  store(0, 0, "", "");
  settings_.open();
  settings_.chooseChampionship("Ligue Sud");
  const int64_t start = web_.now;
  activate("GP", "05", "06", "2012", "http://v.test/?a=1&b=2");
  EXPECT_EQ(desk_.questions, Texts{});
  EXPECT_EQ(web_.opened,
            Texts{"http://site.test/ZentrikRiduduzud/CreationEvent.php?action=create&payssaisie="
                  "Ligue_Sud&paysfichier=&eventsaisie=GP_05_06_2012&eventfichier="});
  // The stand-in makes the folder three seconds after the script was opened.
  EXPECT_GE(web_.now - start, 3000);
  EXPECT_LT(web_.now - start, 4500);
  expectOn("'GP 05/06/2012'");
  EXPECT_EQ(File(), FileOf(1, 1, "GP_05_06_2012", "Ligue_Sud", "http://v.test/?a=1&b=2"));
}

TEST_F(InternetSettingsTest, AChangedChampionshipAsksTheTwoWayQuestion) {
  for (Answer answer : {Answer::Yes, Answer::No}) {
    SCOPED_TRACE(answer == Answer::Yes ? "Yes" : "No");
    web_.opened.clear();
    desk_.questions.clear();
    desk_.cancelOffered.clear();
    web_.folders.erase(std::string(kArea) + "Coupe_Nord/Coupe_Ligue_05_06_2012/");
    openOnStoredEvent();
    settings_.chooseChampionship("Coupe Nord");
    desk_.answers = {answer};
    activate("Coupe_Ligue");
    EXPECT_EQ(desk_.questions, Texts{std::string(kTwoWay)});
    EXPECT_EQ(desk_.cancelOffered, std::vector<bool>{false});
    if (answer == Answer::Yes) {
      EXPECT_EQ(web_.opened,
                Texts{"http://site.test/ZentrikRiduduzud/CreationEvent.php?action=create"
                      "&payssaisie=Coupe_Nord&paysfichier=Ligue_Sud&eventsaisie="
                      "Coupe_Ligue_05_06_2012&eventfichier=Coupe_Ligue_05_06_2012"});
      expectOn("'Coupe_Ligue 05/06/2012'");
      EXPECT_EQ(File(),
                FileOf(1, 1, "Coupe_Ligue_05_06_2012", "Coupe_Nord", "http://video.test/live"));
    } else {
      EXPECT_EQ(web_.opened, Texts{});
      expectOff();
      expectEdited("Coupe_Ligue", "05", "06", "2012", "Ligue Sud");
      EXPECT_EQ(File(),
                FileOf(1, 0, "Coupe_Ligue_05_06_2012", "Ligue_Sud", "http://video.test/live"));
    }
  }
}

struct ThreeWayCase {
  Answer answer;
  const char* action;  // nullptr: nothing opened
};

class ThreeWayTest : public InternetSettingsTest,
                     public ::testing::WithParamInterface<ThreeWayCase> {};

// Only the name changed, after a deactivation: create, rename or cancel.
TEST_P(ThreeWayTest, TheSameChampionshipAsksTheThreeWayQuestion) {
  const ThreeWayCase& c = GetParam();
  store(1, 1, "Coupe_Ligue_05_06_2012", "Ligue_Sud");
  siteHas("Ligue_Sud", "Coupe_Ligue_05_06_2012");
  settings_.open();
  settings_.deactivate();
  desk_.answers = {c.answer};
  activate("Coupe Ligue Sud");
  ASSERT_EQ(desk_.questions.size(), 1u);
  EXPECT_NE(desk_.questions[0].find("renommer l'\xE9v\xE9nement actuel (cliquer sur 'Non')"),
            std::string::npos);
  EXPECT_EQ(desk_.cancelOffered, std::vector<bool>{true});
  if (c.action) {
    EXPECT_EQ(web_.opened,
              Texts{std::string("http://site.test/ZentrikRiduduzud/CreationEvent.php?action=") +
                    c.action +
                    "&payssaisie=Ligue_Sud&paysfichier=Ligue_Sud&eventsaisie="
                    "Coupe_Ligue_Sud_05_06_2012&eventfichier=Coupe_Ligue_05_06_2012"});
    expectOn("'Coupe_Ligue_Sud 05/06/2012'");
    EXPECT_EQ(File(),
              FileOf(1, 1, "Coupe_Ligue_Sud_05_06_2012", "Ligue_Sud", "http://video.test/live"));
  } else {
    EXPECT_EQ(web_.opened, Texts{});
    expectOff();
    expectEdited("Coupe_Ligue", "05", "06", "2012", "Ligue Sud");
    EXPECT_EQ(File(), FileOf(1, 0, "Coupe_Ligue_05_06_2012", "Ligue_Sud", "http://video.test/live"));
  }
}

INSTANTIATE_TEST_SUITE_P(Answers, ThreeWayTest,
                         ::testing::Values(ThreeWayCase{Answer::Yes, "create"},
                                           ThreeWayCase{Answer::No, "rename"},
                                           ThreeWayCase{Answer::Cancel, nullptr}));

TEST_F(InternetSettingsTest, ACreationNeverConfirmedFailsAfterAboutTenSeconds) {
  openOnStoredEvent();
  web_.scriptDelay = kNever;
  settings_.chooseChampionship("Coupe Nord");
  desk_.answers = {Answer::Yes};
  const int64_t start = web_.now;
  activate("Autre", "01", "02", "2013", "");
  ASSERT_EQ(messageTexts(), Texts{"Erreur: le nouvel \xE9v\xE9nement web n'a pas \xE9t\xE9 cr\xE9\xE9."});
  EXPECT_EQ(web_.messages[0].caption, "Erreur");
  EXPECT_GE(web_.now - start, 9999);
  EXPECT_LT(web_.now - start, 11500);
  expectOff();
  expectEdited("Coupe_Ligue", "05", "06", "2012", "Ligue Sud");
  EXPECT_EQ(settings_.edited().videoLink.view(), "http://video.test/live");
  EXPECT_EQ(File(), FileOf(1, 0, "Coupe_Ligue_05_06_2012", "Ligue_Sud", "http://video.test/live"));
}

TEST_F(InternetSettingsTest, ARenameNeverConfirmedHasItsOwnMessage) {
  openOnStoredEvent();
  web_.scriptDelay = kNever;
  desk_.answers = {Answer::No};
  activate("Coupe Ligue Sud");
  EXPECT_EQ(messageTexts(), Texts{"Erreur: l'\xE9v\xE9nement web n'a pas pu \xEAtre renomm\xE9."});
  expectOff();
}

TEST_F(InternetSettingsTest, ACreationWithoutStoredEventNeverConfirmedKeepsWhatWasTyped) {
  store(0, 0, "", "");
  settings_.open();
  web_.scriptDelay = kNever;
  settings_.chooseChampionship("Ligue Sud");
  activate("GP");
  expectOff();
  expectEdited("GP", "05", "06", "2012", "Ligue Sud");
  EXPECT_EQ(File(), FileOf(0, 0, "", "", "http://video.test/live"));
}

TEST_F(InternetSettingsTest, DeactivationWritesSendingOff) {
  store(1, 1, "Coupe_Ligue_05_06_2012", "Ligue_Sud");
  siteHas("Ligue_Sud", "Coupe_Ligue_05_06_2012");
  settings_.open();
  settings_.deactivate();
  expectOff();
  EXPECT_EQ(File(), FileOf(1, 0, "Coupe_Ligue_05_06_2012", "Ligue_Sud", "http://video.test/live"));
}

// Answers as the web site for the first probes, then finds no transfer library.
class LibraryLostAfter final : public WebTransport {
 public:
  LibraryLostAfter(FakeWebSite& web, int probes) : web_(web), left_(probes) {}
  FtpOutcome probe(std::string_view address, std::string_view account, int32_t timeoutMs) override {
    return left_-- > 0 ? web_.probe(address, account, timeoutMs) : FtpOutcome::LibraryFailed;
  }
  FtpOutcome upload(std::string_view address, std::string_view account,
                    std::string_view bytes) override {
    return web_.upload(address, account, bytes);
  }

 private:
  FakeWebSite& web_;
  int left_;
};

// The transfer library failing in an activation, at its first probe or while waiting for the
// new folder, ends it as a refused one: nothing shows on.
TEST_F(InternetSettingsTest, ALibraryFailureInAnActivationLeavesSendingOff) {
  for (int probes : {2, 3}) {
    SCOPED_TRACE(probes);
    web_.messages.clear();
    web_.opened.clear();
    LibraryLostAfter transport(web_, probes);
    InternetSettings settings(web_.site, transport, desk_);
    store(1, 0, "Coupe_Ligue_05_06_2012", "Ligue_Sud");
    siteHas("Ligue_Sud", "Coupe_Ligue_05_06_2012");
    settings.open();
    settings.chooseChampionship("Coupe Nord");
    desk_.answers = {Answer::Yes};
    settings.activate({"Autre", "05", "06", "2012", ""});
    EXPECT_EQ(web_.opened.size(), probes == 2 ? 0u : 1u);
    EXPECT_EQ(messageTexts(), Texts{std::string(kLibraryFailed)});
    EXPECT_FALSE(settings.activateChecked());
    EXPECT_EQ(settings.activateCaption(), "Activer");
    EXPECT_FALSE(settings.lightGreen());
    EXPECT_EQ(settings.messages(), kOffMessages);
    EXPECT_EQ(File(), FileOf(1, 0, "Coupe_Ligue_05_06_2012", "Ligue_Sud", "http://video.test/live"));
  }
}

// A file that cannot be written never leaves the window showing sending on.
TEST_F(InternetSettingsTest, AnActivationWhoseFileCannotBeWrittenStaysOff) {
  store(0, 0, "", "");
  siteHas("Ligue_Sud", "GP_05_06_2012");
  settings_.open();
  ASSERT_EQ(::remove(std::string(kWebEventInfoPath).c_str()), 0);
  ASSERT_EQ(::mkdir(std::string(kWebEventInfoPath).c_str(), 0777), 0);
  settings_.chooseChampionship("Ligue Sud");
  desk_.answers = {Answer::Yes};
  activate("GP");
  EXPECT_EQ(messageTexts(), Texts{std::string(kWebEventInfoNotWritten)});
  EXPECT_FALSE(settings_.activateChecked());
  EXPECT_FALSE(settings_.lightGreen());
  EXPECT_EQ(settings_.flags().activated, 0);
}

}  // namespace
}  // namespace zd
