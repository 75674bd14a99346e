// The terminal dialogs and the reading of the global options, driven in-process with
// temporary files standing in for the terminal.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Befehle.h"
#include "TerminalDialoge.h"

namespace {

using davo::app::FrageErgebnis;
using davo::cli::TerminalDialoge;
using davo::cli::Vorgabe;

// A temporary file with the given content, positioned at its start.
struct Datei {
  explicit Datei(const std::string& inhalt = "") : f(std::tmpfile()) {
    std::fwrite(inhalt.data(), 1, inhalt.size(), f);
    std::rewind(f);
  }
  ~Datei() { std::fclose(f); }
  Datei(const Datei&) = delete;
  Datei& operator=(const Datei&) = delete;

  std::string Inhalt() const {
    std::fflush(f);
    std::rewind(f);
    std::string s;
    for (int c = std::fgetc(f); c != EOF; c = std::fgetc(f)) s.push_back(static_cast<char>(c));
    return s;
  }
  std::FILE* f;
};

TEST(TerminalDialoge, FrageWirdNachOptionTerminalOderVorwahlBeantwortet) {
  struct Fall {
    const char* Name;
    Vorgabe Option;
    bool Interaktiv;
    std::string Eingabe;
    bool JaVorgewaehlt;
    FrageErgebnis Erwartet;
    std::string RestDerEingabe;  // what the question must leave unread
  };
  const std::vector<Fall> faelle = {
      {"--ja schlaegt Vorwahl", Vorgabe::Ja, true, "n\n", false, FrageErgebnis::Ja, "n\n"},
      {"--nein schlaegt Vorwahl", Vorgabe::Nein, true, "j\n", true, FrageErgebnis::Nein, "j\n"},
      {"ohne Terminal Vorwahl Ja", Vorgabe::Keine, false, "n\n", true, FrageErgebnis::Ja, "n\n"},
      {"ohne Terminal Vorwahl Nein", Vorgabe::Keine, false, "j\n", false, FrageErgebnis::Nein, "j\n"},
      {"j", Vorgabe::Keine, true, "j\nweiter", false, FrageErgebnis::Ja, "weiter"},
      {"Ja mit Blanks", Vorgabe::Keine, true, "  Ja \n", false, FrageErgebnis::Ja, ""},
      {"nein", Vorgabe::Keine, true, "nein\n", true, FrageErgebnis::Nein, ""},
      {"N ohne Zeilenende", Vorgabe::Keine, true, "N", true, FrageErgebnis::Nein, ""},
      {"leer nimmt Ja", Vorgabe::Keine, true, "\n", true, FrageErgebnis::Ja, ""},
      {"leer nimmt Nein", Vorgabe::Keine, true, "\r\n", false, FrageErgebnis::Nein, ""},
      {"Unsinn fragt nochmal", Vorgabe::Keine, true, "vielleicht\nj\n", false, FrageErgebnis::Ja, ""},
      {"Ende der Eingabe schliesst", Vorgabe::Keine, true, "", true, FrageErgebnis::Geschlossen, ""},
      {"Ende nach Unsinn schliesst", Vorgabe::Keine, true, "x\n", true, FrageErgebnis::Geschlossen, ""},
  };
  for (const Fall& fall : faelle) {
    SCOPED_TRACE(fall.Name);
    Datei ein(fall.Eingabe);
    Datei aus;
    TerminalDialoge d(fall.Option, ein.f, aus.f, fall.Interaktiv, false);
    EXPECT_EQ(d.Frage("Oben", "Frage?", fall.JaVorgewaehlt), fall.Erwartet);
    std::string rest;
    for (int c = std::fgetc(ein.f); c != EOF; c = std::fgetc(ein.f)) rest.push_back(static_cast<char>(c));
    EXPECT_EQ(rest, fall.RestDerEingabe);
    // Only a question actually put to the user is printed.
    const bool gefragt = fall.Interaktiv && fall.Option == Vorgabe::Keine;
    EXPECT_EQ(aus.Inhalt().find("[j/n]") != std::string::npos, gefragt) << aus.Inhalt();
  }
}

TEST(TerminalDialoge, FrageZeigtBeideZeilenInUtf8) {
  Datei ein("j\n");
  Datei aus;
  TerminalDialoge d(Vorgabe::Keine, ein.f, aus.f, true, false);
  d.Frage(
      "Adressdatei: C:\\Gr\xF6\xDF"
      "e.ADW nicht gefunden!",
      "Soll eine neue Adressendatei angelegt werden?", false);
  const std::string text = aus.Inhalt();
  EXPECT_EQ(
      text.rfind("Adressdatei: C:\\Größe.ADW nicht gefunden!\nSoll eine neue Adressendatei angelegt werden? [j/n]", 0),
      0u)
      << text;
}

TEST(TerminalDialoge, MeldungUndFortschrittGehenInUtf8AufDenFehlerkanal) {
  struct Fall {
    bool FortschrittZeigen;
    std::string Erwartet;
  };
  for (const Fall& fall : {Fall{false,
                                "Gr\xC3\xB6\xC3\x9F"
                                "e \xE2\x82\xAC\n"},
                           Fall{true,
                                "Gr\xC3\xB6\xC3\x9F"
                                "e \xE2\x82\xAC\nL\xC3\xA4uft (50 %)\nOhne Balken\n"}}) {
    SCOPED_TRACE(fall.FortschrittZeigen);
    Datei ein;
    Datei aus;
    TerminalDialoge d(Vorgabe::Keine, ein.f, aus.f, false, fall.FortschrittZeigen);
    d.Meldung(
        "Gr\xF6\xDF"
        "e \x80");
    d.Fortschritt("L\xE4uft", 50);
    d.Fortschritt("Ohne Balken", 0);
    d.Fortschritt("", 0);
    EXPECT_EQ(aus.Inhalt(), fall.Erwartet);
    EXPECT_EQ(d.AnzahlMeldungen(), 1);
  }
}

TEST(Kommandozeile, GlobaleOptionenUndBefehl) {
  struct Fall {
    std::vector<std::string> Argumente;
    Vorgabe Antwort;
    std::optional<std::string> Konfig;
    std::string Befehl;
    std::vector<std::string> Rest;
    bool Fehler;
  };
  const std::vector<Fall> faelle = {
      {{"adressen", "a.ADW"}, Vorgabe::Keine, std::nullopt, "adressen", {"a.ADW"}, false},
      {{"--ja", "adresse", "a", "1", "--nein"}, Vorgabe::Ja, std::nullopt, "adresse", {"a", "1", "--nein"}, false},
      {{"--nein", "--nein", "x"}, Vorgabe::Nein, std::nullopt, "x", {}, false},
      {{"--konfig", "/tmp/ä", "x"}, Vorgabe::Keine, "/tmp/ä", "x", {}, false},
      {{"--konfig=/k", "--", "-x", "y"}, Vorgabe::Keine, "/k", "-x", {"y"}, false},
      {{"--ja", "--nein", "x"}, Vorgabe::Keine, std::nullopt, "", {}, true},
      {{"--konfig"}, Vorgabe::Keine, std::nullopt, "", {}, true},
      {{"--konfig="}, Vorgabe::Keine, std::nullopt, "", {}, true},
      {{"-v", "x"}, Vorgabe::Keine, std::nullopt, "", {}, true},
  };
  for (const Fall& fall : faelle) {
    SCOPED_TRACE(fall.Argumente.front());
    const davo::cli::Aufruf a = davo::cli::LiesAufruf(fall.Argumente);
    EXPECT_EQ(!a.Fehler.empty(), fall.Fehler) << a.Fehler;
    if (fall.Fehler) continue;
    EXPECT_EQ(a.Antwort, fall.Antwort);
    EXPECT_EQ(a.KonfigOrdner, fall.Konfig);
    EXPECT_EQ(a.Befehl, fall.Befehl);
    EXPECT_EQ(a.Argumente, fall.Rest);
  }
}

}  // namespace
