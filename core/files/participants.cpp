#include "files/participants.h"

#include <algorithm>
#include <numeric>
#include <string>

namespace zd {

namespace {

constexpr std::string_view kParticipantsNotFound =
    "Error: Title of the list of participants not found";

std::string LowerAsciiKey(std::string_view name) {
  std::string key(name);
  for (char& c : key)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return key;
}

}  // namespace

void ClearParticipants(ParticipantTable& table) { table = ParticipantTable{}; }

void SortParticipantsByName(ParticipantTable& table) {
  std::array<std::string, kMaxParticipants> keys;
  std::array<int, kMaxParticipants> order;
  for (int i = 0; i < kMaxParticipants; ++i) keys[i] = LowerAsciiKey(table[i].name);
  std::iota(order.begin(), order.end(), 0);
  auto before = [&](int a, int b) {
    // Empty names go last whatever bytes the other names hold.
    bool emptyA = keys[a].empty(), emptyB = keys[b].empty();
    if (emptyA != emptyB) return emptyB;
    // std::string compares its chars as unsigned bytes (char_traits<char>::lt).
    int c = keys[a].compare(keys[b]);
    if (c != 0) return c < 0;
    return a > b;  // equal names: the later record first
  };
  std::sort(order.begin(), order.end(), before);
  ParticipantTable sorted;
  for (int i = 0; i < kMaxParticipants; ++i) sorted[i] = table[order[i]];
  table = sorted;
}

namespace {

std::string ParticipantsBody(const ParticipantTable& table) {
  FieldWriter body;
  for (const ParticipantRecord& p : table) {
    body.text(p.name)
        .text(p.club)
        .text(p.nationCode)
        .text(p.vehicle)
        .text(p.carNumber)
        .text(p.transponder)
        .text(p.vehicleCategory)
        .text(p.ageCategoryCode)
        .text(p.ageCategoryName)
        .integer(p.sex);
    for (const auto& f : p.frequencies) body.text(f);
    body.endLine();
  }
  return body.take();
}

}  // namespace

bool ParticipantsFit(const ParticipantTable& table) {
  return DiskSize(ParticipantsBody(table)) <= 2 * static_cast<std::size_t>(filler::kParticipants) + 2;
}

Outcome WriteParticipantsSection(TextFile& file, std::string_view title,
                                 const ParticipantTable& table) {
  return RewriteSection(file, title, filler::kParticipants, ParticipantsBody(table),
                        kParticipantsNotFound);
}

bool ReadParticipantsSection(TextFile& file, ParticipantTable& table) {
  for (ParticipantRecord& p : table) {
    ReadText(file, p.name);
    ReadText(file, p.club);
    ReadText(file, p.nationCode);
    ReadText(file, p.vehicle);
    ReadText(file, p.carNumber);
    ReadText(file, p.transponder);
    ReadText(file, p.vehicleCategory);
    ReadText(file, p.ageCategoryCode);
    ReadText(file, p.ageCategoryName);
    bool sexOk = false;
    int32_t sex = ReadInt(file, &sexOk);
    if (sexOk) p.sex = sex;
    for (auto& f : p.frequencies) ReadText(file, f);
    if (!SkipLine(file)) return false;
  }
  return true;
}

bool ReadParticipantNames(TextFile& file, ParticipantNames& names) {
  for (auto& name : names) {
    ReadText(file, name);
    if (!SkipLine(file)) return false;
  }
  return true;
}

void ClearRaceNameLists(RaceNameLists& lists) { lists = RaceNameLists{}; }

}  // namespace zd
