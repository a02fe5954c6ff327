#pragma once
// The database dialogs of the clubs, championships, radio frequencies, transponder packs and
// penalties: their descriptors for the frame of database_model.h, and the rules of their own.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "databases/database_model.h"
#include "files/databases.h"
#include "files/event_sections.h"

namespace zd {

using ClubsModel = DatabaseModel<ClubRecord, kMaxClubs>;
using ChampionshipsModel = DatabaseModel<ChampionshipRecord, kMaxChampionships>;
using FrequenciesModel = DatabaseModel<FrequencyRecord, kMaxFrequencies>;
using TransponderPacksModel = DatabaseModel<TransponderPackRecord, kTransponderPacks>;
using PenaltiesModel = DatabaseModel<PenaltyRecord, kMaxPenalties>;

const ClubsModel::Descriptor& ClubsDescriptor();
const ChampionshipsModel::Descriptor& ChampionshipsDescriptor();
const FrequenciesModel::Descriptor& FrequenciesDescriptor();
const TransponderPacksModel::Descriptor& TransponderPacksDescriptor();
const PenaltiesModel::Descriptor& PenaltiesDescriptor();

inline constexpr std::string_view kCountriesFileMissing =
    "Error : 'Countries' database file not found";
// The championships' add test: ASCII letters, digits and blanks only.
inline constexpr std::string_view kLettersDigitsBlanksOnly =
    "Erreur: la saisie n'est pas correcte.\nLes caractères saisis doivent être uniquement :\n"
    " - des lettres sans accents\n - des chiffres\n - des espaces";

// A transponder number as typed, in the form it is stored: one to six decimal digits made six
// with leading zeros ("101" is "000101", the number the decoder sends for it), an empty text
// empty; nullopt for anything else, which is not stored.
std::optional<std::string> TypedTransponderNumber(std::string_view text);

// Penalties. Slot 0 is always the abandonment "A" "Abandon pilote".
inline constexpr int kMaxPenaltySeconds = 86400;
inline constexpr int kMaxPenaltyCodeNumber = 99;
// The race file's penalties section has a fixed size: a list that would not fit it is refused
// with kPenaltiesDoNotFit, so the main window can always copy the list into the race file.
MaybeDatabaseMessage PenaltiesFitCheck(const PenaltyTable& table);
// An edit of the selected penalty's name or amount, kept only when the list still fits the race
// file's section; otherwise the penalty is put back as it was and the message says why.
MaybeDatabaseMessage EditPenalty(PenaltiesModel& model,
                                 const std::function<void(PenaltyRecord&)>& edit);
// "Créer": the next code "P%d" at the end of the list, selected. False, with nothing changed,
// when the list is full, the last code is "P99" or the new entry would not fit the section (then
// refusal holds the message).
bool CreatePenalty(PenaltiesModel& model, MaybeDatabaseMessage* refusal = nullptr);
// A kind radio: the kind set; crossing between seconds (1 to 4) and laps (5) resets the amount.
void SetPenaltyKind(PenaltyRecord& penalty, int kind);
// The seconds or laps edit: the digits' value as the amount, seconds kept to 86400. Returns the
// amount stored.
int SetPenaltyAmount(PenaltyRecord& penalty, std::string_view digits);
// The key display of a slot: "Abandon : A" or "Pénalité : " and the code.
std::string PenaltyKeyDisplay(int slot, std::string_view code);
// Whether the kind's amount is in laps (the laps edit shows) rather than in seconds.
inline bool PenaltyInLaps(int kind) { return kind == kPenaltyRemoveLaps; }

}  // namespace zd
