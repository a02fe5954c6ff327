#include "databases/category_databases.h"

#include <array>

#include "files/table_helpers.h"
#include "files/translation.h"

namespace zd {

namespace {

int32_t Language(int32_t language) { return language >= 1 && language <= 5 ? language : 0; }

constexpr std::array<std::string_view, 6> kRefusalCaptions = {"Error", "Erreur", "Fehler",
                                                              "Errore", "Erro", "Error"};

// The two refusals differ only in their last line.
constexpr std::array<std::string_view, 6> kRefusalHeads = {
    "Error: The data entry is not correct.\nThe characters entered must be only :\n"
    " - letters without accents\n - numbers\n",
    "Erreur: la saisie n'est pas correcte.\nLes caractères entrés doivent être uniquement :\n"
    " - des lettres sans accents\n - des chiffres\n",
    "Fehler: die Datenerfassung ist nicht richtig.\nDie eingegebenen Zeichen müssen nur sein :\n"
    " - Buchstaben ohne Akzent\n - Zahlen\n",
    "Errore: il inserimento non è corretta.\nI caratteri immessi devono essere soltanto :\n"
    " - lettere senza accenti\n - numeri\n",
    "Erro: A apreensão de dados não é correto.\nOs caracteres introduzidos devem ser apenas :\n"
    " - letras sem acentos\n - números\n",
    "Error: la entrada de datos no es correcta.\nLos caracteres introducidos deben ser "
    "únicamente :\n - cartas sin acentos\n - cifras\n",
};
constexpr std::array<std::string_view, 6> kNoBlankTails = {
    " - no space", " - aucun espace", " - kein Raum", " - senza spazio", " - sem espaço",
    " - ningún espacio"};
constexpr std::array<std::string_view, 6> kBlanksTails = {" - spaces", " - des espaces", " - Räume",
                                                          " - spazi", " - espaços", " - espacios"};

DatabaseMessage Refusal(int32_t language, const std::array<std::string_view, 6>& tails) {
  const int32_t l = Language(language);
  return {std::string(kRefusalHeads[l]) + std::string(tails[l]), std::string(kRefusalCaptions[l]),
          MessageIcon::Error};
}

template <int32_t L>
AddCheck AgeCodeTest(std::string_view text) {
  for (char c : text) {
    if (!AsciiLetterOrDigit(c)) return {AddVerdict::RefuseWithMessage, AgeCodeRefusal(L)};
  }
  return {};
}

template <int32_t L>
AddCheck VehicleCategoryTest(std::string_view text) {
  for (char c : text) {
    if (!AsciiLetterOrDigit(c) && c != ' ') {
      return {AddVerdict::RefuseWithMessage, VehicleCategoryNameRefusal(L)};
    }
  }
  return {};
}

constexpr std::array<std::string_view, 6> kAgeFilters = {
    "DB Age categories (.bda2)",   "BD Catégories Ages (.bda2)",  "DB Alterskategorien (.bda2)",
    "DB Categorie Età (.bda2)",    "BD Categorias Idade (.bda2)", "BD Categorías edad (.bda2)"};
constexpr std::array<std::string_view, 6> kVehicleCategoryFilters = {
    "DB Cars/Motorbikes categories (*.bds2)", "BD Catégories Voitures/Motos (*.bds2)",
    "DB Kategorien Autos/Motorräder (*.bds2)", "DB Categorie Auto/Motocicli (*.bds2)",
    "BD Categorias Carros/Motos (*.bds2)",    "BD Categorías Coches/Motos (*.bds2)"};

template <int32_t L>
AgeCategoriesModel::Descriptor AgeDescriptor() {
  return {kAgeCategoriesFile,
          3,
          DatabaseOrder::Appended,
          true,
          true,
          {"Error : 'Age categories' database file not found",
           "Error : Import file 'Age categories' not found",
           "Error : Export file 'Age categories' not found", kAgeFilters[L], ".bda2"},
          [](const AgeCategoryRecord& r) { return r.code.view(); },
          [](AgeCategoryRecord& r, std::string_view k) { r.code = k; },
          ClearAgeCategoryTable,
          ReadAgeCategories,
          WriteAgeCategories,
          nullptr,
          AgeCodeTest<L>,
          nullptr,
          nullptr,
          nullptr};
}

template <int32_t L>
VehicleCategoriesModel::Descriptor VehicleCategoryDescriptor() {
  return {kVehicleCategoriesFile,
          28,
          DatabaseOrder::Sorted,
          true,
          true,
          {"Error : 'Categories' database file not found",
           "Error : Import file 'Categories' not found",
           "Error : Export file 'Categories' not found", kVehicleCategoryFilters[L], ".bds2"},
          [](const VehicleCategoryRecord& r) { return r.name.view(); },
          [](VehicleCategoryRecord& r, std::string_view k) { r.name = k; },
          ClearVehicleCategoryTable,
          ReadVehicleCategories,
          WriteVehicleCategories,
          SortVehicleCategories,
          VehicleCategoryTest<L>,
          nullptr,
          nullptr,
          nullptr};
}

}  // namespace

const AgeCategoriesModel::Descriptor& AgeCategoriesDescriptor(int32_t language) {
  static const std::array<AgeCategoriesModel::Descriptor, 6> all = {
      AgeDescriptor<0>(), AgeDescriptor<1>(), AgeDescriptor<2>(),
      AgeDescriptor<3>(), AgeDescriptor<4>(), AgeDescriptor<5>()};
  return all[static_cast<std::size_t>(Language(language))];
}

const VehicleCategoriesModel::Descriptor& VehicleCategoriesDescriptor(int32_t language) {
  static const std::array<VehicleCategoriesModel::Descriptor, 6> all = {
      VehicleCategoryDescriptor<0>(), VehicleCategoryDescriptor<1>(),
      VehicleCategoryDescriptor<2>(), VehicleCategoryDescriptor<3>(),
      VehicleCategoryDescriptor<4>(), VehicleCategoryDescriptor<5>()};
  return all[static_cast<std::size_t>(Language(language))];
}

DatabaseMessage AgeCodeRefusal(int32_t language) { return Refusal(language, kNoBlankTails); }

DatabaseMessage VehicleCategoryNameRefusal(int32_t language) {
  return Refusal(language, kBlanksTails);
}

void UpdateBoundCounts(AgeCategoryRecord& c) {
  c.fromCount = c.fromYear * 12 + c.fromMonth;
  c.toCount = c.toYear * 12 + c.toMonth;
}

namespace {
bool Later(int32_t year, int32_t month, int32_t otherYear, int32_t otherMonth) {
  return year > otherYear || (year == otherYear && month > otherMonth);
}
}  // namespace

bool SetBornFrom(AgeCategoryRecord& c, int32_t month, int32_t year) {
  c.fromMonth = month;
  c.fromYear = year;
  const bool moved = Later(c.fromYear, c.fromMonth, c.toYear, c.toMonth);
  if (moved) {
    c.fromMonth = c.toMonth;
    c.fromYear = c.toYear;
  }
  UpdateBoundCounts(c);
  return moved;
}

bool SetBornTo(AgeCategoryRecord& c, int32_t month, int32_t year) {
  c.toMonth = month;
  c.toYear = year;
  const bool moved = Later(c.fromYear, c.fromMonth, c.toYear, c.toMonth);
  if (moved) {
    c.toMonth = c.fromMonth;
    c.toYear = c.fromYear;
  }
  UpdateBoundCounts(c);
  return moved;
}

std::string BoundAgeText(int32_t boundCount, int32_t nowCount, int32_t language) {
  // Counts come from files: the difference is taken wide so that no value can overflow it.
  const int64_t months = static_cast<int64_t>(nowCount) - boundCount;
  return FormatAgeYears(static_cast<int32_t>(months / 12), language);
}

void StoreAgeCategoryName(AgeCategoryRecord& c, std::string_view typed) {
  StoreTypedText(c.name, typed, false);
  std::string name(c.name.view());
  for (char& ch : name) {
    if (ch == '-') ch = '_';
  }
  c.name = name;
}

int ComboItemOrNone(int32_t index, int itemCount) {
  return index >= 0 && index < itemCount ? static_cast<int>(index) : -1;
}

std::string_view VehicleCategoriesCaption(int32_t language) {
  static constexpr std::array<std::string_view, 6> captions = {
      "Database categories",     "Base de données Catégories", "Datenbank Kategorien",
      "Database Categorie",      "Base de dados Categorias",   "Base de datos Categorías"};
  return captions[static_cast<std::size_t>(Language(language))];
}

VehicleCategoriesLabels VehicleCategoriesLabelPlaces(int32_t language) {
  static constexpr std::array<VehicleCategoriesLabels, 6> places = {{
      {{60, 40, 40}, {410, 300, 120}, {430, 340, 100}},
      {{40, 40, 60}, {405, 300, 125}, {420, 340, 110}},
      {{60, 40, 40}, {400, 300, 130}, {455, 340, 75}},
      {{50, 40, 50}, {410, 300, 120}, {430, 340, 100}},
      {{60, 40, 40}, {420, 300, 110}, {425, 340, 105}},
      {{50, 40, 50}, {410, 300, 120}, {425, 340, 105}},
  }};
  return places[static_cast<std::size_t>(Language(language))];
}

}  // namespace zd
