// The translation dialog's own texts: its captions, the language names, the window names and the
// title.
#include "lang/text_rows.h"
#include "lang/window_texts.h"

namespace zd {

namespace {

constexpr TextRow kTranslationWindowTexts[] = {
    {0, {"Apply", "Appliquer", "Übernehmen", "Applica", "Aplicar", "Aplicar"}},
    {1,
     {"Restore the factory translation", "Rétablir la traduction d'usine",
      "Werksübersetzung wiederherstellen", "Ripristina la traduzione di fabbrica",
      "Restaurar a tradução de fábrica", "Restaurar la traducción de fábrica"}},
    {2,
     {"Record the modification", "Enregistrer la modification", "Änderung speichern",
      "Salva la modifica", "Salvar a alteração", "Guardar la modificación"}},
    {3,
     {"Software language:", "Langue du logiciel:", "Programmsprache:", "Lingua del software:",
      "Idioma do software:", "Idioma del programa:"}},
    {4,
     {"Reports language:", "Langue documents:", "Sprache der Berichte:", "Lingua dei documenti:",
      "Idioma dos relatórios:", "Idioma de los informes:"}},
    {5, {"Language:", "Langue:", "Sprache:", "Lingua:", "Idioma:", "Idioma:"}},
    {6,
     {"Window selection:", "Fenêtre à traduire:", "Fensterauswahl:", "Scelta della finestra:",
      "Seleção da janela:", "Selección de ventana:"}},
    {7,
     {"Term to be translated:", "Expression à traduire:", "Zu übersetzender Begriff:",
      "Termine da tradurre:", "Termo a traduzir:", "Término a traducir:"}},
    {8,
     {"Factory translation:", "Traduction d'usine:", "Werksübersetzung:", "Traduzione di fabbrica:",
      "Tradução de fábrica:", "Traducción de fábrica:"}},
    {9,
     {"Modified translation:", "Traduction modifiée:", "Geänderte Übersetzung:",
      "Traduzione modificata:", "Tradução alterada:", "Traducción modificada:"}},
    {10,
     {"Apply a translation", "Appliquer une traduction", "Übersetzung anwenden",
      "Applica una traduzione", "Aplicar uma tradução", "Aplicar una traducción"}},
    {11,
     {"Change a translation", "Modifier une traduction", "Übersetzung ändern",
      "Modifica una traduzione", "Alterar uma tradução", "Modificar una traducción"}},
};

// Row: the language spelled; column: the language named.
constexpr const char* kLanguageNames[kLanguageCount][kLanguageCount] = {
    {"English", "French", "German", "Italian", "Portuguese", "Spanish"},
    {"Anglais", "Français", "Allemand", "Italien", "Portugais", "Espagnol"},
    {"Englisch", "Französisch", "Deutsch", "Italienisch", "Portugiesisch", "Spanisch"},
    {"Inglese", "Francese", "Tedesco", "Italiano", "Portoghese", "Spagnolo"},
    {"Inglês", "Francês", "Alemão", "Italiano", "Português", "Espanhol"},
    {"Inglés", "Francés", "Alemán", "Italiano", "Portugués", "Español"},
};

// Row: the window; column: the language. The English names of 13 and 14 lack their closing
// apostrophe, and the Italian name of 0 and the Portuguese name of 2 end with a blank, as they
// always have.
constexpr const char* kWindowNames[kTranslatableWindowCount][kLanguageCount] = {
    {"Main menu", "Menu principal", "Hauptmenü", "Menu principale ", "Menu principal",
     "Menú principal"},
    {"Main window", "Fenêtre principale", "Hauptfenster", "Finestra principale", "Janela principal",
     "Ventana principal"},
    {"Treeview", "Arborescence", "Baumansicht", "Software tree", "Vista de Árvore ",
     "Estructura de árbol"},
    {"Windows 'Information' of the treeview", "Fenêtres 'Informations' de l'arborescence",
     "Fenster 'Informationen' der Baumansicht", "Finestre 'Informazioni' dell'albero",
     "Janelas 'Informações' da árvore", "Ventanas 'Información' del árbol"},
    {"Windows 'Participants' of the treeview", "Fenêtres 'Participants' de l'arborescence",
     "Fenster 'Teilnehmer' der Baumansicht", "Finestre 'Partecipanti' dell'albero",
     "Janelas 'Participantes' da árvore", "Ventanas 'Participantes' del árbol"},
    {"Windows 'Parameters' of the treeview", "Fenêtres 'Paramètres' de l'arborescence",
     "Fenster 'Parameter' der Baumansicht", "Finestre 'Parametri' dell'albero",
     "Janelas 'Parâmetros' da árvore", "Ventanas 'Parámetros' del árbol"},
    {"Windows 'Arrangement' of the treeview", "Fenêtres 'Répartition' de l'arborescence",
     "Fenster 'Einteilung' der Baumansicht", "Finestre 'Composizione' dell'albero",
     "Janelas 'Distribuição' da árvore", "Ventanas 'Distribución' del árbol"},
    {"Database 'Categories'", "Base données 'Catégories'", "Datenbank 'Kategorien'",
     "Database 'Categorie'", "Base de dados 'Categorias'", "Base de datos 'Categorías'"},
    {"Database 'Age Categories'", "Base données 'Catégories Ages'", "Datenbank 'Alterskategorien'",
     "Database 'Categorie età'", "Base de dados 'Categorias idade'",
     "Base de datos 'Categorías edad'"},
    {"Database 'Cars/Motorbikes'", "Base données 'Voitures/Motos'", "Datenbank 'Autos/Motorräder'",
     "Database 'Auto/Moto'", "Base de dados 'Carros/Motos'", "Base de datos 'Coches/Motos'"},
    {"Database 'Clubs/Teams'", "Base données 'Clubs/Teams'", "Datenbank 'Vereine/Teams'",
     "Database 'Club/Squadre'", "Base de dados 'Clubes/Equipes'", "Base de datos 'Clubes/Equipos'"},
    {"Database 'Drivers/Riders'", "Base données 'Pilotes'", "Datenbank 'Fahrer'",
     "Database 'Piloti'", "Base de dados 'Pilotos'", "Base de datos 'Pilotos'"},
    {"Database 'Championships'", "Base données 'Championnats'", "Datenbank 'Meisterschaften'",
     "Database 'Campionati'", "Base de dados 'Campeonatos'", "Base de datos 'Campeonatos'"},
    {"Database 'Transponders", "Base données 'Transpondeurs'", "Datenbank 'Transponder'",
     "Database 'Transponder'", "Base de dados 'Transponders'", "Base de datos 'Transpondedores'"},
    {"Database 'Frequencies", "Base données 'Fréquences'", "Datenbank 'Frequenzen'",
     "Database 'Frequenze'", "Base de dados 'Frequências'", "Base de datos 'Frecuencias'"},
    {"Window 'Penalties'", "Fenêtre 'Pénalités'", "Fenster 'Strafen'", "Finestra 'Sanzioni'",
     "Janela 'Penalizações'", "Ventana 'Penalizaciones'"},
    {"Window 'Race live'", "Fenêtre 'Course live'", "Fenster 'Live-Rennen'",
     "Finestra 'Gara in diretta'", "Janela 'Corrida ao vivo'", "Ventana 'Carrera en vivo'"},
    {"Windows 'Planning'", "Fenêtres 'Planification'", "Fenster 'Planung'",
     "Finestre 'Pianificazione'", "Janelas 'Planejamento'", "Ventanas 'Planificación'"},
    {"Window 'Translation'", "Fenêtre 'Traduction'", "Fenster 'Übersetzung'",
     "Finestra 'Traduzione'", "Janela 'Tradução'", "Ventana 'Traducción'"},
    {"Window 'Sounds'", "Fenêtre 'Sons'", "Fenster 'Töne'", "Finestra 'Suoni'", "Janela 'Sons'",
     "Ventana 'Sonidos'"},
    {"Window 'Custom sounds'", "Fenêtre 'Sons personnalisés'", "Fenster 'Eigene Töne'",
     "Finestra 'Suoni personalizzati'", "Janela 'Sons personalizados'",
     "Ventana 'Sonidos personalizados'"},
    {"Window 'Display'", "Fenêtre 'Affichage'", "Fenster 'Anzeige'", "Finestra 'Visualizzazione'",
     "Janela 'Exibição'", "Ventana 'Visualización'"},
    {"Window 'Interface'", "Fenêtre 'Interface'", "Fenster 'Schnittstelle'",
     "Finestra 'Interfaccia'", "Janela 'Interface'", "Ventana 'Interfaz'"},
    {"Window 'Internet'", "Fenêtre 'Internet'", "Fenster 'Internet'", "Finestra 'Internet'",
     "Janela 'Internet'", "Ventana 'Internet'"},
    {"Window 'Results/Comments'", "Fenêtre 'Résultats/Commentaires'",
     "Fenster 'Ergebnisse/Kommentare'", "Finestra 'Risultati/Commenti'",
     "Janela 'Resultados/Comentários'", "Ventana 'Resultados/Comentarios'"},
    {"Windows 'Driver/Rider results'", "Fenêtres 'Résultats pilote'", "Fenster 'Fahrerergebnisse'",
     "Finestre 'Risultati pilota'", "Janelas 'Resultados do piloto'",
     "Ventanas 'Resultados del piloto'"},
};

constexpr const char* kTitles[kLanguageCount] = {
    "Software translation", "Traduction logiciel",  "Software Übersetzung",
    "Traduzione software",  "Tradução do software", "Traducción del software",
};

// English for a language outside 1 to 5.
int LanguageOrEnglish(int32_t language) {
  return language >= 1 && language < kLanguageCount ? language : kLanguageEnglish;
}

}  // namespace

void FillTranslationWindowTexts(TranslationTable& table) {
  FillTextRows(table, kTranslationWindowTexts);
}

void FillLanguageNames(LanguageNames& names, int32_t language) {
  const int spelled = LanguageOrEnglish(language);
  for (int named = 0; named < kLanguageCount; ++named)
    names[named] = kLanguageNames[spelled][named];
}

void FillWindowNames(WindowNames& names, int32_t language) {
  const int spelled = LanguageOrEnglish(language);
  for (int window = 0; window < kTranslatableWindowCount; ++window)
    names[window] = kWindowNames[window][spelled];
}

const char* TranslationWindowTitle(int32_t language) {
  return kTitles[LanguageOrEnglish(language)];
}

}  // namespace zd
