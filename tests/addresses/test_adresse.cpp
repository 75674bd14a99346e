// The address record, the address file and the two menu commands that choose it.

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "addresses/Adresse.h"
#include "app/DateiIO.h"
#include "app/Dialoge.h"
#include "app/IOStoerung.h"
#include "app/Konfiguration.h"
#include "app/Testumgebung.h"

namespace davo::addresses {
namespace {

namespace fs = std::filesystem;
using app::FrageErgebnis;
using test::LiesAlles;
using test::SchreibeAlles;

constexpr std::size_t S = TAdresse::Groesse;

// Record k of a test file: every byte set, reserved areas included.
std::string Satz(int k) { return test::Muster(S, 10 + k); }
std::string Bytes(const TAdresse& a) { return std::string(a.bytes.begin(), a.bytes.end()); }
void Setze(TAdresse& a, const std::string& bytes) { std::copy(bytes.begin(), bytes.end(), a.bytes.begin()); }
std::string KonfigBytes() { return std::string(app::Konfiguration.bytes.begin(), app::Konfiguration.bytes.end()); }
std::function<int(app::IOOperation, const fs::path&)> Stoere(app::IOOperation welche, int code) {
  return [=](app::IOOperation op, const fs::path&) { return op == welche ? code : 0; };
}

const std::string kFrageNeu = "Soll eine neue Adressendatei angelegt werden?";
const std::string kLodz =
    "/\xC5\x81\xC3\xB3"
    "d\xC5\xBA.ADW";  // UTF-8, not in Windows-1252

class Adresse : public test::CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    datei = ordner / "Mitglieder.ADW";
    pfad = Ansi(datei);
    AdrDateiName = pfad;
  }
  // The address file path the configuration file holds.
  std::string GespeicherteAdressdatei() const {
    const std::string k = LiesAlles(KonfigDatei());
    if (k.size() != app::TKonfiguration::Groesse) return "<" + std::to_string(k.size()) + " Bytes>";
    return k.substr(1, static_cast<unsigned char>(k[0]));
  }
  fs::path datei;
  std::string pfad;
};

// --- the record ----------------------------------------------------------------

TEST_F(Adresse, FelderAnIhrenStellen) {
  const std::pair<int, std::size_t> felder[] = {{Anrede, 0},         {Name1, 51},   {Name2, 102},  {Sortierung, 153},
                                                {Strasse, 204},      {Ort, 306},    {Feld9, 408},  {IBAN, 765},
                                                {Steuernummer, 969}, {UStId, 1020}, {Feld30, 1479}};
  for (const auto& [feld, offset] : felder) {
    SCOPED_TRACE(FeldName(feld));
    TAdresse a;
    a.SetzeText(feld, "M\xFCller");
    std::string erwartet(S, '\0');
    erwartet[offset] = 6;
    erwartet.replace(offset + 1, 6, "M\xFCller");
    EXPECT_EQ(Bytes(a), erwartet);
    a.SetzeText(feld, std::string(60, 'n'));  // keeps the first 50
    EXPECT_EQ(a.Text(feld), std::string(50, 'n'));
    EXPECT_EQ(a.bytes[offset + 51], 0);
    EXPECT_EQ(FeldNachName(FeldName(feld)), feld);
  }

  TAdresse a;
  a.SetzeGruppe(7);
  a.SetzeAuszahlungFrei(1);
  a.SetzeSerienbriefDruck(1);
  a.SetzeFlaeche(0x0102030405060708LL);
  std::string erwartet(S, '\0');
  erwartet.replace(1530, 11, "\x07\x01\x01\x08\x07\x06\x05\x04\x03\x02\x01");
  EXPECT_EQ(Bytes(a), erwartet);

  // Reading from a record image; setting the area touches only its 8 bytes.
  TAdresse b;
  std::string bild = Satz(1);
  bild.replace(1530, 11, std::string("\xC8\x00\x01\x4E\x61\xBC\x00\x00\x00\x00\x00", 11));  // area 12345678
  Setze(b, bild);
  EXPECT_EQ(b.Gruppe(), 200);
  EXPECT_EQ(b.AuszahlungFrei(), 0);
  EXPECT_EQ(b.SerienbriefDruck(), 1);
  EXPECT_EQ(b.Flaeche(), 12345678);
  b.SetzeFlaeche(-1);
  EXPECT_EQ(Bytes(b), bild.replace(1533, 8, std::string(8, '\xFF')));
  EXPECT_EQ(b.Flaeche(), -1);
}

// --- reading ---------------------------------------------------------------------

TEST_F(Adresse, LesenUndZaehlen) {
  SchreibeAlles(datei, "");
  Setze(AktAdresse, Satz(1));
  AdresseLesen(-1);
  EXPECT_EQ(AnzahlAdressen, 0);
  EXPECT_EQ(AktAdrNr, -1);
  EXPECT_EQ(Bytes(AktAdresse), std::string(S, '\0'));

  // A trailing partial record does not count.
  const std::string inhalt = Satz(0) + Satz(1) + Satz(2) + std::string(100, 'r');
  SchreibeAlles(datei, inhalt);
  AdresseLesen(-1);
  EXPECT_EQ(AnzahlAdressen, 3);
  for (int k : {2, 0, 1}) {
    SCOPED_TRACE(k);
    AdresseLesen(k);
    EXPECT_EQ(Bytes(AktAdresse), Satz(k));
    EXPECT_EQ(AktAdrNr, k);
    EXPECT_EQ(AnzahlAdressen, 3);
  }
  EXPECT_EQ(LiesAlles(datei), inhalt);
  EXPECT_TRUE(dialoge.Meldungen.empty());

  // Behind the last whole record: a read error; the buffer holds what could be
  // read over the zero fill.
  AdresseLesen(3);
  EXPECT_EQ(dialoge.Meldungen, std::vector<std::string>{"Fehler beim Lesen! Datei: " + pfad});
  EXPECT_EQ(Bytes(AktAdresse), std::string(100, 'r') + std::string(S - 100, '\0'));
  EXPECT_EQ(AnzahlAdressen, 3);
}

TEST_F(Adresse, LesenOhneDateiFragt) {
  AktAdrNr = 4;
  AnzahlAdressen = 9;
  dialoge.Antworten = {FrageErgebnis::Nein, FrageErgebnis::Ja};
  AdresseLesen(0);
  ASSERT_EQ(dialoge.Fragen.size(), 1u);
  EXPECT_EQ(dialoge.Fragen[0].Oben, "Adressdatei: " + pfad + " nicht gefunden!");
  EXPECT_EQ(dialoge.Fragen[0].Frage, kFrageNeu);
  EXPECT_FALSE(dialoge.Fragen[0].JaVorgewaehlt);
  EXPECT_EQ(AktAdrNr, 4);
  EXPECT_EQ(AnzahlAdressen, 9);
  EXPECT_FALSE(fs::exists(datei));

  AdresseLesen(-1);  // "Ja"
  EXPECT_EQ(fs::file_size(datei), 0u);
  EXPECT_EQ(AnzahlAdressen, 0);
  EXPECT_EQ(AktAdrNr, -1);
  EXPECT_TRUE(dialoge.Meldungen.empty());
}

// --- writing ---------------------------------------------------------------------

TEST_F(Adresse, SchreibenHaengtAnUndErsetzt) {
  SchreibeAlles(datei, Satz(0) + Satz(1));
  AktAdrNr = 1;
  Setze(AktAdresse, Satz(7));
  AdresseSchreiben(2);
  EXPECT_EQ(LiesAlles(datei), Satz(0) + Satz(1) + Satz(7));
  EXPECT_EQ(AnzahlAdressen, 3);
  EXPECT_EQ(AktAdrNr, 1);

  Setze(AktAdresse, Satz(9));
  AdresseSchreiben(1);
  Setze(AktAdresse, Satz(4));
  AdresseSchreiben(0);
  EXPECT_EQ(LiesAlles(datei), Satz(4) + Satz(9) + Satz(7));
  EXPECT_EQ(AnzahlAdressen, 3);

  // A missing file is created without a question.
  fs::remove(datei);
  AdresseSchreiben(0);
  EXPECT_EQ(LiesAlles(datei), Satz(4));
  EXPECT_EQ(AnzahlAdressen, 1);
  EXPECT_TRUE(dialoge.Meldungen.empty());
  EXPECT_TRUE(dialoge.Fragen.empty());
}

TEST_F(Adresse, SchreibenVerschontDateiBeiFehlern) {
  struct Fall {
    app::IOOperation op;
    int code;
    std::string meldung;
  };
  const Fall faelle[] = {
      {app::IOOperation::Oeffnen, 5, "Dateizugriff verweigert (" + pfad + ")"},
      {app::IOOperation::Oeffnen, 32, "Unbekannter I/O Fehler:   32, " + pfad},
      {app::IOOperation::Schreiben, 112, "Die Diskette ist voll!"},
  };
  const std::string inhalt = Satz(0) + Satz(1);
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.meldung);
    SchreibeAlles(datei, inhalt);
    dialoge.Meldungen.clear();
    AnzahlAdressen = 2;
    Setze(AktAdresse, Satz(8));
    app::SetzeIOStoerung(Stoere(f.op, f.code));
    AdresseSchreiben(1);
    app::SetzeIOStoerung(nullptr);
    EXPECT_EQ(dialoge.Meldungen, std::vector<std::string>{f.meldung});
    EXPECT_EQ(LiesAlles(datei), inhalt);
    if (f.op == app::IOOperation::Oeffnen) {
      EXPECT_EQ(AnzahlAdressen, 0);
    }
  }

  // A missing folder: reported, nothing created.
  dialoge.Meldungen.clear();
  AdrDateiName = Ansi(ordner) + "/kein/x.ADW";
  AdresseSchreiben(0);
  EXPECT_EQ(dialoge.Meldungen, std::vector<std::string>{"Suchweg nicht gefunden! Datei: " + AdrDateiName});
  EXPECT_FALSE(fs::exists(ordner / "kein"));
}

// --- an address file of its own ----------------------------------------------------

// An Adressdatei beside the active one: the operations work on it alone, ask
// nothing, show nothing and hand their failures back.
TEST_F(Adresse, EigeneDateiNebenDerAktiven) {
  SchreibeAlles(datei, Satz(0));
  AnzahlAdressen = 7;
  AktAdrNr = 3;
  Setze(AktAdresse, Satz(9));
  Adressdatei andere(Pfad("Andere.ADW"));

  EXPECT_EQ(Lesen(andere, 0).Text, "Datei " + andere.Pfad + " nicht gefunden");
  Setze(andere.Satz, Satz(1));
  EXPECT_TRUE(Schreiben(andere, 0).Ok());  // created without a question
  Setze(andere.Satz, Satz(2));
  EXPECT_TRUE(Schreiben(andere, 1).Ok());
  std::vector<std::int32_t> gesehen;
  EXPECT_TRUE(Durchlaufen(andere, [&](std::int32_t nr, TAdresse&) {
                gesehen.push_back(nr);
                return false;
              }).Ok());
  EXPECT_EQ(gesehen, (std::vector<std::int32_t>{0, 1}));
  EXPECT_TRUE(Lesen(andere, 0).Ok());
  EXPECT_EQ(Bytes(andere.Satz), Satz(1));
  EXPECT_EQ(andere.Anzahl, 2);
  EXPECT_EQ(LiesAlles(ordner / "Andere.ADW"), Satz(1) + Satz(2));

  EXPECT_EQ(AdrDateiName, pfad);
  EXPECT_EQ(AnzahlAdressen, 7);
  EXPECT_EQ(AktAdrNr, 3);
  EXPECT_EQ(Bytes(AktAdresse), Satz(9));
  EXPECT_EQ(LiesAlles(datei), Satz(0));
  EXPECT_TRUE(dialoge.Meldungen.empty());
  EXPECT_TRUE(dialoge.Fragen.empty());
}

// --- walking the file --------------------------------------------------------------

TEST_F(Adresse, DurchlaufenSchreibtNurGeaenderteZurueck) {
  const std::string inhalt = Satz(0) + Satz(1) + Satz(2) + Satz(3);
  for (bool schreiben : {false, true}) {
    SCOPED_TRACE(schreiben);
    SchreibeAlles(datei, inhalt);
    std::vector<std::pair<int, std::string>> gesehen;
    const bool ok = AdressenDurchlaufen(
        [&](std::int32_t nr, TAdresse& a) {
          gesehen.emplace_back(nr, Bytes(a));
          if (nr % 2 == 0) return false;
          a.SetzeGruppe(1);
          a.SetzeAuszahlungFrei(0);
          return true;
        },
        schreiben);
    EXPECT_TRUE(ok);
    EXPECT_EQ(AnzahlAdressen, 4);
    EXPECT_EQ(gesehen,
              (std::vector<std::pair<int, std::string>>{{0, Satz(0)}, {1, Satz(1)}, {2, Satz(2)}, {3, Satz(3)}}));
    std::string erwartet = inhalt;
    if (schreiben) {
      for (std::size_t k : {1u, 3u}) erwartet.replace(k * S + 1530, 2, std::string("\x01\x00", 2));
    }
    EXPECT_EQ(LiesAlles(datei), erwartet);
  }
  EXPECT_TRUE(dialoge.Meldungen.empty());
}

TEST_F(Adresse, DurchlaufenUndAbbruch) {
  SchreibeAlles(datei, Satz(0) + Satz(1) + Satz(2));
  std::vector<int> gesehen;
  AdressenDurchlaufen([&](std::int32_t nr, TAdresse&) {
    gesehen.push_back(nr);
    if (nr == 1) app::Abbruch = true;
    return false;
  });
  EXPECT_EQ(gesehen, (std::vector<int>{0, 1}));
}

TEST_F(Adresse, DurchlaufenIgnoriertAltenAbbruch) {
  // A flag left over from an earlier question does not cut the next walk short.
  SchreibeAlles(datei, Satz(0) + Satz(1) + Satz(2));
  app::Abbruch = true;
  std::vector<int> gesehen;
  AdressenDurchlaufen([&](std::int32_t nr, TAdresse&) {
    gesehen.push_back(nr);
    return false;
  });
  EXPECT_EQ(gesehen, (std::vector<int>{0, 1, 2}));
}

TEST_F(Adresse, DurchlaufenOhneDatei) {
  AnzahlAdressen = 4;
  bool besucht = false;
  EXPECT_FALSE(AdressenDurchlaufen([&](std::int32_t, TAdresse&) { return besucht = true; }, true));
  EXPECT_FALSE(besucht);
  EXPECT_EQ(AnzahlAdressen, 0);
  EXPECT_EQ(dialoge.Meldungen, std::vector<std::string>{"Datei " + pfad + " nicht gefunden"});
  EXPECT_FALSE(fs::exists(datei));
}

// --- opening the active file --------------------------------------------------------

TEST_F(Adresse, OeffnenVorhandeneDatei) {
  SchreibeAlles(datei, Satz(0) + Satz(1));
  app::Konfiguration.SetzeAdressdatei(pfad);
  AdrDateiName.clear();
  Setze(AktAdresse, Satz(4));
  AktAdrNr = 5;
  EXPECT_TRUE(AdrDateiOeffnen());
  EXPECT_EQ(AnzahlAdressen, 2);
  EXPECT_EQ(AktAdrNr, 0);
  EXPECT_EQ(Bytes(AktAdresse), std::string(S, '\0'));
  EXPECT_EQ(AdrDateiName, pfad);
  EXPECT_EQ(GespeicherteAdressdatei(), pfad);
  EXPECT_TRUE(dialoge.Dateidialoge.empty());
  EXPECT_TRUE(dialoge.Meldungen.empty());

  // An existing file that cannot be opened: reported, the command stops.
  fs::remove(KonfigDatei());
  app::SetzeIOStoerung(Stoere(app::IOOperation::Oeffnen, 5));
  EXPECT_FALSE(AdrDateiOeffnen());
  EXPECT_EQ(dialoge.Meldungen, std::vector<std::string>{"Dateizugriff verweigert (" + pfad + ")"});
  EXPECT_EQ(AnzahlAdressen, 0);
  EXPECT_FALSE(fs::exists(KonfigDatei()));
  EXPECT_EQ(LiesAlles(datei), Satz(0) + Satz(1));
}

TEST_F(Adresse, OeffnenFehlendeDatei) {
  const std::string neu = Pfad("Neu.ADW");
  struct Fall {
    bool abbrechen;  // else choose neu and answer
    FrageErgebnis antwort;
  };
  for (const Fall f :
       {Fall{true, FrageErgebnis::Nein}, Fall{false, FrageErgebnis::Nein}, Fall{false, FrageErgebnis::Geschlossen}}) {
    SCOPED_TRACE(testing::Message() << f.abbrechen << static_cast<int>(f.antwort));
    dialoge.Dateidialoge.clear();
    dialoge.Fragen.clear();
    app::Konfiguration.SetzeAdressdatei(pfad);
    if (f.abbrechen) {
      dialoge.BrichDateidialogAb();
    } else {
      dialoge.WaehleDatei(neu);
      dialoge.Antworten.push_back(f.antwort);
    }
    EXPECT_FALSE(AdrDateiOeffnen());
    ASSERT_EQ(dialoge.Dateidialoge.size(), 1u);
    EXPECT_EQ(dialoge.Dateidialoge[0].Filter, "Adressendateien|*.ADW|alle Dateien|*.*");
    EXPECT_EQ(dialoge.Dateidialoge[0].StartOrdner, "c:\\ZQ-Soft\\Reredazo");
    EXPECT_EQ(dialoge.Dateidialoge[0].Dateiname, pfad);
    if (!f.abbrechen) {
      ASSERT_EQ(dialoge.Fragen.size(), 1u);
      EXPECT_EQ(dialoge.Fragen[0].Oben, "Adressdatei: " + neu + " nicht gefunden!");
      EXPECT_EQ(dialoge.Fragen[0].Frage, kFrageNeu);
      EXPECT_FALSE(dialoge.Fragen[0].JaVorgewaehlt);
    }
    EXPECT_EQ(app::Konfiguration.Adressdatei(), pfad);
    EXPECT_EQ(std::distance(fs::directory_iterator(ordner), fs::directory_iterator()), 0);
  }

  // "Ja": an empty file, which becomes the active one and is saved.
  AnzahlAdressen = 3;
  dialoge.WaehleDatei(neu);
  dialoge.Antworten.push_back(FrageErgebnis::Ja);
  EXPECT_TRUE(AdrDateiOeffnen());
  EXPECT_EQ(fs::file_size(ordner / "Neu.ADW"), 0u);
  EXPECT_EQ(AnzahlAdressen, 0);
  EXPECT_EQ(AdrDateiName, neu);
  EXPECT_EQ(GespeicherteAdressdatei(), neu);
  EXPECT_EQ(app::AktAdrBasis, Ansi(ordner / "Neu"));

  // A path the records cannot hold is refused before anything happens.
  app::Konfiguration.SetzeAdressdatei(pfad);
  const std::string gesetzt = KonfigBytes();
  dialoge.WaehleDatei(Ansi(ordner) + kLodz);
  EXPECT_FALSE(AdrDateiOeffnen());
  EXPECT_EQ(dialoge.Meldungen.size(), 1u);
  EXPECT_EQ(KonfigBytes(), gesetzt);
}

// A torn last record: said when the file is opened, with the offer to cut it
// back ("Nein" preselected). Declined, the file is read but not written to;
// accepted, it is cut after a copy of all its bytes.
TEST_F(Adresse, OeffnenUnvollstaendigeDatei) {
  const std::string alt = Satz(0) + Satz(1) + "Rest";
  app::Konfiguration.SetzeAdressdatei(pfad);
  for (const FrageErgebnis antwort : {FrageErgebnis::Nein, FrageErgebnis::Ja}) {
    SCOPED_TRACE(static_cast<int>(antwort));
    SchreibeAlles(datei, alt);
    dialoge.Fragen.clear();
    dialoge.Meldungen.clear();
    dialoge.Antworten.push_back(antwort);
    EXPECT_TRUE(AdrDateiOeffnen());
    ASSERT_EQ(dialoge.Fragen.size(), 1u);
    EXPECT_EQ(dialoge.Fragen[0].Oben, "Die Datei " + pfad + " ist keine g\xFCltige Adressendatei: " +
                                          std::to_string(alt.size()) + " Bytes sind kein Vielfaches von 2947.");
    EXPECT_EQ(dialoge.Fragen[0].Frage,
              "Datei auf 2 vollst\xE4ndige Adressen k\xFCrzen? Eine Sicherungskopie wird angelegt.");
    EXPECT_FALSE(dialoge.Fragen[0].JaVorgewaehlt);
    EXPECT_EQ(AnzahlAdressen, 2);
    if (antwort == FrageErgebnis::Nein) {
      EXPECT_TRUE(AdresseLesen(1));
      EXPECT_FALSE(AdresseSchreiben(1));
      EXPECT_EQ(LiesAlles(datei), alt);
    } else {
      EXPECT_EQ(LiesAlles(datei), Satz(0) + Satz(1));
      EXPECT_EQ(LiesAlles(pfad + ".sicherung"), alt);
      EXPECT_TRUE(AdresseSchreiben(1));
    }
  }
}

TEST_F(Adresse, UmlauteImDateinamen) {
  // The dialog gives UTF-8, the records keep Windows-1252, the disk has UTF-8.
  const std::string ansi = Ansi(ordner) + "/J\xE4ger M\xFCller.ADW";
  const fs::path aufPlatte = ordner / fs::path(u8"J\u00e4ger M\u00fcller.ADW");
  app::Konfiguration.SetzeAdressdatei(pfad);
  dialoge.WaehleDatei(Ansi(ordner) + "/J\xC3\xA4ger M\xC3\xBCller.ADW");
  dialoge.Antworten.push_back(FrageErgebnis::Ja);
  ASSERT_TRUE(AdrDateiOeffnen());
  EXPECT_EQ(GespeicherteAdressdatei(), ansi);
  ASSERT_TRUE(fs::exists(aufPlatte));
  Setze(AktAdresse, Satz(2));
  AdresseSchreiben(0);
  AktAdresse.Leeren();
  AdresseLesen(0);
  EXPECT_EQ(Bytes(AktAdresse), Satz(2));
  EXPECT_EQ(LiesAlles(aufPlatte), Satz(2));
  EXPECT_TRUE(dialoge.Meldungen.empty());
}

// --- the menu commands ----------------------------------------------------------------

TEST_F(Adresse, AktiveDateiWaehlen) {
  app::Konfiguration.SetzeAdressdatei("C:\\Alt\\Alt.ADW");
  const std::string neu = Pfad("Neu.ADW");
  dialoge.WaehleDatei(neu);
  AktiveAdressendateiWaehlen();
  ASSERT_EQ(dialoge.Dateidialoge.size(), 1u);
  EXPECT_EQ(dialoge.Dateidialoge[0].Filter, "Windows-Adressendatei|*.ADW|Alle Dateien|*.*");
  EXPECT_EQ(dialoge.Dateidialoge[0].StartOrdner, "C:\\ZQ-Soft\\Reredazo");
  EXPECT_EQ(dialoge.Dateidialoge[0].Dateiname, "C:\\Alt\\Alt.ADW");
  EXPECT_EQ(app::Konfiguration.Adressdatei(), neu);
  EXPECT_EQ(AdrDateiName, neu);
  EXPECT_EQ(app::IODateiName, neu);
  EXPECT_EQ(app::AktAdrBasis, Ansi(ordner / "Neu"));
  EXPECT_EQ(GespeicherteAdressdatei(), neu);
  EXPECT_FALSE(fs::exists(ordner / "Neu.ADW"));  // not checked, not created
  EXPECT_TRUE(dialoge.Fragen.empty());

  // A "." in a folder name does not cut the base name.
  app::HomeOrdnerFuerTests = ordner;
  dialoge.WaehleDatei("C:\\Daten\\jagd.2024\\Mitglieder.ADW");
  AktiveAdressendateiWaehlen();
  EXPECT_EQ(app::AktAdrBasis, "C:\\Daten\\jagd.2024\\Mitglieder");
  EXPECT_EQ(GespeicherteAdressdatei(), "C:\\Daten\\jagd.2024\\Mitglieder.ADW");
  EXPECT_TRUE(dialoge.Meldungen.empty());
}

TEST_F(Adresse, MenuebefehleOhneAenderung) {
  const std::pair<const char*, void (*)()> befehle[] = {{"waehlen", &AktiveAdressendateiWaehlen},
                                                        {"anlegen", &NeueAdressendateiAnlegen}};
  // cancelled, a path outside Windows-1252, a path longer than 255 characters
  const std::string wahlen[] = {"", Ansi(ordner) + kLodz, Ansi(ordner) + "/" + std::string(260, 'x') + ".ADW"};
  for (const auto& [name, befehl] : befehle) {
    for (const auto& w : wahlen) {
      SCOPED_TRACE(testing::Message() << name << " " << w.size());
      dialoge.Meldungen.clear();
      app::Konfiguration.SetzeAdressdatei(pfad);
      app::AktAdrBasis = "Basis";
      app::IODateiName = "vorher";
      const std::string vorher = KonfigBytes();
      if (w.empty())
        dialoge.BrichDateidialogAb();
      else
        dialoge.WaehleDatei(w);
      befehl();
      EXPECT_EQ(KonfigBytes(), vorher);
      EXPECT_EQ(app::AktAdrBasis, "Basis");
      EXPECT_EQ(AdrDateiName, pfad);
      EXPECT_EQ(app::IODateiName, "vorher");
      EXPECT_EQ(dialoge.Meldungen.size(), w.empty() ? 0u : 1u);
      EXPECT_TRUE(dialoge.Fragen.empty());
      EXPECT_EQ(std::distance(fs::directory_iterator(ordner), fs::directory_iterator()), 0);
    }
  }
}

TEST_F(Adresse, NeueDateiAnlegen) {
  // An existing file: no question, unchanged, active; saved by the next save only.
  SchreibeAlles(datei, Satz(0));
  dialoge.WaehleDatei(pfad);
  NeueAdressendateiAnlegen();
  EXPECT_TRUE(dialoge.Fragen.empty());
  EXPECT_EQ(LiesAlles(datei), Satz(0));
  EXPECT_EQ(app::Konfiguration.Adressdatei(), pfad);
  EXPECT_EQ(app::AktAdrBasis, Ansi(ordner / "Mitglieder"));
  EXPECT_FALSE(fs::exists(KonfigDatei()));

  // "Nein": no file, but the path is active; the shared answer picks the default.
  const std::string neu = Pfad("Neu.ADW");
  app::Antwort = true;
  dialoge.WaehleDatei(neu);
  dialoge.Antworten.push_back(FrageErgebnis::Nein);
  NeueAdressendateiAnlegen();
  ASSERT_EQ(dialoge.Fragen.size(), 1u);
  EXPECT_EQ(dialoge.Fragen[0].Oben, neu);
  EXPECT_EQ(dialoge.Fragen[0].Frage, "Soll diese Adressendatei angelegt werden?");
  EXPECT_TRUE(dialoge.Fragen[0].JaVorgewaehlt);
  EXPECT_FALSE(app::Antwort);
  EXPECT_FALSE(fs::exists(ordner / "Neu.ADW"));
  EXPECT_EQ(app::Konfiguration.Adressdatei(), neu);
  EXPECT_EQ(AdrDateiName, neu);
  EXPECT_FALSE(fs::exists(KonfigDatei()));

  // The next opening offers the path again.
  dialoge.WaehleDatei(neu);
  dialoge.Antworten.push_back(FrageErgebnis::Nein);
  EXPECT_FALSE(AdrDateiOeffnen());
  EXPECT_EQ(dialoge.Dateidialoge.back().Dateiname, neu);
  EXPECT_EQ(dialoge.Fragen.back().Oben, "Adressdatei: " + neu + " nicht gefunden!");

  // "Ja": an empty file; a name typed without extension gets ".ADW". The
  // dialog is one for saving, titled for creating.
  AnzahlAdressen = 5;
  dialoge.WaehleDatei(Pfad("Neu"));
  dialoge.Antworten.push_back(FrageErgebnis::Ja);
  NeueAdressendateiAnlegen();
  EXPECT_EQ(dialoge.Dateidialogarten.back(), "Speichern-Dialog");
  EXPECT_EQ(dialoge.Dateidialoge.back().Titel, "Neue Adressendatei anlegen");
  EXPECT_EQ(dialoge.Dateidialoge.back().Knopf, "Anlegen");
  EXPECT_FALSE(dialoge.Fragen.back().JaVorgewaehlt);
  EXPECT_EQ(app::Konfiguration.Adressdatei(), neu);
  EXPECT_EQ(fs::file_size(ordner / "Neu.ADW"), 0u);
  EXPECT_EQ(AnzahlAdressen, 0);
  EXPECT_FALSE(fs::exists(KonfigDatei()));
  EXPECT_TRUE(dialoge.Meldungen.empty());
}

}  // namespace
}  // namespace davo::addresses
