#include "lang/main_menu_texts.h"

#include "lang/text_rows.h"

namespace zd {

namespace {

constexpr TextRow kMainMenuTexts[] = {
    {0, {"File", "Fichier", "Datei", "File", "Arquivo", "Archivo"}},
    {1, {"Database", "Base de données", "Datenbank", "Database", "Base de dados", "Base de datos"}},
    {2, {"Penalties", "Pénalités", "Strafen", "Sanzioni", "Penalizações", "Penalizaciones"}},
    {3,
     {"Live race", "Course live", "Live-Rennen", "Gara in diretta", "Corrida ao vivo",
      "Carrera en vivo"}},
    {4,
     {"Planning", "Planification", "Planung", "Pianificazione", "Planejamento", "Planificación"}},
    {5, {"Settings", "Réglages", "Einstellung", "Impostazioni", "Configuração", "Opciones"}},
    {7,
     {"New event", "Nouvel événement", "Neues Ereignis", "Nuovo evento", "Novo evento",
      "Nuevo evento"}},
    {8,
     {"Load event", "Charger un événement", "Laden Ereignis", "Caricare evento", "Carregar evento",
      "Cargar evento"}},
    {9, {"Save", "Enregistrer", "Speichern", "Salvare", "Salvar", "Guardar"}},
    {10,
     {"Save as...", "Enregistrer sous...", "Speichern unter...", "Salvare con...", "Salvar como...",
      "Gardar como..."}},
    {11, {"Quit", "Quitter", "Beenden", "Uscire", "Sair", "Salir"}},
    {12, {"Categories", "Catégories", "Kategorien", "Categorie", "Categorias", "Categorías"}},
    {13,
     {"Age categories", "Catégories d'age", "Alterskategorien", "Categorie Età", "Categorias Idade",
      "Categorías edad"}},
    {14,
     {"Cars/Motorbikes", "Voitures/Motos", "Autos/Motorräder", "Auto/Motocicli", "Carros/Motos",
      "Coches/Motos"}},
    {15,
     {"Clubs/Teams", "Clubs/Teams", "Vereine/Teams", "Club/Squadre", "Clubes/Equipes",
      "Clubes/Equipos"}},
    {16, {"Drivers/Riders", "Pilotes", "Fahrer", "Piloti", "Pilotos", "Pilotos"}},
    {17,
     {"Championships", "Championnats", "Meisterschaften", "Campionati", "Campeonatos",
      "Campeonatos"}},
    {18,
     {"Transponders", "Transpondeurs", "Transponder", "Transponder", "Transponders",
      "Transpondedores"}},
    {19, {"Frequencies", "Fréquences", "Frequenzen", "Frequenze", "Frequências", "Frecuencias"}},
    {20,
     {"Penalties/Abandonments", "Pénalités/Abandons", "Strafen/Aufgabe", "Sanzioni/Abbandono",
      "Penalizações/Abandonos", "Penalizaciones/Abandonos"}},
    {21,
     {"Additional screen", "Ecran additionnel", "Zusätzlicher Schirm", "Schermo addizionale",
      "Tela adicional", "Pantalla adicional"}},
    {22,
     {"Plann free practice", "Planif essais libres", "Plan Freie Trainings", "Pian prove libere",
      "Plan treinos livres", "Plan entrenamientos libres"}},
    {23,
     {"Plann qualifying sessions", "Planif qualifications", "Plan Qualifikationen",
      "Pian sessione qualifica", "Plan sessões qualificação", "Plan sesiones calificación"}},
    {24,
     {"Plann races", "Planif courses", "Plan Rennen", "Pian Gare", "Plan corridas",
      "Plan carreras"}},
    {25,
     {"Additional screen", "Ecran additionnel", "Zusätzlicher Schirm", "Schermo addizionale",
      "Tela adicional", "Pantalla adicional"}},
    {26, {"Translation", "Traduction", "Übersetzung", "Traduzione", "Tradução", "Traducción"}},
    {27, {"Sounds", "Sons", "Ton", "Suoni", "Sons", "Sonidos"}},
    {28, {"Display", "Affichage", "Display", "Visualizza", "Exibição", "Visualización"}},
    {29, {"Interface", "Interface", "Schnittstelle", "Interfacia", "Interface", "Interfaz"}},
    {30, {"Internet", "Internet", "Internet", "Internet", "Internet", "Internet"}},
    {32, {"Help", "Aide", "Hilfe", "Aiuto", "Ajuda", "Ayuda"}},
};

}  // namespace

void FillMainMenuTexts(TranslationTable& table) { FillTextRows(table, kMainMenuTexts); }

}  // namespace zd
