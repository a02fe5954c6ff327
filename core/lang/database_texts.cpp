// The built-in texts of the reference database windows and of the penalties window.
#include "lang/text_rows.h"
#include "lang/window_texts.h"

namespace zd {

namespace {

constexpr TextRow kCategoriesTexts[] = {
    {0,
     {"Database : List of cars / motorbikes categories",
      "Base de données : Liste des catégories de voitures / motos",
      "Datenbank: Liste der Auto-/Motorradkategorien",
      "Database: elenco delle categorie auto / moto",
      "Base de dados: lista das categorias de carros / motos",
      "Base de datos: lista de categorías de coches / motos"}},
    {1,
     {"Categories  (50 max)", "Catégories  (50 max)", "Kategorien  (max. 50)",
      "Categorie  (max 50)", "Categorias  (máx. 50)", "Categorías  (máx. 50)"}},
    {2,
     {"Quick description :", "Rapide description :", "Kurzbeschreibung:", "Descrizione breve:",
      "Descrição breve:", "Descripción breve:"}},
    {3,
     {"Specifications :", "Caractéristiques :", "Merkmale:", "Caratteristiche:", "Características:",
      "Características:"}},
};

constexpr TextRow kAgeCategoriesTexts[] = {
    {0, {"Add", "Ajouter", "Hinzufügen", "Aggiungi", "Adicionar", "Añadir"}},
    {1, {"Remove", "Supprimer", "Entfernen", "Rimuovi", "Remover", "Eliminar"}},
    {2, {"Import", "Importer", "Importieren", "Importa", "Importar", "Importar"}},
    {3, {"Export", "Exporter", "Exportieren", "Esporta", "Exportar", "Exportar"}},
    {4,
     {"Database : List of age categories", "Base de données : Liste des catégories d'age",
      "Datenbank: Liste der Alterskategorien", "Database: elenco delle categorie d'età",
      "Base de dados: lista das categorias de idade",
      "Base de datos: lista de categorías de edad"}},
    {5, {"New", "Nouvelle", "Neu", "Nuova", "Nova", "Nueva"}},
    {6, {"ID", "N°ID", "ID", "ID", "ID", "ID"}},
    {7,
     {"Categ  (20 max)", "Catég  (20 max)", "Kat.  (max. 20)", "Categ.  (max 20)",
      "Categ.  (máx. 20)", "Categ.  (máx. 20)"}},
    {8,
     {"Category name :", "Nom catégorie :", "Name der Kategorie:", "Nome categoria:",
      "Nome da categoria:", "Nombre de categoría:"}},
    {9,
     {"Born between :", "Pilotes nés entre :", "Geboren zwischen:", "Nati tra:", "Nascidos entre:",
      "Nacidos entre:"}},
    {10, {"and :", "et :", "und:", "e:", "e:", "y:"}},
    {11, {"Ok", "Ok", "OK", "OK", "OK", "OK"}},
    {12, {"Cancel", "Echap", "Abbrechen", "Annulla", "Cancelar", "Cancelar"}},
};

constexpr TextRow kCarsMotorbikesTexts[] = {
    {0,
     {"Database : List of cars / motorbikes", "Base de données : Liste des voitures / motos",
      "Datenbank: Liste der Autos / Motorräder", "Database: elenco auto / moto",
      "Base de dados: lista de carros / motos", "Base de datos: lista de coches / motos"}},
    {1, {"New", "Nouvelle", "Neu", "Nuova", "Novo", "Nuevo"}},
    {2,
     {"Cars / Motorbikes  (500 max)", "Voitures / Motos  (500 max)",
      "Autos / Motorräder  (max. 500)", "Auto / Moto  (max 500)", "Carros / Motos  (máx. 500)",
      "Coches / Motos  (máx. 500)"}},
    {3, {"Brand :", "Marque :", "Marke:", "Marca:", "Marca:", "Marca:"}},
    {4, {"Model :", "Modèle :", "Modell:", "Modello:", "Modelo:", "Modelo:"}},
    {5, {"Category :", "Catégorie :", "Kategorie:", "Categoria:", "Categoria:", "Categoría:"}},
};

constexpr TextRow kClubsTexts[] = {
    {0,
     {"Database : List of the clubs / teams", "Base de données : Liste des clubs / teams",
      "Datenbank: Liste der Vereine / Teams", "Database: elenco dei club / squadre",
      "Base de dados: lista dos clubes / equipes", "Base de datos: lista de clubes / equipos"}},
    {1, {"New", "Nouveau", "Neu", "Nuovo", "Novo", "Nuevo"}},
    {2,
     {"Clubs / Teams  (100 max)", "Clubs / Teams  (100 max)", "Vereine / Teams  (max. 100)",
      "Club / Squadre  (max 100)", "Clubes / Equipes  (máx. 100)", "Clubes / Equipos  (máx. 100)"}},
    {3,
     {"Full name :", "Nom complet :", "Vollständiger Name:", "Nome completo:", "Nome completo:",
      "Nombre completo:"}},
    {4, {"Address :", "Adresse :", "Adresse:", "Indirizzo:", "Endereço:", "Dirección:"}},
    {5,
     {"(Address2)", "(Adresse2)", "(Adresse 2)", "(Indirizzo 2)", "(Endereço 2)", "(Dirección 2)"}},
    {6, {"Zip code :", "Code Postal :", "PLZ:", "CAP:", "CEP:", "Código postal:"}},
    {7, {"Town :", "Ville :", "Ort:", "Città:", "Cidade:", "Ciudad:"}},
    {8, {"Country :", "Pays :", "Land:", "Paese:", "País:", "País:"}},
    {9, {"Phone :", "Téléphone :", "Telefon:", "Telefono:", "Telefone:", "Teléfono:"}},
    {10, {"Email :", "Email :", "E-Mail:", "Email:", "Correio eletrônico:", "Correo:"}},
};

constexpr TextRow kDriversTexts[] = {
    {0,
     {"Database : List of the drivers/riders", "Base de données : Liste des pilotes",
      "Datenbank: Liste der Fahrer", "Database: elenco dei piloti",
      "Base de dados: lista dos pilotos", "Base de datos: lista de pilotos"}},
    {1,
     {"Drivers/Riders (500 max)", "Pilotes  (500 max)", "Fahrer (max. 500)", "Piloti (max 500)",
      "Pilotos (máx. 500)", "Pilotos (máx. 500)"}},
    {2, {"Sex :", "Sexe :", "Geschlecht:", "Sesso:", "Sexo:", "Sexo:"}},
    {3, {"Man", "Homme", "Mann", "Uomo", "Homem", "Hombre"}},
    {4, {"Woman", "Femme", "Frau", "Donna", "Mulher", "Mujer"}},
    {5,
     {"Date of birth :", "Date naissance :", "Geburtsdatum:", "Data di nascita:",
      "Data de nascimento:", "Fecha de nacimiento:"}},
    {6,
     {"Club / Team :", "Club / Team :", "Verein / Team:", "Club / Squadra:", "Clube / Equipe:",
      "Club / Equipo:"}},
    {7,
     {"License nr :", "N° licence :", "Lizenznummer:", "N. licenza:", "Nº licença:",
      "Nº licencia:"}},
    {8,
     {"Car / Motorbike :", "Voiture / Moto :", "Auto / Motorrad:", "Auto / Moto:", "Carro / Moto:",
      "Coche / Moto:"}},
    {9,
     {"# car/motorbike :", "# voiture/moto :", "# Auto/Motorrad:", "# auto/moto:", "# carro/moto:",
      "# coche/moto:"}},
    {10,
     {"Transpd. id :", "Transpd. id :", "Transp.-ID:", "ID transp.:", "ID transp.:",
      "ID transp.:"}},
};

constexpr TextRow kChampionshipsTexts[] = {
    {0,
     {"Database : List of the championships", "Base de données : Liste des championnats",
      "Datenbank: Liste der Meisterschaften", "Database: elenco dei campionati",
      "Base de dados: lista dos campeonatos", "Base de datos: lista de campeonatos"}},
    {1,
     {"Championships  (20 max)", "Championnats  (20 max)", "Meisterschaften  (max. 20)",
      "Campionati  (max 20)", "Campeonatos  (máx. 20)", "Campeonatos  (máx. 20)"}},
};

constexpr TextRow kTranspondersTexts[] = {
    {0,
     {"Database : Transponders club", "Base de données : Transpondeurs club",
      "Datenbank: Vereinstransponder", "Database: transponder del club",
      "Base de dados: transponders do clube", "Base de datos: transpondedores del club"}},
    {1,
     {"Sets of transponders", "Packs transpondeurs", "Transponder-Sätze", "Set di transponder",
      "Kits de transponders", "Juegos de transpondedores"}},
    {2,
     {"transponder", "transpondeur", "Transponder", "transponder", "transponder", "transpondedor"}},
};

constexpr TextRow kFrequenciesTexts[] = {
    {0,
     {"Database : Radio frequencies available", "Base de données : Fréquences radio disponibles",
      "Datenbank: Verfügbare Funkfrequenzen", "Database: frequenze radio disponibili",
      "Base de dados: frequências de rádio disponíveis",
      "Base de datos: frecuencias de radio disponibles"}},
    {1, {"Frequencies", "Fréquences", "Frequenzen", "Frequenze", "Frequências", "Frecuencias"}},
};

constexpr TextRow kPenaltiesTexts[] = {
    {0,
     {"Database : Penalties and Abandonments", "Base de données : Pénalités et Abandons",
      "Datenbank: Strafen und Aufgaben", "Database: sanzioni e abbandoni",
      "Base de dados: penalizações e abandonos", "Base de datos: penalizaciones y abandonos"}},
    {1,
     {"New penalty", "Nouvelle pénalité", "Neue Strafe", "Nuova sanzione", "Nova penalização",
      "Nueva penalización"}},
    {2,
     {"Penalties  (50 max)", "Pénalités  (50 max)", "Strafen  (max. 50)", "Sanzioni  (max 50)",
      "Penalizações  (máx. 50)", "Penalizaciones  (máx. 50)"}},
    {3, {"Create", "Créer", "Erstellen", "Crea", "Criar", "Crear"}},
    {4,
     {"Name of the penalty :", "Nom de la pénalité :", "Name der Strafe:", "Nome della sanzione:",
      "Nome da penalização:", "Nombre de la penalización:"}},
    {5,
     {"Description :", "Description :", "Beschreibung:", "Descrizione:", "Descrição:",
      "Descripción:"}},
    {6,
     {"Duration of penalty :", "Durée de pénalité :", "Dauer der Strafe:", "Durata della sanzione:",
      "Duração da penalização:", "Duración de la penalización:"}},
    {7,
     {"Added to the driver's race time", "Ajoutée au temps de course",
      "Zur Rennzeit des Fahrers addiert", "Aggiunta al tempo di gara del pilota",
      "Somada ao tempo de corrida do piloto", "Sumada al tiempo de carrera del piloto"}},
    {8,
     {"Added to the best lap time", "Ajoutée au meilleur tour", "Zur besten Rundenzeit addiert",
      "Aggiunta al tempo del giro migliore", "Somada ao tempo da melhor volta",
      "Sumada al tiempo de la mejor vuelta"}},
    {9,
     {"Instead of the driver's race time", "A la place du temps de course",
      "Ersetzt die Rennzeit des Fahrers", "Al posto del tempo di gara del pilota",
      "No lugar do tempo de corrida do piloto", "En lugar del tiempo de carrera del piloto"}},
    {10,
     {"Instead of the best lap time", "A la place du meilleur tour", "Ersetzt die beste Rundenzeit",
      "Al posto del tempo del giro migliore", "No lugar do tempo da melhor volta",
      "En lugar del tiempo de la mejor vuelta"}},
    {11,
     {"Driver abandonment", "Abandon pilote", "Aufgabe des Fahrers", "Abbandono pilota",
      "Abandono do piloto", "Abandono del piloto"}},
};

}  // namespace

void FillCategoriesTexts(TranslationTable& table) { FillTextRows(table, kCategoriesTexts); }

void FillAgeCategoriesTexts(TranslationTable& table) { FillTextRows(table, kAgeCategoriesTexts); }

void FillCarsMotorbikesTexts(TranslationTable& table) { FillTextRows(table, kCarsMotorbikesTexts); }

void FillClubsTexts(TranslationTable& table) { FillTextRows(table, kClubsTexts); }

void FillDriversTexts(TranslationTable& table) { FillTextRows(table, kDriversTexts); }

void FillChampionshipsTexts(TranslationTable& table) { FillTextRows(table, kChampionshipsTexts); }

void FillTranspondersTexts(TranslationTable& table) { FillTextRows(table, kTranspondersTexts); }

void FillFrequenciesTexts(TranslationTable& table) { FillTextRows(table, kFrequenciesTexts); }

void FillPenaltiesTexts(TranslationTable& table) { FillTextRows(table, kPenaltiesTexts); }

}  // namespace zd
