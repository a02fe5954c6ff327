#include "databases/reference_databases.h"

#include <cstdio>
#include <memory>
#include <string>

#include "files/table_helpers.h"

namespace zd {

namespace {

AddCheck ChampionshipTest(std::string_view text) {
  for (char c : text) {
    if (!AsciiLetterOrDigit(c) && c != ' ') {
      return {AddVerdict::RefuseWithMessage,
              {std::string(kLettersDigitsBlanksOnly), "Erreur", MessageIcon::Error}};
    }
  }
  return {};
}

AddCheck FrequencyTest(std::string_view text) {
  if (text.size() != 6) return {AddVerdict::RefuseSilently, {}};
  return {};
}

void ClearFrequencies(FrequencyTable& table) {
  for (FrequencyRecord& r : table) ZeroBuffer(&r, sizeof r);
}

void PenaltyDefaults(PenaltyTable& table) {
  table[0].description = "Abandon d'un pilote pendant une course";
  table[0].amount = 600;
  table[0].kind = kPenaltyReplaceRaceTime;
}

void ForceAbandonment(PenaltyTable& table) {
  table[0].code = "A";
  table[0].name = "Abandon pilote";
}

bool NotTheAbandonment(int selected, int) { return selected != 0; }

}  // namespace

const ClubsModel::Descriptor& ClubsDescriptor() {
  static const ClubsModel::Descriptor d{
      kClubsFile,
      13,
      DatabaseOrder::Sorted,
      true,
      true,
      {"Error : 'Clubs/Teams' database file not found",
       "Error : Import file 'Clubs/Teams' not found", "Error : Export file 'Clubs/Teams' not found",
       "Base données Clubs/Teams (.bdc2)", ".bdc2"},
      [](const ClubRecord& r) { return r.shortName.view(); },
      [](ClubRecord& r, std::string_view k) { r.shortName = k; },
      ClearClubTable,
      ReadClubs,
      WriteClubs,
      SortClubs,
      nullptr,
      nullptr,
      nullptr,
      nullptr};
  return d;
}

const ChampionshipsModel::Descriptor& ChampionshipsDescriptor() {
  static const ChampionshipsModel::Descriptor d{
      kChampionshipsFile,
      18,
      DatabaseOrder::Sorted,
      true,
      true,
      {"Error : 'Championships' database file not found",
       "Error : Import file 'Championships' not found",
       "Error : Export file 'Championships' not found", "Base données Championnats (.bdch2)",
       ".bdch2"},
      [](const ChampionshipRecord& r) { return r.name.view(); },
      [](ChampionshipRecord& r, std::string_view k) { r.name = k; },
      ClearChampionshipTable,
      ReadChampionships,
      WriteChampionships,
      SortChampionships,
      ChampionshipTest,
      nullptr,
      nullptr,
      nullptr};
  return d;
}

const FrequenciesModel::Descriptor& FrequenciesDescriptor() {
  static const FrequenciesModel::Descriptor d{
      kFrequenciesFile,
      6,
      DatabaseOrder::Sorted,
      false,
      false,
      {"Error : 'Frequencies' database file not found", {}, {}, {}, {}},
      [](const FrequencyRecord& r) { return r.frequency.view(); },
      [](FrequencyRecord& r, std::string_view k) { r.frequency = k; },
      ClearFrequencies,
      ReadFrequencies,
      WriteFrequencies,
      SortFrequencies,
      FrequencyTest,
      nullptr,
      nullptr,
      nullptr};
  return d;
}

const TransponderPacksModel::Descriptor& TransponderPacksDescriptor() {
  static const TransponderPacksModel::Descriptor d{
      kTransponderPacksFile,
      0,
      DatabaseOrder::Fixed,
      false,
      false,
      {"Error : 'Transponders' database file not found", {}, {}, {}, {}},
      [](const TransponderPackRecord& r) { return r.name.view(); },
      [](TransponderPackRecord& r, std::string_view k) { r.name = k; },
      ClearTransponderPackTable,
      ReadTransponderPacks,
      [](std::string_view path, const TransponderPackTable& t, int) {
        return WriteTransponderPacks(path, t);
      },
      nullptr,
      nullptr,
      nullptr,
      nullptr,
      nullptr};
  return d;
}

const PenaltiesModel::Descriptor& PenaltiesDescriptor() {
  static const PenaltiesModel::Descriptor d{
      kPenaltiesFile,
      0,
      DatabaseOrder::Appended,
      true,
      true,
      {"Error : 'Penalties' database file not found", "Error : Import file 'Penalties' not found",
       "Error : Export file 'Penalties' not found", "Base de données Pénalités (.pen)", ".pen"},
      [](const PenaltyRecord& r) { return r.code.view(); },
      [](PenaltyRecord& r, std::string_view k) { r.code = k; },
      ClearPenaltyTable,
      ReadPenalties,
      WritePenalties,
      nullptr,
      nullptr,
      ForceAbandonment,
      PenaltyDefaults,
      NotTheAbandonment};
  return d;
}

std::optional<std::string> TypedTransponderNumber(std::string_view text) {
  constexpr std::size_t kDigits = 6;
  if (text.size() > kDigits) return std::nullopt;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  if (text.empty()) return std::string();
  return std::string(kDigits - text.size(), '0') + std::string(text);
}

MaybeDatabaseMessage PenaltiesFitCheck(const PenaltyTable& table) {
  if (PenaltiesFit(table)) return std::nullopt;
  return DatabaseMessage{std::string(kPenaltiesDoNotFit), "Error", MessageIcon::Error};
}

MaybeDatabaseMessage EditPenalty(PenaltiesModel& model,
                                 const std::function<void(PenaltyRecord&)>& edit) {
  PenaltyRecord* penalty = model.selectedRecord();
  if (penalty == nullptr) return std::nullopt;
  const PenaltyRecord before = *penalty;
  edit(*penalty);
  MaybeDatabaseMessage tooLong = PenaltiesFitCheck(model.table());
  if (tooLong) *penalty = before;
  return tooLong;
}

bool CreatePenalty(PenaltiesModel& model, MaybeDatabaseMessage* refusal) {
  const int count = model.count();
  if (count >= kMaxPenalties) return false;
  int next = 1;
  if (count >= 2) {
    // The digits after the "P" of the last code; the codes grow along the list.
    const std::string_view last = model.keyAt(count - 1);
    int value = 0;
    for (std::size_t i = 1; i < last.size() && i < 3 && last[i] >= '0' && last[i] <= '9'; ++i) {
      value = value * 10 + (last[i] - '0');
    }
    next = value + 1;
    if (next > kMaxPenaltyCodeNumber) return false;
  }
  const std::string code = "P" + std::to_string(next);
  auto tried = std::make_unique<PenaltyTable>(model.table());
  (*tried)[count] = PenaltyRecord{};
  (*tried)[count].code = code;
  if (MaybeDatabaseMessage tooLong = PenaltiesFitCheck(*tried)) {
    if (refusal) *refusal = std::move(tooLong);
    return false;
  }
  return model.append(code) != nullptr;
}

void SetPenaltyKind(PenaltyRecord& penalty, int kind) {
  if (kind < kPenaltyAddRaceTime || kind > kPenaltyRemoveLaps) return;
  if (PenaltyInLaps(kind) != PenaltyInLaps(penalty.kind)) penalty.amount = 0;
  penalty.kind = kind;
}

int SetPenaltyAmount(PenaltyRecord& penalty, std::string_view digits) {
  // The edits take 5 digits for seconds and 3 for laps: no sum here can overflow.
  long value = 0;
  for (char c : digits.substr(0, 9)) {
    if (c < '0' || c > '9') break;
    value = value * 10 + (c - '0');
  }
  if (!PenaltyInLaps(penalty.kind) && value > kMaxPenaltySeconds) value = kMaxPenaltySeconds;
  penalty.amount = static_cast<int>(value);
  return penalty.amount;
}

std::string PenaltyKeyDisplay(int slot, std::string_view code) {
  if (slot == 0) return "Abandon : A";
  return "Pénalité : " + std::string(code);
}

}  // namespace zd
