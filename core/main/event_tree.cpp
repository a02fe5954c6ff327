#include "main/event_tree.h"

#include <algorithm>
#include <cstdio>

namespace zd {

namespace {

int PhaseDigit(RacePhase phase) {
  switch (phase) {
    case RacePhase::Practice:
      return 3;
    case RacePhase::Qualifying:
      return 4;
    case RacePhase::Rounds:
      break;
  }
  return 5;
}

// Place of the phase among the race's children, after the participants node.
int PhaseChildIndex(RacePhase phase) { return PhaseDigit(phase) - 2; }

std::string Format(const char* format, int value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

struct PhaseTexts {
  const char* name;
  const char* session;         // "Essai%d"
  const char* sessionRanking;  // "Classement EL%d"
  const char* finalRanking;
};

PhaseTexts TextsOf(RacePhase phase) {
  switch (phase) {
    case RacePhase::Practice:
      return {"Essais libres", "Essai%d", "Classement EL%d", "Classement Essais"};
    case RacePhase::Qualifying:
      return {"Qualifications", "Qualif%d", "Classement Q%d", "Classement Qualifs"};
    case RacePhase::Rounds:
      break;
  }
  return {"Course d'endurance", "Manche%d", "Classement M%d", "Classement Endu"};
}

TreeNode Node(std::string label, int32_t code, int32_t image, bool bold = false) {
  TreeNode node;
  node.label = std::move(label);
  node.code = code;
  node.image = image;
  node.bold = bold;
  return node;
}

int32_t FlagOf(const EventState& event, int race, RacePhase phase, int session, int series) {
  return TreeviewFlagOf(const_cast<TreeviewFlagsTable&>(event.flags), race, phase, session, series);
}

int32_t SeriesImage(int32_t flag) { return flag == 1 ? kImageSeriesWithResults : kImageSeries; }

// The counts of the header as the tree uses them: within the tables, a negative count as none.
int ShownCount(int32_t count, int limit) { return std::clamp<int32_t>(count, 0, limit); }

std::string ParticipantsLabel(const RaceHeaderRecord& record) {
  return Format("Pilotes (%d)", record.participantCount);
}

void InsertParticipantNames(EventTreeView& tree, TreeItem parent, int race,
                            const EventState& event) {
  const ParticipantNames& names = event.names[race - 1];
  for (int n = 1; n <= kMaxParticipants; ++n) {
    const FixedText<40>& name = names[n - 1];
    if (name.empty()) break;
    tree.append(parent, Node(name.str(), ParticipantsNodeCode(race) + n, kImageParticipants));
  }
}

// "Paramètres" and "Répartition" under a phase node.
void InsertPhaseSettings(EventTreeView& tree, TreeItem phaseItem, int race, RacePhase phase) {
  const int32_t code = PhaseNodeCode(race, phase);
  tree.append(phaseItem, Node("Paramètres", code + 10, kImageParameters));
  tree.append(phaseItem, Node("Répartition", code + 20, kImageArrangement));
}

void InsertSeries(EventTreeView& tree, TreeItem sessionItem, int race, RacePhase phase,
                  int session, int seriesCount, const EventState* flagsFrom) {
  for (int t = 1; t <= seriesCount; ++t) {
    const int32_t flag = flagsFrom ? FlagOf(*flagsFrom, race, phase, session, t) : 0;
    tree.append(sessionItem, Node(Format("Série%d", t), SeriesNodeCode(race, phase, session, t),
                                  SeriesImage(flag)));
  }
}

void InsertRankings(EventTreeView& tree, TreeItem rankingsItem, int race, RacePhase phase,
                    int sessions) {
  const PhaseTexts texts = TextsOf(phase);
  const int32_t code = RankingsNodeCode(race, phase);
  for (int s = 1; s <= sessions; ++s)
    tree.append(rankingsItem, Node(Format(texts.sessionRanking, s), code + s, kImageRankings));
  tree.append(rankingsItem, Node(texts.finalRanking, code + 40, kImageRankings));
}

struct BuiltPhase {
  TreeItem lastSession = kNoItem;  // the rounds group for the rounds
  TreeItem rankings = kNoItem;
};

// The sessions (rounds) and rankings of a phase, under its node that holds its settings already.
// Series images come from the event's flags, or are all 7 when flagsFrom is null.
BuiltPhase InsertSessions(EventTreeView& tree, TreeItem phaseItem, int race, RacePhase phase,
                          const EventState& event, const EventState* flagsFrom) {
  const RaceHeaderRecord& record = RaceRecord(event, race);
  const PhaseTexts texts = TextsOf(phase);
  BuiltPhase built;
  if (phase == RacePhase::Rounds) {
    const int rounds = ShownCount(record.rounds, kMaxRounds);
    if (rounds < 1) return built;
    built.lastSession =
        tree.append(phaseItem, Node("Manches", SessionNodeCode(race, phase, 1), kImageGroup));
    for (int m = 1; m <= rounds; ++m) {
      const int32_t flag = flagsFrom ? FlagOf(*flagsFrom, race, phase, 1, m) : 0;
      tree.append(built.lastSession,
                  Node(Format(texts.session, m), SeriesNodeCode(race, phase, 1, m), SeriesImage(flag)));
    }
    built.rankings =
        tree.append(phaseItem, Node("Classements", RankingsNodeCode(race, phase), kImageRankings));
    InsertRankings(tree, built.rankings, race, phase, rounds);
    return built;
  }
  const int sessions = ShownCount(SessionCount(record, phase), kMaxSessions);
  const int series = ShownCount(SeriesPerSession(record, phase), kMaxSeriesPerSession);
  for (int s = 1; s <= sessions; ++s) {
    built.lastSession = tree.append(
        phaseItem, Node(Format(texts.session, s), SessionNodeCode(race, phase, s), kImageGroup));
    InsertSeries(tree, built.lastSession, race, phase, s, series, flagsFrom);
  }
  if (sessions >= 1) {
    built.rankings =
        tree.append(phaseItem, Node("Classements", RankingsNodeCode(race, phase), kImageRankings));
    InsertRankings(tree, built.rankings, race, phase, sessions);
  }
  return built;
}

TreeItem AppendPhase(EventTreeView& tree, TreeItem raceItem, int race, RacePhase phase) {
  TreeItem item =
      tree.append(raceItem, Node(TextsOf(phase).name, PhaseNodeCode(race, phase), kImageGroup));
  InsertPhaseSettings(tree, item, race, phase);
  return item;
}

// Race r at the end of the root with its participants node and default phases.
TreeItem AppendDefaultRace(EventTreeView& tree, int race, std::string_view name) {
  TreeItem raceItem = tree.append(kNoItem, Node(std::string(name), RaceNodeCode(race), kImageRace, true));
  tree.append(raceItem, Node("Pilotes (0)", ParticipantsNodeCode(race), kImageParticipants));
  for (RacePhase phase : {RacePhase::Practice, RacePhase::Qualifying, RacePhase::Rounds})
    AppendPhase(tree, raceItem, race, phase);
  return raceItem;
}

void ListFrom(EventTreeView& tree, TreeItem parent, int depth, std::vector<TreeListingLine>& out) {
  for (TreeItem item = tree.firstChild(parent); item != kNoItem; item = tree.nextSibling(item)) {
    const TreeNode node = tree.node(item);
    out.push_back({depth, node.code, node.label, node.image, node.expanded});
    ListFrom(tree, item, depth + 1, out);
  }
}

}  // namespace

int32_t RaceNodeCode(int race) { return 10000 * race; }
int32_t ParticipantsNodeCode(int race) { return 10000 * race + 1000; }
int32_t PhaseNodeCode(int race, RacePhase phase) { return 10000 * race + 1000 * PhaseDigit(phase); }

int32_t SessionNodeCode(int race, RacePhase phase, int session) {
  if (phase == RacePhase::Rounds) session = 1;
  return PhaseNodeCode(race, phase) + 100 * session;
}

int32_t SeriesNodeCode(int race, RacePhase phase, int session, int series) {
  return SessionNodeCode(race, phase, session) + series;
}

int32_t RankingsNodeCode(int race, RacePhase phase) { return PhaseNodeCode(race, phase) + 950; }

int32_t NormalisedNodeCode(int32_t code, int32_t previous) {
  if (code >= 10000 && code <= 60000) return 10000 + code % 10000;
  if (code == kInformationNode || code == kTrackNode) return code;
  return previous;
}

NodeInfo ClassifyNode(int32_t normalised) {
  NodeInfo info;
  if (normalised >= 11001 && normalised <= 11200) {
    info.kind = NodeKind::Participant;
    info.participant = normalised - 11000;
    return info;
  }
  for (RacePhase phase : {RacePhase::Practice, RacePhase::Qualifying, RacePhase::Rounds}) {
    const int32_t base = 10000 + 1000 * PhaseDigit(phase);
    info.phase = phase;
    const int32_t within = normalised - base;
    if (within == 990) {
      info.kind = NodeKind::FinalRanking;
      return info;
    }
    if (within >= 951 && within <= 959) {
      info.kind = NodeKind::SessionRanking;
      info.session = within - 950;
      return info;
    }
    const int session = within / 100;
    const int series = within % 100;
    const bool seriesNode = phase == RacePhase::Rounds
                                ? session == 1 && series >= 1 && series <= kMaxRounds
                                : session >= 1 && session <= kMaxSessions && series >= 1 &&
                                      series <= kMaxSeriesPerSession;
    if (within >= 101 && seriesNode) {
      info.kind = NodeKind::Series;
      info.session = session;
      info.series = series;
      return info;
    }
  }
  return NodeInfo{};
}

bool PhaseStarted(const RaceHeaderRecord& record, RacePhase phase) {
  switch (phase) {
    case RacePhase::Practice:
      return std::find(record.practiceStates.begin(), record.practiceStates.end(), 1) !=
             record.practiceStates.end();
    case RacePhase::Qualifying:
      return std::find(record.qualifyingStates.begin(), record.qualifyingStates.end(), 1) !=
             record.qualifyingStates.end();
    case RacePhase::Rounds:
      break;
  }
  return record.roundsState == 1;
}

int32_t& TreeviewFlagOf(TreeviewFlagsTable& flags, int race, RacePhase phase, int session,
                        int series) {
  TreeviewFlags& f = flags[race - 1];
  switch (phase) {
    case RacePhase::Practice:
      return f.practice[session - 1][series - 1];
    case RacePhase::Qualifying:
      return f.qualifying[session - 1][series - 1];
    case RacePhase::Rounds:
      break;
  }
  return f.rounds[series - 1];
}

int32_t& SessionCountOf(RaceHeaderRecord& record, RacePhase phase) {
  switch (phase) {
    case RacePhase::Practice:
      return record.practiceSessions;
    case RacePhase::Qualifying:
      return record.qualifyingSessions;
    case RacePhase::Rounds:
      break;
  }
  return record.rounds;
}

int32_t SessionCount(const RaceHeaderRecord& record, RacePhase phase) {
  return SessionCountOf(const_cast<RaceHeaderRecord&>(record), phase);
}

int32_t SeriesPerSession(const RaceHeaderRecord& record, RacePhase phase) {
  switch (phase) {
    case RacePhase::Practice:
      return record.practiceSeries;
    case RacePhase::Qualifying:
      return record.qualifyingSeries;
    case RacePhase::Rounds:
      break;
  }
  return record.rounds;
}

bool TakeFirstSession(RaceHeaderRecord& record, RacePhase phase) {
  int32_t& count = phase == RacePhase::Practice     ? record.practiceSessions
                   : phase == RacePhase::Qualifying ? record.qualifyingSessions
                                                    : record.rounds;
  if (PhaseStarted(record, phase) || count != -1) return false;
  count = 1;
  return true;
}

std::optional<int> ContextMenuOf(int32_t normalised, const RaceHeaderRecord& race,
                                 int32_t raceCount) {
  const bool participants = race.participantCount >= 1;
  const bool roundsStarted = race.roundsState == 1;
  auto isSession = [&](int32_t phaseBase) {
    const int32_t within = normalised - phaseBase;
    return within >= 100 && within <= 900 && within % 100 == 0;
  };
  if (normalised == kInformationNode) return 0;
  if (normalised == kTrackNode) return 1;
  if (normalised == 10000) return raceCount < kMaxRaces ? std::optional<int>(2) : std::nullopt;
  if (normalised == 11000) return 3;
  if (!participants) return std::nullopt;
  if (normalised == 13010) return 4;
  if (normalised == 13020) return 5;
  if (isSession(13000)) return race.practiceSessions < kMaxSessions ? std::optional<int>(6) : std::nullopt;
  if (normalised == 14010) return 7;
  if (normalised == 14020) return 8;
  if (isSession(14000)) {
    if (roundsStarted || race.qualifyingSessions >= kMaxSessions) return std::nullopt;
    return 9;
  }
  if (normalised == 15010) return 10;
  if (normalised == 15020) return 11;
  if (normalised == 15100) return race.rounds < kMaxRounds ? std::optional<int>(12) : std::nullopt;
  return std::nullopt;
}

bool ValidRaceName(std::string_view name) {
  return std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           c == ' ' || c == '_' || c == '/';
  });
}

TreeItem ChildAt(EventTreeView& tree, TreeItem parent, int index) {
  if (index < 0) return kNoItem;
  TreeItem item = tree.firstChild(parent);
  for (int i = 0; i < index && item != kNoItem; ++i) item = tree.nextSibling(item);
  return item;
}

TreeItem RaceItem(EventTreeView& tree, int race) { return ChildAt(tree, kNoItem, race + 1); }

void BuildDefaultTree(EventTreeView& tree, std::string_view raceName) {
  tree.clear();
  tree.append(kNoItem, Node("Information", kInformationNode, kImageInformation));
  tree.append(kNoItem, Node("Piste", kTrackNode, kImageTrack));
  tree.expand(AppendDefaultRace(tree, 1, raceName), true);
}

void BuildTreeFromRaceFile(EventTreeView& tree, const EventState& event) {
  tree.clear();
  tree.append(kNoItem, Node("Information", kInformationNode, kImageInformation));
  tree.append(kNoItem, Node("Piste", kTrackNode, kImageTrack));
  TreeItem lastRace = kNoItem;
  for (int r = 1; r <= std::clamp(event.raceCount, 1, kMaxRaces); ++r) {
    const RaceHeaderRecord& record = RaceRecord(event, r);
    lastRace = tree.append(kNoItem, Node(record.name.str(), RaceNodeCode(r), kImageRace, true));
    TreeItem participants =
        tree.append(lastRace, Node(ParticipantsLabel(record), ParticipantsNodeCode(r), kImageParticipants));
    InsertParticipantNames(tree, participants, r, event);
    for (RacePhase phase : {RacePhase::Practice, RacePhase::Qualifying, RacePhase::Rounds}) {
      TreeItem phaseItem = AppendPhase(tree, lastRace, r, phase);
      InsertSessions(tree, phaseItem, r, phase, event, &event);
    }
  }
  tree.expand(lastRace, true);
}

void AppendRaceNode(EventTreeView& tree, int race, const EventState& event) {
  AppendDefaultRace(tree, race, RaceRecord(event, race).name.view());
}

void RebuildPhaseNode(EventTreeView& tree, int race, RacePhase phase, const EventState& event) {
  TreeItem raceItem = RaceItem(tree, race);
  if (raceItem == kNoItem) return;
  const int index = PhaseChildIndex(phase);
  if (TreeItem old = ChildAt(tree, raceItem, index); old != kNoItem) tree.remove(old);
  TreeItem before = ChildAt(tree, raceItem, index - 1);
  TreeItem phaseItem = tree.insertAfter(
      raceItem, before, Node(TextsOf(phase).name, PhaseNodeCode(race, phase), kImageGroup));
  InsertPhaseSettings(tree, phaseItem, race, phase);
  const BuiltPhase built = InsertSessions(tree, phaseItem, race, phase, event, nullptr);
  tree.expand(phaseItem, true);
  if (built.lastSession != kNoItem) tree.expand(built.lastSession, true);
  if (built.rankings != kNoItem) tree.expand(built.rankings, true);
}

void AddSessionNodes(EventTreeView& tree, int race, RacePhase phase, const EventState& event) {
  const RaceHeaderRecord& record = RaceRecord(event, race);
  const PhaseTexts texts = TextsOf(phase);
  TreeItem phaseItem = ChildAt(tree, RaceItem(tree, race), PhaseChildIndex(phase));
  if (phaseItem == kNoItem) return;
  const int n = SessionCount(record, phase);
  if (n < 1) return;
  TreeItem sessionItem = kNoItem;
  TreeItem rankings = kNoItem;
  if (phase == RacePhase::Rounds) {
    sessionItem = ChildAt(tree, phaseItem, 2);
    rankings = ChildAt(tree, phaseItem, 3);
    if (sessionItem == kNoItem || rankings == kNoItem) return;
    tree.insertAfter(sessionItem, ChildAt(tree, sessionItem, n - 2),
                     Node(Format(texts.session, n), SeriesNodeCode(race, phase, 1, n), kImageSeries));
  } else {
    // Settings, then sessions 1 to n - 1, then the rankings.
    rankings = ChildAt(tree, phaseItem, 2 + (n - 1));
    if (rankings == kNoItem) return;
    sessionItem = tree.insertAfter(
        phaseItem, ChildAt(tree, phaseItem, 2 + (n - 2)),
        Node(Format(texts.session, n), SessionNodeCode(race, phase, n), kImageGroup));
    InsertSeries(tree, sessionItem, race, phase, n,
                 ShownCount(SeriesPerSession(record, phase), kMaxSeriesPerSession), nullptr);
  }
  tree.insertAfter(rankings, ChildAt(tree, rankings, n - 2),
                   Node(Format(texts.sessionRanking, n), RankingsNodeCode(race, phase) + n,
                        kImageRankings));
  tree.expand(sessionItem, true);
  tree.expand(rankings, true);
}

void RebuildParticipantsNode(EventTreeView& tree, int race, const EventState& event) {
  TreeItem raceItem = RaceItem(tree, race);
  if (raceItem == kNoItem) return;
  // The participants node first, then the three phases: all made again.
  while (TreeItem child = tree.firstChild(raceItem)) tree.remove(child);
  TreeItem participants = tree.insertAfter(
      raceItem, kNoItem,
      Node(ParticipantsLabel(RaceRecord(event, race)), ParticipantsNodeCode(race), kImageParticipants));
  InsertParticipantNames(tree, participants, race, event);
  for (RacePhase phase : {RacePhase::Practice, RacePhase::Qualifying, RacePhase::Rounds})
    AppendPhase(tree, raceItem, race, phase);
  tree.expand(participants, true);
}

void CollapseOtherRaces(EventTreeView& tree, int race) {
  // The root: "Information", "Piste", then the races; all but the first and race r.
  int index = 0;
  for (TreeItem item = tree.firstChild(kNoItem); item != kNoItem; item = tree.nextSibling(item), ++index) {
    if (index == 0 || index == race + 1) continue;
    tree.expand(item, false);
  }
}

std::vector<TreeListingLine> TreeListing(EventTreeView& tree) {
  std::vector<TreeListingLine> out;
  ListFrom(tree, kNoItem, 0, out);
  return out;
}

std::string TreeListingText(const std::vector<TreeListingLine>& listing) {
  std::string text;
  for (const TreeListingLine& line : listing) {
    text.append(static_cast<std::size_t>(line.depth) * 2, ' ');
    if (line.expanded) text += '+';
    text += std::to_string(line.code) + " " + line.label + " [" + std::to_string(line.image) + "]\n";
  }
  return text;
}

}  // namespace zd
