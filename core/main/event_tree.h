#pragma once
// The event tree: the node codes (SeriesNode) and what they designate, the texts and images of
// the nodes, and the operations that build and change the tree from the event. The tree itself is
// reached through EventTreeView, so that the window's tree view and a tree in memory are built by
// the same code.
//
// Codes: 100 "Information", 1000 "Piste"; for race r, 10000 r the race, + 1000 its participants
// (+ n for participant n), + 3000 free practice, + 4000 qualifying, + 5000 the endurance rounds;
// within a phase + 10 its parameters, + 20 its arrangement, + 100 s session s, + 100 s + t series t,
// + 950 its rankings, + 950 + s session ranking s, + 990 its final ranking. The rounds group is
// session 1 of the rounds (+ 5100) and round m its series m.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/phase_sections.h"
#include "main/event_state.h"

namespace zd {

// The images of the tree's image list.
enum TreeImage : int32_t {
  kImageInformation = 0,
  kImageTrack = 1,
  kImageRace = 2,
  kImageGroup = 3,  // phase, session, rounds group
  kImageParticipants = 4,
  kImageParameters = 5,
  kImageArrangement = 6,
  kImageSeries = 7,             // series or round without saved results
  kImageSeriesWithResults = 8,  // with saved results
  kImageRankings = 10,
};

inline constexpr int32_t kInformationNode = 100;
inline constexpr int32_t kTrackNode = 1000;

int32_t RaceNodeCode(int race);
int32_t ParticipantsNodeCode(int race);
int32_t PhaseNodeCode(int race, RacePhase phase);
// Session s of practice or qualifying; for the rounds, the rounds group.
int32_t SessionNodeCode(int race, RacePhase phase, int session);
// Series t of session s; for the rounds, round t (session ignored).
int32_t SeriesNodeCode(int race, RacePhase phase, int session, int series);
int32_t RankingsNodeCode(int race, RacePhase phase);

// The code without its race (NormalisedNodeCode): 10000 + code mod 10000 for codes 10000 to
// 60000, 100 and 1000 as they are; any other code leaves previous.
int32_t NormalisedNodeCode(int32_t code, int32_t previous);
inline int RaceOfCode(int32_t code) { return code / 10000; }

// What a node designates, from its normalised code.
enum class NodeKind {
  Other,           // information, track, race, groups, parameters, arrangements, sessions
  Participant,     // 11001 to 11200
  Series,          // a practice or qualifying series, or a round
  SessionRanking,  // "Classement EL%d", "Classement Q%d", "Classement M%d"
  FinalRanking,    // "Classement Essais", "Classement Qualifs", "Classement Endu"
};
struct NodeInfo {
  NodeKind kind = NodeKind::Other;
  RacePhase phase = RacePhase::Practice;
  int session = 0;  // 1 for a round
  int series = 0;   // the round's number for a round
  int participant = 0;
};
NodeInfo ClassifyNode(int32_t normalised);

// A phase has started once a series of one of its sessions holds results (for the rounds, once
// the rounds state is set).
bool PhaseStarted(const RaceHeaderRecord& record, RacePhase phase);

// The number of sessions and of series per session of a phase in the header; the rounds count as
// both, being the series of the rounds group.
int32_t SessionCount(const RaceHeaderRecord& record, RacePhase phase);
// The same field, to change it.
int32_t& SessionCountOf(RaceHeaderRecord& record, RacePhase phase);
// The tree flag of a series (session and series from 1) or of a round (series = round).
int32_t& TreeviewFlagOf(TreeviewFlagsTable& flags, int race, RacePhase phase, int session,
                        int series);
int32_t SeriesPerSession(const RaceHeaderRecord& record, RacePhase phase);

// The arrangement dialogs write -1 as the count of a phase that has not started when they
// generate its first arrangement: the phase then gets exactly one session (round). Returns true
// when the count was -1 and became 1, so that the phase's node is to be rebuilt.
bool TakeFirstSession(RaceHeaderRecord& record, RacePhase phase);

// The context menu of the selected node (0 to 12 in the order the menus are built), or nothing.
std::optional<int> ContextMenuOf(int32_t normalised, const RaceHeaderRecord& race, int32_t raceCount);

// A race name typed into the tree: letters without accents, digits, blanks, '_' and '/'.
bool ValidRaceName(std::string_view name);
inline constexpr int kRaceNameEditLimit = 28;
inline constexpr std::string_view kInvalidRaceName =
    "Erreur: la saisie n'est pas correcte.\n Le nom de course doit contenir uniquement :\n - des "
    "lettres sans accents\n - des chiffres\n - des espaces\n - des '_', des '/'";

using TreeItem = std::uintptr_t;
inline constexpr TreeItem kNoItem = 0;  // also the root, as a parent

// One node as the tree view holds it.
struct TreeNode {
  std::string label;
  int32_t code = 0;
  int32_t image = 0;
  bool bold = false;
  bool expanded = false;
};

// The tree view, as the operations below use it.
class EventTreeView {
 public:
  virtual ~EventTreeView() = default;
  virtual void clear() = 0;
  // Inserts under parent (kNoItem: at the root), directly after the sibling after, or first when
  // after is kNoItem; returns the new item.
  virtual TreeItem insertAfter(TreeItem parent, TreeItem after, const TreeNode& node) = 0;
  virtual TreeItem append(TreeItem parent, const TreeNode& node) = 0;
  virtual void remove(TreeItem item) = 0;  // with everything under it
  virtual TreeItem firstChild(TreeItem parent) = 0;
  virtual TreeItem nextSibling(TreeItem item) = 0;
  // An item without children does not open.
  virtual void expand(TreeItem item, bool open) = 0;
  virtual void setImage(TreeItem item, int32_t image) = 0;
  virtual void setLabel(TreeItem item, std::string_view label) = 0;
  virtual TreeNode node(TreeItem item) = 0;
};

// The index-th child of parent (0 first), or kNoItem, also for a negative index.
TreeItem ChildAt(EventTreeView& tree, TreeItem parent, int index);
// The node of race r, found by position: the root's items are "Information", "Piste", then the
// races in order.
TreeItem RaceItem(EventTreeView& tree, int race);

// The tree of a one-race event: "Information", "Piste" and the race, expanded, with its default
// nodes ("Pilotes (0)" and the three phases holding "Paramètres" and "Répartition").
void BuildDefaultTree(EventTreeView& tree, std::string_view raceName);
// The tree of the event read from the race file; only the last race is expanded.
void BuildTreeFromRaceFile(EventTreeView& tree, const EventState& event);
// Race r and its default nodes at the end of the root, collapsed.
void AppendRaceNode(EventTreeView& tree, int race, const EventState& event);
// The phase node of race r made again with its sessions (rounds), every series without results;
// the phase, its last session (the rounds group) and its rankings expanded.
void RebuildPhaseNode(EventTreeView& tree, int race, RacePhase phase, const EventState& event);
// The last session (round) of the phase, just counted in the header, and its ranking node.
void AddSessionNodes(EventTreeView& tree, int race, RacePhase phase, const EventState& event);
// The participants node of race r made again from its names, and its phases back to their
// default nodes; the participants node expanded.
void RebuildParticipantsNode(EventTreeView& tree, int race, const EventState& event);
// Every race but race r collapsed, and "Piste" with them: the races before r, then those after.
void CollapseOtherRaces(EventTreeView& tree, int race);

// The tree as an ordered list, depth first, for comparing trees.
struct TreeListingLine {
  int depth = 0;
  int32_t code = 0;
  std::string label;
  int32_t image = 0;
  bool expanded = false;
  friend bool operator==(const TreeListingLine&, const TreeListingLine&) = default;
};
std::vector<TreeListingLine> TreeListing(EventTreeView& tree);
// One line per node: two blanks per level, "+" before an expanded node, then "code label [image]".
std::string TreeListingText(const std::vector<TreeListingLine>& listing);

}  // namespace zd
