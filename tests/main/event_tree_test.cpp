// The event tree built from the event's records: its nodes, codes, labels and images in order,
// which nodes are open, and the changes that the commands make to it.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <memory>
#include <string>

#include "../files/data_folder_fixture.h"
#include "main/event_file.h"
#include "main/event_tree.h"
#include "memory_event_tree.h"

namespace zd {
namespace {

using test::MemoryEventTree;

// The lines of a listing that lie under the node with code, that node included, as text with
// that node at depth 0.
std::string Subtree(const std::vector<TreeListingLine>& listing, int32_t code) {
  std::vector<TreeListingLine> out;
  for (std::size_t i = 0; i < listing.size(); ++i) {
    if (listing[i].code != code) continue;
    for (std::size_t j = i; j == i || (j < listing.size() && listing[j].depth > listing[i].depth);
         ++j) {
      out.push_back(listing[j]);
      out.back().depth -= listing[i].depth;
    }
  }
  return TreeListingText(out);
}

const TreeListingLine* Line(const std::vector<TreeListingLine>& listing, int32_t code) {
  for (const TreeListingLine& line : listing) {
    if (line.code == code) return &line;
  }
  return nullptr;
}

class EventTreeTest : public test::DataFolderTest {
 protected:
  RaceHeaderRecord& race(int r) { return RaceRecord(*event, r); }

  // The event written as the working race file, with the participants of race 1, and read back
  // as opening it does.
  std::unique_ptr<EventState> ThroughRaceFile() {
    EXPECT_EQ(::mkdir("Private", 0777), 0);
    EXPECT_TRUE(CreateWorkingRaceFile(*event).ok);
    auto participants = std::make_unique<ParticipantTable>();
    ClearParticipants(*participants);
    for (int i = 0; i < kMaxParticipants; ++i) (*participants)[i].name = event->names[0][i].view();
    TextFile file = test::OpenOrFail(kRaceFilePath, OpenMode::Update);
    EXPECT_TRUE(WriteParticipantsSection(file, ParticipantsSectionTitle(1), *participants).ok);
    file.close();
    auto read = std::make_unique<EventState>();
    ClearEventRecords(*read);
    auto drivers = std::make_unique<DriverSummaryTable>();
    auto countries = std::make_unique<CountryTable>();
    auto ages = std::make_unique<AgeCategoryTable>();
    ReadOpenedEvent(*read, {*drivers, *countries, *ages},
                    [](std::string_view text) { ADD_FAILURE() << text; });
    return read;
  }

  std::unique_ptr<EventState> event = std::make_unique<EventState>();
  MemoryEventTree tree;
};

TEST_F(EventTreeTest, ANewEventShowsOneRaceOpenWithItsDefaultNodes) {
  BuildDefaultTree(tree, "COURSE 1");
  EXPECT_EQ(tree.text(),
            "100 Information [0]\n"
            "1000 Piste [1]\n"
            "+10000 COURSE 1 [2]\n"
            "  11000 Pilotes (0) [4]\n"
            "  13000 Essais libres [3]\n"
            "    13010 Paramètres [5]\n"
            "    13020 Répartition [6]\n"
            "  14000 Qualifications [3]\n"
            "    14010 Paramètres [5]\n"
            "    14020 Répartition [6]\n"
            "  15000 Course d'endurance [3]\n"
            "    15010 Paramètres [5]\n"
            "    15020 Répartition [6]\n");
  EXPECT_TRUE(tree.node(tree.find(10000)).bold);
  EXPECT_FALSE(tree.node(tree.find(11000)).bold);
}

// Three races of a race file: sessions and series from the header, participants up to the first
// empty name, images from the flags, only the last race open.
TEST_F(EventTreeTest, AnOpenedEventFollowsItsHeaderNamesAndFlags) {
  event->raceCount = 3;
  race(1).name = "Open";
  race(1).participantCount = 5;
  race(1).practiceSessions = 2;
  race(1).practiceSeries = 3;
  race(1).qualifyingSessions = 1;
  race(1).qualifyingSeries = 0;
  event->names[0][0] = "Alain";
  event->names[0][1] = "Brigitte";
  event->names[0][3] = "Denis";  // after the empty third name: not shown
  event->flags[0].practice[1][2] = 1;
  race(2).name = "Junior";
  race(2).practiceSessions = 3;
  race(2).practiceSeries = 2;
  race(2).rounds = 2;
  event->flags[1].rounds[1] = 1;
  race(3).name = "GT";
  race(3).rounds = 4;

  BuildTreeFromRaceFile(tree, *ThroughRaceFile());
  const std::vector<TreeListingLine> listing = TreeListing(tree);
  EXPECT_EQ(Subtree(listing, 10000),
            "10000 Open [2]\n"
            "  11000 Pilotes (5) [4]\n"
            "    11001 Alain [4]\n"
            "    11002 Brigitte [4]\n"
            "  13000 Essais libres [3]\n"
            "    13010 Paramètres [5]\n"
            "    13020 Répartition [6]\n"
            "    13100 Essai1 [3]\n"
            "      13101 Série1 [7]\n"
            "      13102 Série2 [7]\n"
            "      13103 Série3 [7]\n"
            "    13200 Essai2 [3]\n"
            "      13201 Série1 [7]\n"
            "      13202 Série2 [7]\n"
            "      13203 Série3 [8]\n"
            "    13950 Classements [10]\n"
            "      13951 Classement EL1 [10]\n"
            "      13952 Classement EL2 [10]\n"
            "      13990 Classement Essais [10]\n"
            "  14000 Qualifications [3]\n"
            "    14010 Paramètres [5]\n"
            "    14020 Répartition [6]\n"
            "    14100 Qualif1 [3]\n"
            "    14950 Classements [10]\n"
            "      14951 Classement Q1 [10]\n"
            "      14990 Classement Qualifs [10]\n"
            "  15000 Course d'endurance [3]\n"
            "    15010 Paramètres [5]\n"
            "    15020 Répartition [6]\n");
  EXPECT_EQ(Subtree(listing, 25000),
            "25000 Course d'endurance [3]\n"
            "  25010 Paramètres [5]\n"
            "  25020 Répartition [6]\n"
            "  25100 Manches [3]\n"
            "    25101 Manche1 [7]\n"
            "    25102 Manche2 [8]\n"
            "  25950 Classements [10]\n"
            "    25951 Classement M1 [10]\n"
            "    25952 Classement M2 [10]\n"
            "    25990 Classement Endu [10]\n");
  ASSERT_NE(Line(listing, 23302), nullptr);
  EXPECT_EQ(Line(listing, 23302)->label, "Série2");
  ASSERT_NE(Line(listing, 35104), nullptr);
  EXPECT_EQ(Line(listing, 35104)->label, "Manche4");
  for (const TreeListingLine& line : listing) {
    EXPECT_EQ(line.expanded, line.code == 30000) << line.code;
  }
}

TEST_F(EventTreeTest, AGeneratedArrangementGivesThePhaseItsFirstSession) {
  race(1).participantCount = 8;
  BuildDefaultTree(tree, "COURSE 1");
  race(1).practiceSessions = -1;
  race(1).practiceSeries = 2;
  event->flags[0].practice[0][0] = 1;  // a stale flag: the new sessions have no results

  ASSERT_TRUE(TakeFirstSession(race(1), RacePhase::Practice));
  EXPECT_EQ(race(1).practiceSessions, 1);
  RebuildPhaseNode(tree, 1, RacePhase::Practice, *event);
  EXPECT_EQ(Subtree(TreeListing(tree), 10000),
            "+10000 COURSE 1 [2]\n"
            "  11000 Pilotes (0) [4]\n"
            "  +13000 Essais libres [3]\n"
            "    13010 Paramètres [5]\n"
            "    13020 Répartition [6]\n"
            "    +13100 Essai1 [3]\n"
            "      13101 Série1 [7]\n"
            "      13102 Série2 [7]\n"
            "    +13950 Classements [10]\n"
            "      13951 Classement EL1 [10]\n"
            "      13990 Classement Essais [10]\n"
            "  14000 Qualifications [3]\n"
            "    14010 Paramètres [5]\n"
            "    14020 Répartition [6]\n"
            "  15000 Course d'endurance [3]\n"
            "    15010 Paramètres [5]\n"
            "    15020 Répartition [6]\n");

  // The grid of rounds that have not started gives them their first round; once started, a -1
  // asks for nothing.
  race(1).rounds = -1;
  ASSERT_TRUE(TakeFirstSession(race(1), RacePhase::Rounds));
  RebuildPhaseNode(tree, 1, RacePhase::Rounds, *event);
  EXPECT_EQ(Subtree(TreeListing(tree), 15000),
            "+15000 Course d'endurance [3]\n"
            "  15010 Paramètres [5]\n"
            "  15020 Répartition [6]\n"
            "  +15100 Manches [3]\n"
            "    15101 Manche1 [7]\n"
            "  +15950 Classements [10]\n"
            "    15951 Classement M1 [10]\n"
            "    15990 Classement Endu [10]\n");
  race(1).qualifyingSessions = -1;
  race(1).qualifyingStates[4] = 1;
  EXPECT_FALSE(TakeFirstSession(race(1), RacePhase::Qualifying));
  EXPECT_EQ(race(1).qualifyingSessions, -1);
}

TEST_F(EventTreeTest, AnAddedSessionComesAfterTheLastOneAndItsRankingBeforeTheFinal) {
  race(1).name = "R";
  race(1).practiceSessions = 1;
  race(1).practiceSeries = 1;
  race(1).rounds = 1;
  BuildTreeFromRaceFile(tree, *event);

  race(1).practiceSessions = 2;
  AddSessionNodes(tree, 1, RacePhase::Practice, *event);
  race(1).rounds = 2;
  AddSessionNodes(tree, 1, RacePhase::Rounds, *event);
  const std::vector<TreeListingLine> listing = TreeListing(tree);
  EXPECT_EQ(Subtree(listing, 13000),
            "13000 Essais libres [3]\n"
            "  13010 Paramètres [5]\n"
            "  13020 Répartition [6]\n"
            "  13100 Essai1 [3]\n"
            "    13101 Série1 [7]\n"
            "  +13200 Essai2 [3]\n"
            "    13201 Série1 [7]\n"
            "  +13950 Classements [10]\n"
            "    13951 Classement EL1 [10]\n"
            "    13952 Classement EL2 [10]\n"
            "    13990 Classement Essais [10]\n");
  EXPECT_EQ(Subtree(listing, 15100),
            "+15100 Manches [3]\n"
            "  15101 Manche1 [7]\n"
            "  15102 Manche2 [7]\n");
  EXPECT_EQ(Subtree(listing, 15950),
            "+15950 Classements [10]\n"
            "  15951 Classement M1 [10]\n"
            "  15952 Classement M2 [10]\n"
            "  15990 Classement Endu [10]\n");
}

TEST_F(EventTreeTest, NewParticipantsResetTheRacePhasesOnlyAndARaceIsAppendedClosed) {
  event->raceCount = 2;
  race(1).name = "A";
  race(2).name = "B";
  race(2).practiceSessions = 1;
  race(2).practiceSeries = 1;
  BuildTreeFromRaceFile(tree, *event);

  race(2).participantCount = 2;
  event->names[1][0] = "Zoe";
  event->names[1][1] = "Yann";
  RebuildParticipantsNode(tree, 2, *event);
  event->raceCount = 3;
  race(3).name = "COURSE 3";
  AppendRaceNode(tree, 3, *event);

  const std::vector<TreeListingLine> listing = TreeListing(tree);
  EXPECT_EQ(Subtree(listing, 20000),
            "+20000 B [2]\n"
            "  +21000 Pilotes (2) [4]\n"
            "    21001 Zoe [4]\n"
            "    21002 Yann [4]\n"
            "  23000 Essais libres [3]\n"
            "    23010 Paramètres [5]\n"
            "    23020 Répartition [6]\n"
            "  24000 Qualifications [3]\n"
            "    24010 Paramètres [5]\n"
            "    24020 Répartition [6]\n"
            "  25000 Course d'endurance [3]\n"
            "    25010 Paramètres [5]\n"
            "    25020 Répartition [6]\n");
  ASSERT_NE(Line(listing, 30000), nullptr);
  EXPECT_EQ(Line(listing, 30000)->label, "COURSE 3");
  EXPECT_FALSE(Line(listing, 30000)->expanded);
  EXPECT_EQ(Line(listing, 31000)->label, "Pilotes (0)");
  EXPECT_EQ(Line(listing, 33020)->label, "Répartition");
  EXPECT_EQ(Line(listing, 11000)->label, "Pilotes (0)");  // race 1 untouched
}

TEST_F(EventTreeTest, CollapsingTheOtherRacesClosesTheTrackAndKeepsTheSelectedRace) {
  event->raceCount = 3;
  BuildTreeFromRaceFile(tree, *event);
  for (int32_t code : {10000, 20000, 30000}) tree.expand(tree.find(code), true);

  CollapseOtherRaces(tree, 2);
  EXPECT_FALSE(tree.node(tree.find(10000)).expanded);
  EXPECT_TRUE(tree.node(tree.find(20000)).expanded);
  EXPECT_FALSE(tree.node(tree.find(30000)).expanded);
}

TEST(EventTreeCodes, NodesAreKnownByTheirCodeWithoutTheRace) {
  struct Case {
    int32_t code;
    int32_t normalised;
    NodeKind kind;
    RacePhase phase;
    int session;
    int series;
  };
  const Case cases[] = {
      {100, 100, NodeKind::Other, RacePhase::Practice, 0, 0},
      {1000, 1000, NodeKind::Other, RacePhase::Practice, 0, 0},
      {21007, 11007, NodeKind::Participant, RacePhase::Practice, 0, 0},
      {23302, 13302, NodeKind::Series, RacePhase::Practice, 3, 2},
      {13300, 13300, NodeKind::Other, RacePhase::Practice, 0, 0},
      {14909, 14909, NodeKind::Series, RacePhase::Qualifying, 9, 9},
      {35104, 15104, NodeKind::Series, RacePhase::Rounds, 1, 4},
      {15100, 15100, NodeKind::Other, RacePhase::Practice, 0, 0},
      {13952, 13952, NodeKind::SessionRanking, RacePhase::Practice, 2, 0},
      {13950, 13950, NodeKind::Other, RacePhase::Practice, 0, 0},
      {24990, 14990, NodeKind::FinalRanking, RacePhase::Qualifying, 0, 0},
      {15959, 15959, NodeKind::SessionRanking, RacePhase::Rounds, 9, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    const int32_t normalised = NormalisedNodeCode(c.code, -7);
    EXPECT_EQ(normalised, c.normalised);
    const NodeInfo info = ClassifyNode(normalised);
    EXPECT_EQ(info.kind, c.kind);
    if (c.kind == NodeKind::Series || c.kind == NodeKind::SessionRanking) {
      EXPECT_EQ(info.phase, c.phase);
      EXPECT_EQ(info.session, c.session);
      EXPECT_EQ(info.series, c.series);
    }
  }
  EXPECT_EQ(NormalisedNodeCode(0, 13101), 13101);  // no node: the last code stays
  EXPECT_EQ(SeriesNodeCode(2, RacePhase::Practice, 3, 2), 23302);
  EXPECT_EQ(RankingsNodeCode(1, RacePhase::Practice) + 2, 13952);
  EXPECT_EQ(SeriesNodeCode(3, RacePhase::Rounds, 1, 4), 35104);
}

TEST(EventTreeCodes, ContextMenusFollowTheSelectedNodeAndTheRace) {
  RaceHeaderRecord race;
  race.participantCount = 1;
  race.practiceSessions = 8;
  race.qualifyingSessions = 9;
  race.rounds = 2;
  EXPECT_EQ(ContextMenuOf(100, race, 3), 0);
  EXPECT_EQ(ContextMenuOf(10000, race, 2), 2);
  EXPECT_EQ(ContextMenuOf(10000, race, 3), std::nullopt);
  EXPECT_EQ(ContextMenuOf(13800, race, 1), 6);   // an eighth session may get a ninth
  EXPECT_EQ(ContextMenuOf(14100, race, 1), std::nullopt);  // nine qualifying sessions
  EXPECT_EQ(ContextMenuOf(15100, race, 1), 12);
  EXPECT_EQ(ContextMenuOf(13101, race, 1), std::nullopt);  // a series has no menu
  race.qualifyingSessions = 1;
  EXPECT_EQ(ContextMenuOf(14100, race, 1), 9);
  race.roundsState = 1;
  EXPECT_EQ(ContextMenuOf(14100, race, 1), std::nullopt);
  race.participantCount = 0;
  EXPECT_EQ(ContextMenuOf(11000, race, 1), 3);
  EXPECT_EQ(ContextMenuOf(13010, race, 1), std::nullopt);
}

TEST(EventTreeCodes, RaceNamesTakePlainLettersDigitsBlanksUnderscoresAndSlashes) {
  EXPECT_TRUE(ValidRaceName("GT 1/8_final"));
  EXPECT_TRUE(ValidRaceName(""));
  EXPECT_FALSE(ValidRaceName("GT-1"));
  EXPECT_FALSE(ValidRaceName("Journée"));
}

}  // namespace
}  // namespace zd
