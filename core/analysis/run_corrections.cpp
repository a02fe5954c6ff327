#include "analysis/run_corrections.h"

#include <cstdio>

#include "files/race_file.h"
#include "files/text_file.h"

namespace zd {

namespace {

std::string Printed(const char* format, int value) {
  char text[96];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// The dialog builds each text in a 65-byte buffer.
std::string Within64(std::string text) {
  if (text.size() > 64) text.resize(64);
  return text;
}

}  // namespace

std::optional<std::string_view> LoadAssignablePenalties(PenaltyTable& table) {
  ClearPenaltyTable(table);
  PenaltyRecord& abandon = table[0];
  abandon.code = "A";
  abandon.name = "Abandon pilote";
  abandon.description = "Abandon d'un pilote pendant une course";
  abandon.amount = 600;
  abandon.kind = kPenaltyReplaceRaceTime;
  std::optional<std::string_view> failure;
  TextFile file;
  if (!file.open(kRaceFilePath, OpenMode::Read)) {
    failure = kRaceFileNotFound;
  } else if (!FindSection(file, kPenaltiesTitle)) {
    failure = kPenaltyTitleMissing;
  } else {
    ReadPenaltiesSection(file, table);
  }
  abandon.code = "A";
  abandon.name = "Abandon pilote";
  return failure;
}

std::vector<std::string> PenaltyListTexts(const PenaltyTable& table) {
  std::vector<std::string> texts{std::string(kNoPenalty)};
  for (const PenaltyRecord& p : table) {
    if (p.code.empty()) break;
    texts.push_back(p.code.str());
  }
  return texts;
}

std::string PenaltyDescription(const PenaltyRecord& penalty) {
  const char* format = nullptr;
  switch (penalty.kind) {
    case kPenaltyAddRaceTime:
      format = "%d secondes ajoutées au temps de course du pilote";
      break;
    case kPenaltyAddBestLap:
      format = "%d secondes ajoutées au meilleur tour du pilote";
      break;
    case kPenaltyReplaceRaceTime:
      format = "%d secondes mises à la place du temps de course du pilote";
      break;
    case kPenaltyReplaceBestLap:
      format = "%d secondes mises à la place du meilleur tour du pilote";
      break;
    case kPenaltyRemoveLaps:
      format = "%d tours retirés au nombre de tours du pilote";
      break;
    default:
      return {};
  }
  return Within64(Printed(format, penalty.amount));
}

bool PenaltyListed(const PenaltyTable& table, int32_t index) {
  return index >= 1 && index <= CountPenalties(table);
}

AssignedPenaltyTexts AssignedPenalty(const PenaltyTable& table, int32_t index) {
  if (!PenaltyListed(table, index)) return {"Pénalité attribuée :", "Aucune pénalité attribuée", ""};
  const PenaltyRecord& p = table[static_cast<std::size_t>(index - 1)];
  return {Within64("Pénalité attribuée : " + p.code.str()), p.name.str(), PenaltyDescription(p)};
}

std::string PenaltyCarCaption(std::string_view carNumber, std::string_view driverName) {
  return Within64("Voiture/moto '# " + std::string(carNumber) + "' - " + std::string(driverName));
}

TrackCondition FrenchTrackCondition(const TrackCondition& word) {
  const std::string_view w = word.view();
  if (w == "Dry" || w == "Seco") return TrackCondition(kDry);
  if (w == "Wet" || w == "Lluvia") return TrackCondition(kRain);
  if (w == "Ice" || w == "Hielo") return TrackCondition(kIce);
  return word;
}

int TrackConditionRadio(const TrackCondition& word) {
  if (word.view() == kRain) return 1;
  if (word.view() == kIce) return 2;
  return 0;
}

SeriesComment CommentFromEdit(std::string_view text) {
  std::string kept;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    kept.push_back(c == '\t' ? ' ' : c);
  }
  return SeriesComment(kept);
}

std::string CommentForEdit(std::string_view comment) {
  std::string text;
  for (const char c : comment) {
    if (c == '\n') text.push_back('\r');
    text.push_back(c);
  }
  return text;
}

SeriesComment CommentToSave(const SeriesComment& comment) {
  return comment.empty() ? SeriesComment(" ") : comment;
}

}  // namespace zd
