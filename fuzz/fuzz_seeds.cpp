// Writes the seed corpora of the fuzz targets with the core's own writers: the files as the
// program leaves them, so that fuzzing starts from inputs that reach deep into each reader.
// Usage: fuzz_seeds OUTPUT_FOLDER (one subfolder per target is made in it).

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "files/databases.h"
#include "files/event_sections.h"
#include "files/factory_settings.h"
#include "files/handover_files.h"
#include "files/live_file.h"
#include "files/participants.h"
#include "files/phase_sections.h"
#include "files/race_file.h"
#include "files/ranking.h"
#include "files/series_sections.h"
#include "files/settings.h"
#include "files/translation.h"
#include "main/decoder_protocol.h"

namespace {

using namespace zd;

std::string out;  // the output folder, absolute

void Require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "fuzz_seeds: %s failed\n", what);
  std::exit(1);
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Moves a file the writers made into the target's seed folder.
void Keep(const std::string& target, const std::string& made, const std::string& name) {
  const std::string folder = out + "/" + target;
  ::mkdir(folder.c_str(), 0777);
  Require(std::rename(made.c_str(), (folder + "/" + name).c_str()) == 0, made.c_str());
}

void KeepBytes(const std::string& target, const std::string& name, const std::string& bytes) {
  const std::string folder = out + "/" + target;
  ::mkdir(folder.c_str(), 0777);
  std::ofstream(folder + "/" + name, std::ios::binary) << bytes;
}

void KeepRaceFile(const std::string& made, const std::string& name) {
  const std::string bytes = Slurp(made);
  KeepBytes("race_file_fuzz", name, bytes);
  KeepBytes("series_load_fuzz", name, bytes);
  std::remove(made.c_str());
}

// A car's results: laps passings, a lap every 30 s or so.
void GiveResults(SeriesResultEntry& e, int laps, int32_t start) {
  e.passingCount = e.laps = laps;
  for (int k = 0; k <= laps; ++k) e.passingTimes[k] = start + k * (30000 + 17 * k);
  e.raceTime = e.passingTimes[laps];
  e.bestLap = 30017;
  e.lapTimes[laps] = laps > 0 ? e.passingTimes[laps] - e.passingTimes[laps - 1] : 0;
}

void RaceFiles() {
  const std::string path = "Private/Course.race2";
  {
    TextFile f;
    Require(f.open(path, OpenMode::Create) && InitialiseRaceFile(f).ok, "new race file");
  }
  KeepRaceFile(path, "new-event.race2");

  // An event whose race 1 has run a practice series, a qualifying series and a round.
  TextFile f;
  Require(f.open(path, OpenMode::Create) && InitialiseRaceFile(f).ok, "race file");
  RaceHeaderRecords header = NewEventRaceRecords();
  RaceHeaderRecord& race = header[0];
  race.name = "Open";
  race.participantCount = 6;
  race.practiceSessions = race.qualifyingSessions = race.rounds = 1;
  race.practiceSeries = race.qualifyingSeries = 2;
  race.practiceStates[0] = race.qualifyingStates[0] = race.roundsState = 1;
  Require(WriteRaceFileHeader(f, 13101, 1, header).ok, "header");
  TreeviewFlagsTable flags{};
  flags[0].practice[0][0] = flags[0].qualifying[0][0] = flags[0].rounds[0] = 1;
  Require(WriteTreeviewSection(f, flags).ok, "flags");
  EventInformation info;
  info.eventName = "Grand Prix";
  info.date = "14/07/2024";
  Require(WriteInformationSection(f, info).ok, "information");
  TrackSettings track;
  track.name = "Circuit";
  Require(WriteTrackSection(f, track).ok, "track");
  PenaltyTable penalties;
  ClearPenaltyTable(penalties);
  penalties[0].code = "A";
  penalties[0].name = "Abandon";
  penalties[1].code = "P1";
  penalties[1].name = "Un tour";
  penalties[1].amount = 1;
  penalties[1].kind = kPenaltyRemoveLaps;
  Require(WritePenaltiesSection(f, penalties).ok, "penalties");

  auto participants = std::make_unique<ParticipantTable>();
  ClearParticipants(*participants);
  auto arrangement = std::make_unique<SeriesArrangement>();
  auto grid = std::make_unique<StartingGrid>();
  const char* names[] = {"Alain", "Brigitte", "Cyril", "Denis", "Emma", "Fred"};
  for (int i = 0; i < 6; ++i) {
    ParticipantRecord& p = (*participants)[i];
    p.name = names[i];
    p.club = "ACO";
    p.carNumber = std::to_string(i + 5);
    p.transponder = "00100" + std::to_string(i + 1);
    arrangement->names[i] = names[i];
    grid->names[i] = names[i];
  }
  arrangement->driversPerSeries = 3;
  grid->qualifiedCount = 6;
  Require(WriteParticipantsSection(f, ParticipantsSectionTitle(1), *participants).ok,
          "participants");
  for (RacePhase phase : {RacePhase::Practice, RacePhase::Qualifying, RacePhase::Rounds}) {
    SeriesParameters parameters;
    if (phase == RacePhase::Rounds) {
      parameters.durationKind = kDurationByLaps;
      parameters.passingCapacity = 1;
      parameters.laps = 1;
    }
    Require(WriteParametersSection(f, ParametersSectionTitle(1, phase), parameters).ok,
            "parameters");
    const std::string title = ArrangementSectionTitle(1, phase);
    Require(phase == RacePhase::Rounds ? WriteRoundArrangementNames(f, title, *grid).ok
                                       : WriteSeriesArrangementNames(f, title, *arrangement).ok,
            "arrangement");
    PointsScale scale{};
    Require(WritePointsSection(f, PointsSectionTitle(1, phase), kRankByLapsAndTime, scale).ok,
            "points");
    auto ranking = std::make_unique<RankingList>();
    ClearRankingEntries(*ranking);
    for (int i = 0; i < 6; ++i) (*ranking)[i].name = names[5 - i];
    Require(WriteClassementSection(f, ClassementSectionTitle(1, phase), ClassementSettings{},
                                   *ranking)
                .ok,
            "classement");
  }

  auto table = std::make_unique<SeriesTable>();
  for (int i = 0; i < kMaxSeriesSlots; ++i) {
    SeriesResultEntry& e = (*table)[i];
    if (i < 3) {
      e.name = names[i];
      GiveResults(e, 4 + i, 1000 * i);
    } else {
      e.name = kEmptySlotName;
      e.raceTime = e.bestLap = kEmptySlotTime;
      e.passingTimes.fill(kEmptySlotTime);
    }
  }
  (*table)[2].penaltyIndex = 2;
  SeriesTexts texts;
  texts.description = "Durée 0:05:00 - DEPARTSignalSonore - FINTEMPSFinirTour";
  texts.comment = "Piste grasse\nvent fort";
  texts.trackCondition = "Pluie";
  Require(WriteSeriesResultsSection(f, PracticeSeriesTitle(1, 1, 1), *table, texts).ok, "series");
  Require(WriteSeriesResultsSection(f, QualifyingSeriesTitle(1, 1, 1), *table, texts).ok,
          "series");
  // A round of capacity 1 (one lap a car): its region is a few kilobytes where one of capacity
  // 1000 takes half a megabyte, which would slow every run of the fuzzers down.
  for (SeriesResultEntry& e : *table)
    if (e.passingCount > 1) GiveResults(e, 1, e.passingTimes[0]);
  Require(WriteRoundResultsSection(f, RoundTitle(1, 1), *table, 1, texts).ok, "round");
  f.close();
  KeepRaceFile(path, "event.race2");
}

void Databases() {
  const std::string target = "databases_fuzz";
  auto drivers = std::make_unique<DriverTable>();
  ClearDriverTable(*drivers);
  (*drivers)[0].name = "Alain";
  (*drivers)[0].birth = std::to_string(BirthMonthCount(1990, 4));
  (*drivers)[0].club = "ACO";
  (*drivers)[1].name = "Brigitte";
  (*drivers)[1].birth = "xx";
  Require(WriteDrivers("drivers.bd", *drivers, 2), "drivers");
  Keep(target, "drivers.bd", "drivers.bd");

  VehicleCategoryTable categories;
  ClearVehicleCategoryTable(categories);
  categories[0].name = "Buggy";
  categories[0].characteristics = "1/8\nthermique";
  Require(WriteVehicleCategories("categories.bd", categories, 1), "categories");
  Keep(target, "categories.bd", "categories.bd");

  auto vehicles = std::make_unique<VehicleTable>();
  ClearVehicleTable(*vehicles);
  (*vehicles)[0].name = "Rapide";
  (*vehicles)[0].category = "Buggy";
  Require(WriteVehicles("vehicles.bd", *vehicles, 1), "vehicles");
  Keep(target, "vehicles.bd", "vehicles.bd");

  ClubTable clubs;
  ClearClubTable(clubs);
  clubs[0].shortName = "ACO";
  clubs[0].fullName = "Automobile Club";
  Require(WriteClubs("clubs.bd", clubs, 1), "clubs");
  Keep(target, "clubs.bd", "clubs.bd");

  AgeCategoryTable ages;
  ClearAgeCategoryTable(ages);
  ages[0].code = "J";
  ages[0].name = "Junior";
  ages[0].fromYear = 105;
  ages[0].toYear = 110;
  Require(WriteAgeCategories("ages.bd1", ages, 1), "ages");
  Keep(target, "ages.bd1", "ages.bd1");

  ChampionshipTable championships;
  ClearChampionshipTable(championships);
  championships[0].name = "Ligue";
  championships[0].description = "deux\nlignes";
  Require(WriteChampionships("championships.bd", championships, 1), "championships");
  Keep(target, "championships.bd", "championships.bd");

  TransponderPackTable packs;
  ClearTransponderPackTable(packs);
  packs[0].name = "Club";
  packs[0].transponders[0] = "001001";
  Require(WriteTransponderPacks("packs.bd", packs), "packs");
  Keep(target, "packs.bd", "packs.bd");

  FrequencyTable frequencies{};
  frequencies[0].frequency = "2.4Ghz";
  frequencies[1].frequency = "27.045";
  Require(WriteFrequencies("frequencies.bd", frequencies, 2), "frequencies");
  Keep(target, "frequencies.bd", "frequencies.bd");

  PenaltyTable penalties;
  ClearPenaltyTable(penalties);
  penalties[0].code = "A";
  penalties[0].name = "Abandon";
  penalties[0].description = "sur\ndeux lignes";
  Require(WritePenalties("penalties.bd", penalties, 1), "penalties");
  Keep(target, "penalties.bd", "penalties.bd");

  KeepBytes(target, "countries.bd", "France\r\nBelgique\r\n\r\nSuisse\r\n");
}

void Settings() {
  const std::string target = "settings_fuzz";
  Require(WriteSoundSettings("sounds.rg", FactorySoundSettings()), "sounds");
  Keep(target, "sounds.rg", "sounds.rg");
  auto custom = std::make_unique<CustomSounds>();
  ClearCustomSounds(*custom);
  (*custom)[0] = "C:\\Sons\\depart.wav";
  Require(WriteCustomSounds("custom.sopr", *custom), "custom sounds");
  Keep(target, "custom.sopr", "custom.sopr");
  Require(WriteDisplaySettings("display.rgsc", FactoryDisplaySettings(), FactoryCustomColours()),
          "display");
  Keep(target, "display.rgsc", "display.rgsc");
  Require(WriteInterfaceSettings("interface.rg", FactoryInterfaceSettings()), "interface");
  Keep(target, "interface.rg", "interface.rg");

  auto table = std::make_unique<TranslationTable>();
  ClearTranslationTable(*table, kMaxTranslationRows);
  (*table)[0][0] = "Fichier";
  (*table)[0][1] = "File";
  (*table)[1][0] = "Ouvrir";
  Require(WriteTranslationFile(*table, "menu.trans", kLanguageCount, 2), "translation");
  Keep(target, "Translation/menu.trans", "menu.trans");
  KeepBytes(target, "languages.trans", "1\t2\t\r\n");
}

void LiveAndHandover() {
  const std::string target = "live_handover_fuzz";
  LiveRows rows;
  rows[0].name = "Alain";
  rows[0].position = "1";
  rows[0].laps = "4";
  rows[0].totalTime = "2:00.170";
  rows[1].name = "Brigitte";
  LiveClockTexts clock;
  clock.duration = "0:05:00";
  clock.elapsed = "0:02:00";
  clock.remaining = "0:03:00";
  Require(WriteLiveFile("WebResults/Live.txt", rows, clock, "Essais 1", "http://video", 2, 1),
          "live file");
  Keep(target, "WebResults/Live.txt", "live.txt");

  WebEventInfo web;
  web.activated = 1;
  web.eventId = "gp2024";
  Require(WriteWebEventInfo(web).ok, "web event information");
  Keep(target, std::string(kWebEventInfoPath), "web.txt");

  auto table = std::make_unique<SeriesTable>();
  (*table)[0].name = "Alain";
  GiveResults((*table)[0], 4, 0);
  (*table)[1].name = "Brigitte";
  Require(WriteSeriesResultFile(*table, kRankByLapsAndTime), "series result file");
  Keep(target, std::string(kSeriesResultFile), "series.res");
  Require(WriteDriverResultFile(*table, 0, "Essais 1 - Série 1", "Circuit", "Durée 0:05:00"),
          "driver result file");
  Keep(target, std::string(kDriverResultFile), "driver.res");
  Require(WriteSeriesCommentFile("Pluie", "Piste grasse\nvent fort"), "comment file");
  Keep(target, std::string(kSeriesCommentFile), "comment.res");
}

void DecoderStreams() {
  const std::string target = "decoder_fuzz";
  // The first byte chooses the link (0 KV1, 1 KV2 USB), the second the series' parameters.
  std::string usb = {1, 0};
  usb.append({'\xFF', '\xFF', '\xFF', static_cast<char>(kResetReplyMarker), 0, 0, 0});
  for (int lap = 1; lap <= 3; ++lap)
    for (int car = 1; car <= 6; ++car) {
      const uint16_t transponder = static_cast<uint16_t>(1000 + car);
      const uint8_t seconds = static_cast<uint8_t>(lap * 20 + car);
      usb.append({'\xFF', '\xFF', '\xFF', static_cast<char>(kPassingMarker),
                  static_cast<char>(transponder >> 8), static_cast<char>(transponder & 0xFF), 0,
                  0, static_cast<char>(seconds), static_cast<char>(0x48), static_cast<char>(0xE5)});
    }
  KeepBytes(target, "usb-passings", usb);
  std::string laps = usb;
  laps[1] = 3;  // by laps, best lap order
  KeepBytes(target, "usb-laps", laps);

  std::string interface = {0, 0};
  for (int lap = 1; lap <= 3; ++lap)
    for (int car = 1; car <= 6; ++car) {
      const uint16_t transponder = static_cast<uint16_t>(1000 + car);
      interface.append({static_cast<char>(transponder >> 8), static_cast<char>(transponder & 0xFF)});
      interface.append(std::string(kInterfacePassingLength * 11, '\0'));
    }
  KeepBytes(target, "interface-passings", interface);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_seeds OUTPUT_FOLDER\n");
    return 2;
  }
  ::mkdir(argv[1], 0777);
  char* resolved = ::realpath(argv[1], nullptr);
  Require(resolved != nullptr, "output folder");
  out = resolved;
  std::free(resolved);
  // The writers work in a data folder of their own, inside the output folder.
  const std::string work = out + "/work";
  std::system(("rm -rf '" + work + "'").c_str());
  ::mkdir(work.c_str(), 0777);
  Require(::chdir(work.c_str()) == 0, "data folder");
  ::mkdir("Private", 0777);
  ::mkdir("WebResults", 0777);
  ::mkdir("Translation", 0777);
  RaceFiles();
  Databases();
  Settings();
  LiveAndHandover();
  DecoderStreams();
  Require(::chdir(out.c_str()) == 0, "output folder");
  std::system(("rm -rf '" + work + "'").c_str());
  return 0;
}
