#pragma once
// The participant details dialog: the vehicle, category, car number, transponder and radio
// frequencies of one participant of a race, and the transponder scan that reads the number of
// whatever passes the loop from the decoder port while it is on.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/databases.h"
#include "files/participants.h"
#include "files/race_file.h"
#include "files/settings.h"
#include "main/decoder_protocol.h"

namespace zd {

inline constexpr int kCarNumberLimit = 4;
inline constexpr int kTransponderDigits = 6;
inline constexpr int kDetailsFrequencies = 5;

inline constexpr std::string_view kParticipantNotFound =
    "Error : The participant selected is not in the race file";

// What the transponder edit's text stores: one to six digits, made six with leading zeros;
// nullopt for anything else and for an empty edit, which leave the stored number as it was.
std::optional<std::string> DetailsTransponder(std::string_view text);

class ParticipantDetailsForm {
 public:
  ParticipantDetailsForm();

  // Opening, from the open race file: the SelectionCode, the international flag and the race's
  // participants. Returns the messages to show, in order. The form is valid only when the code
  // names a participant: a race of the header, a number 1 to 200 and a record with a name.
  std::vector<std::string> read(TextFile& file);
  bool valid() const { return race_ > 0; }
  int race() const { return race_; }
  bool international() const { return international_; }

  // The participant edited; only while valid.
  ParticipantRecord& participant() { return (*participants_)[index_]; }
  const ParticipantRecord& participant() const { return (*participants_)[index_]; }
  // The heading: the name, then " ( ", the club or, for an international event, the nation code,
  // then " )".
  std::string heading() const;

  // A vehicle chosen: its name, and the category of every vehicle of that name in the table
  // (the last one wins); false when no vehicle of the table has the name, the category then
  // staying as it was.
  bool chooseVehicle(std::string_view name, const VehicleTable& vehicles);
  void setCarNumber(std::string_view typed);
  // True when the text was stored.
  bool setTransponder(std::string_view typed);

  // "OK": the participants section of the race, nothing else.
  Outcome write(TextFile& file) const;

 private:
  int race_ = 0;
  int index_ = 0;
  bool international_ = false;
  std::unique_ptr<ParticipantTable> participants_;
};

// The same on the working race file.
std::vector<std::string> LoadParticipantDetails(ParticipantDetailsForm& form);
Outcome SaveParticipantDetails(const ParticipantDetailsForm& form);

// The light beside "Scan": bitmaps 1 to 4 in turn, about 0.21 s each, while the scan runs; 0
// (nothing drawn) while it does not.
class ScanIndicator {
 public:
  // Scan on: state 1, a new cycle from elapsed 0.
  void start();
  void stop() { state_ = 0; }
  // A tick at elapsed hundredths of a second since the scan began; true when the state shown
  // changed, so that the light is drawn again. A cycle restarts at any tick 0.84 s or more after
  // its start, so that a late tick cannot leave the light on one bitmap.
  bool tick(int64_t elapsed);
  int state() const { return state_; }

 private:
  int state_ = 0;
  int64_t cycleStart_ = 0;
};

// DetailsScan: reads the number of each transponder that passes, parsed by the decoder kind read
// when the dialog opened: the KV1 pairs with the parser of the decoder link, the KV2/KV3 passing
// messages for their number alone (PassingNumberParser).
class DetailsScan {
 public:
  explicit DetailsScan(std::string_view decoderKind) : link_(DecoderLinkOf(decoderKind)) {}

  // Scan on at counter reading now: the parser starts afresh, the light at 1.
  void start(int64_t now, int64_t frequency);
  void stop();
  bool scanning() const { return scanning_; }
  const ScanIndicator& indicator() const { return indicator_; }

  struct Tick {
    std::string transponder;  // the last number shown by this tick ("%06d"), or empty
    bool indicatorChanged = false;
  };
  // One tick of the dialog's timer with the bytes its read brought (count 0 for a read that
  // failed). Not scanning, the bytes are thrown away.
  Tick tick(const uint8_t* bytes, std::size_t count, int64_t now);

 private:
  DecoderLink link_;
  bool scanning_ = false;
  PassingParser parser_;         // KV1
  PassingNumberParser numbers_;  // KV2/KV3
  ScanIndicator indicator_;
  int64_t start_ = 0;
  int64_t frequency_ = 0;
};

}  // namespace zd
