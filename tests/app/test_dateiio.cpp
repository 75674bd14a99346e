// The file layer with its pending result code and the German messages.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/DateiIO.h"
#include "app/IOStoerung.h"
#include "app/Testumgebung.h"

namespace davo::app {
namespace {

namespace fs = std::filesystem;
using test::LiesAlles;
using test::SchreibeAlles;

const std::string N = "C:\\Daten\\a.ADW";

// Fetches the pending result without a message.
int Code() {
  LiesIOErgebnis();
  return IOCode;
}

class DateiIO : public test::CoreTest {
 protected:
  std::vector<std::string>& Meldungen() { return dialoge.Meldungen; }
};

TEST_F(DateiIO, MeldungstabelleVollstaendig) {
  const std::pair<int, std::string> tabelle[] = {
      {2, "Datei " + N + " nicht gefunden"},
      {3, "Suchweg nicht gefunden! Datei: " + N},
      {4, "Zuviel offene Dateien (" + N + ")"},
      {5, "Dateizugriff verweigert (" + N + ")"},
      {6, "Handle nicht definiert/ung\xFCltig"},
      {12, "ung\xFCltiger Dateimodus"},
      {15, "Suche: " + N + " Laufwerksnummer unzul\xE4ssig"},
      {16, "Directory kann nicht gel\xF6scht werden"},
      {18, "Keine Datei gefunden"},
      {100, "Fehler beim Lesen! Datei: " + N},
      {101, "Fehler beim Schreiben! Datei: " + N},
      {103, "Datei " + N + " ist nicht offen"},
      {104, "Datei ist nicht offen f\xFCr Leseoperationen"},
      {105, "Datei ist nicht offen f\xFCr Schreiboperationen"},
      {106, "ung\xFCltiges numerisches Format"},
      {112, "Die Diskette ist voll!"},
      {150, "Diskette ist schreibgesch\xFCtzt"},
      {151, "Peripheriegrr\xE4t ist nicht bekannt"},
      {152, "Suche: " + N + " Laufwerk nicht betriebsbereit"},
      {153, "Unbekannter Befehl"},
      {154, "Suche: " + N + " Pr\xFC" "fsummenfehler beim Lesen von der Disk"},
      {155, "Ung\xFCltiger Disk-Parameterblock"},
      {156, "Lesekopf-Positionierungsfehler"},
      {157, "unbekanntes Sektorformat"},
      {158, "Diskettensektor nicht gefunden"},
      {159, "Drucker hat kein Papier "},
      {160, "Schreibfehler beim Zugriff auf ein Peripherieger\xE4t " + N},
      {161, "Lesefehler beim Zugriff auf ein Peripherieger\xE4t " + N},
      {162, "Hardwarefehler oder Diskette nicht formatiert"},
      {241, "Directory ist voll"},
      {242, "Bearbeite " + N + " , Dateigr\xF6\xDF" "e ueberschritten"},
      {255, "Datei " + N + " ist verschwunden"},
      // every other code: the last row, the number right-aligned in three places
      {1, "Unbekannter I/O Fehler:    1, " + N},     {7, "Unbekannter I/O Fehler:    7, " + N},
      {32, "Unbekannter I/O Fehler:   32, " + N},    {99, "Unbekannter I/O Fehler:   99, " + N},
      {102, "Unbekannter I/O Fehler:  102, " + N},   {113, "Unbekannter I/O Fehler:  113, " + N},
      {163, "Unbekannter I/O Fehler:  163, " + N},   {254, "Unbekannter I/O Fehler:  254, " + N},
      {1234, "Unbekannter I/O Fehler:  1234, " + N}, {-1, "Unbekannter I/O Fehler:   -1, " + N},
      {-123, "Unbekannter I/O Fehler:  -123, " + N},
  };
  for (const auto& [code, text] : tabelle) {
    SCOPED_TRACE(code);
    EXPECT_EQ(IOFehlerText(code, N), text);
    // The same through the check every caller uses: exactly one message.
    Meldungen().clear();
    IODateiName = N;
    SetzeIOErgebnis(code);
    PruefeIO();
    EXPECT_EQ(IOCode, code);
    EXPECT_TRUE(IOFehler);
    EXPECT_EQ(Meldungen(), std::vector<std::string>{text});
  }
  // Built in a short string: cut at 255.
  const std::string lang = "C:\\" + std::string(300, 'x') + ".ADW";
  EXPECT_EQ(IOFehlerText(5, lang), ("Dateizugriff verweigert (" + lang).substr(0, 255));
  EXPECT_EQ(IOFehlerText(7, lang), ("Unbekannter I/O Fehler:    7, " + lang).substr(0, 255));
}

TEST_F(DateiIO, ErgebnisBleibtBisZumAbholen) {
  SetzeIOErgebnis(5);  // the first failure sticks
  SetzeIOErgebnis(2);
  EXPECT_EQ(OffenesIOErgebnis(), 5);
  EXPECT_EQ(Code(), 5);
  EXPECT_TRUE(IOFehler);
  EXPECT_EQ(Code(), 0);  // fetching cleared it
  EXPECT_FALSE(IOFehler);
  EXPECT_TRUE(Meldungen().empty());

  // IOFehler keeps its value past a successful operation until the next fetch.
  SetzeIOErgebnis(3);
  LiesIOErgebnis();
  Datei d;
  d.Zuordnen(Pfad("neu.dat"));
  d.Anlegen(1);
  EXPECT_TRUE(IOFehler);
  PruefeIO();
  EXPECT_FALSE(IOFehler);
  EXPECT_TRUE(Meldungen().empty());

  // ZeigeIOFehler shows the fetched code again, and nothing once it is cleared.
  IODateiName = N;
  SetzeIOErgebnis(2);
  PruefeIO();
  ZeigeIOFehler();
  EXPECT_EQ(Meldungen().size(), 2u);
  LiesIOErgebnis();
  ZeigeIOFehler();
  EXPECT_EQ(Meldungen().size(), 2u);
}

TEST_F(DateiIO, FehlendeDateiUndFehlenderOrdner) {
  struct Fall {
    std::string name;
    bool nurLesen;
    int code;
  };
  const Fall faelle[] = {{"fehlt.ADW", false, 2}, {"fehlt.ADW", true, 2},
                         {"kein\\fehlt.ADW", false, 3}, {"kein/tiefer/fehlt.ADW", true, 3}};
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    Meldungen().clear();
    IODateiName = Ansi(ordner) + "/" + f.name;
    Datei d;
    d.Zuordnen(IODateiName);
    f.nurLesen ? d.OeffnenLesen(10) : d.Oeffnen(10);
    PruefeIO();
    EXPECT_EQ(IOCode, f.code);
    EXPECT_FALSE(d.Offen());
    EXPECT_EQ(Meldungen(), std::vector<std::string>{IOFehlerText(f.code, IODateiName)});
    // Later operations on the unopened file fail, the message stays one.
    char puffer[10];
    d.Lesen(puffer);
    EXPECT_EQ(Code(), io::NichtOffen);
  }
  EXPECT_FALSE(fs::exists(ordner / "fehlt.ADW"));
  EXPECT_FALSE(fs::exists(ordner / "kein"));
}

TEST_F(DateiIO, LesenSchreibenUndMessen) {
  const fs::path a = ordner / "a.dat";
  SchreibeAlles(a, "0123456789abcdefghijKLMNO");  // two whole records of 10 and 5 bytes
  Datei d;
  d.Zuordnen(Pfad("a.dat"));
  d.Oeffnen(10);
  ASSERT_EQ(Code(), 0);
  EXPECT_EQ(d.Groesse(), 2);
  EXPECT_EQ(d.LaengeInBytes(), 25);

  char puffer[10];
  d.Suchen(1);
  d.Lesen(puffer);
  EXPECT_EQ(Code(), 0);
  EXPECT_EQ(std::string(puffer, 10), "abcdefghij");
  EXPECT_TRUE(d.Ende());

  // A short read fails with 100 and leaves the bytes it got.
  std::fill(std::begin(puffer), std::end(puffer), '#');
  d.Lesen(puffer);
  EXPECT_EQ(Code(), io::LeseFehler);
  EXPECT_EQ(std::string(puffer, 10), "KLMNO#####");

  // Positioning at the end is allowed (to append), behind it fails with 100.
  d.Suchen(3);
  EXPECT_EQ(Code(), io::LeseFehler);
  d.Suchen(-1);
  EXPECT_EQ(Code(), io::LeseFehler);
  d.Suchen(2);
  d.Schreiben("XXXXXXXXXX");
  d.Schliessen();
  EXPECT_EQ(Code(), 0);
  EXPECT_EQ(LiesAlles(a), "0123456789abcdefghijXXXXXXXXXX");

  // Replacing a record in the middle, then reading on after it.
  d.Oeffnen(10);
  d.Suchen(0);
  d.Schreiben("yyyyyyyyyy");
  d.Lesen(puffer);
  d.Schliessen();
  EXPECT_EQ(Code(), 0);
  EXPECT_EQ(std::string(puffer, 10), "abcdefghij");
  EXPECT_EQ(LiesAlles(a), "yyyyyyyyyyabcdefghijXXXXXXXXXX");

  // Writing into a file opened for reading only: 105, nothing written.
  IODateiName = Pfad("a.dat");
  d.OeffnenLesen(10);
  d.Schreiben("ZZZZZZZZZZ");
  PruefeIO();
  d.Schliessen();
  EXPECT_EQ(Code(), 0);
  EXPECT_EQ(LiesAlles(a), "yyyyyyyyyyabcdefghijXXXXXXXXXX");
  EXPECT_EQ(Meldungen(), std::vector<std::string>{"Datei ist nicht offen f\xFCr Schreiboperationen"});
}

TEST_F(DateiIO, EingespielteStoerungen) {
  SchreibeAlles(ordner / "a.dat", "0123456789");
  IODateiName = Pfad("a.dat");
  std::vector<IOOperation> gesehen;
  SetzeIOStoerung([&](IOOperation op, const fs::path&) {
    gesehen.push_back(op);
    return op == IOOperation::Schreiben ? io::DiskVoll : 0;
  });
  Datei d;
  d.Zuordnen(IODateiName);
  d.Oeffnen(10);
  ASSERT_EQ(Code(), 0);
  d.Schreiben("XXXXXXXXXX");
  PruefeIO();
  EXPECT_EQ(IOCode, io::DiskVoll);
  d.Schliessen();
  EXPECT_EQ(Code(), 0);
  EXPECT_EQ(Meldungen(), std::vector<std::string>{"Die Diskette ist voll!"});
  EXPECT_EQ(LiesAlles(ordner / "a.dat"), "0123456789");
  EXPECT_EQ(gesehen, (std::vector<IOOperation>{IOOperation::Zuordnen, IOOperation::Oeffnen, IOOperation::Schreiben,
                                                IOOperation::Schliessen}));

  // A failed open: later operations fail as well, but the first code stays.
  SetzeIOStoerung([](IOOperation op, const fs::path&) { return op == IOOperation::Oeffnen ? 5 : 0; });
  Datei e;
  e.Zuordnen(IODateiName);
  e.Oeffnen(10);
  char puffer[10] = {};
  e.Lesen(puffer);
  e.Schliessen();
  EXPECT_EQ(Code(), 5);

  // Positioning and reading can be disturbed too; the buffer stays untouched.
  SetzeIOStoerung([](IOOperation op, const fs::path&) {
    return op == IOOperation::Lesen ? 161 : (op == IOOperation::Suchen ? 156 : 0);
  });
  Datei f;
  f.Zuordnen(IODateiName);
  f.Oeffnen(10);
  f.Suchen(0);
  EXPECT_EQ(Code(), 156);
  std::fill(std::begin(puffer), std::end(puffer), '#');
  f.Lesen(puffer);
  EXPECT_EQ(Code(), 161);
  EXPECT_EQ(std::string(puffer, 10), "##########");
}

TEST_F(DateiIO, DateiErsetzen) {
  const fs::path ziel = ordner / "ziel.dat";
  IODateiName = Pfad("ziel.dat");
  DateiErsetzen(IODateiName, "erster", 6);
  DateiErsetzen(IODateiName, "zweit", 5);
  EXPECT_EQ(Code(), 0);
  EXPECT_EQ(LiesAlles(ziel), "zweit");

  // A failure in any step leaves the old file and no stray file behind.
  const std::pair<IOOperation, int> faelle[] = {
      {IOOperation::Anlegen, 5}, {IOOperation::Schreiben, 112}, {IOOperation::Schliessen, 101},
      {IOOperation::Umbenennen, 5}};
  for (const auto& fall : faelle) {
    const IOOperation stoerung = fall.first;
    const int code = fall.second;
    SCOPED_TRACE(static_cast<int>(stoerung));
    SetzeIOStoerung([&](IOOperation op, const fs::path&) { return op == stoerung ? code : 0; });
    DateiErsetzen(IODateiName, "dritter Inhalt", 14);
    EXPECT_EQ(Code(), code);
    EXPECT_EQ(LiesAlles(ziel), "zweit");
    std::vector<fs::path> namen;
    for (const auto& e : fs::directory_iterator(ordner)) namen.push_back(e.path().filename());
    EXPECT_EQ(namen, std::vector<fs::path>{"ziel.dat"});
  }
  SetzeIOStoerung(nullptr);
  DateiErsetzen(Pfad("kein") + "/ziel.dat", "x", 1);
  EXPECT_EQ(Code(), io::PfadNichtGefunden);
  EXPECT_FALSE(fs::exists(ordner / "kein"));
}

// A result handed back: the first failed step with its file, nothing shown
// and the error state of the file layer left alone until it is shown.
TEST_F(DateiIO, ErgebnisBehaeltDenErstenFehler) {
  IODateiName = "vorher";
  IOSchritte s(N);
  EXPECT_TRUE(s.Pruefe());
  SetzeIOErgebnis(io::ZugriffVerweigert);
  EXPECT_FALSE(s.Pruefe());
  s.Datei("C:\\b.csv");
  SetzeIOErgebnis(io::DiskVoll);
  EXPECT_FALSE(s.Pruefe());
  EXPECT_FALSE(s.Uebernimm(IOErgebnis::Fehler(io::LeseFehler, "c")));
  EXPECT_EQ(OffenesIOErgebnis(), 0);
  const IOErgebnis e = s.Ergebnis();
  EXPECT_EQ(e.Code, io::ZugriffVerweigert);
  EXPECT_EQ(e.Datei, N);
  EXPECT_EQ(e.Text, "Dateizugriff verweigert (" + N + ")");
  EXPECT_TRUE(Meldungen().empty());
  EXPECT_EQ(IODateiName, "vorher");
  EXPECT_FALSE(IOFehler);

  // Shown at the edge: once; PruefeIOErgebnis also sets the state as PruefeIO does.
  EXPECT_FALSE(ZeigeIOErgebnis(e));
  EXPECT_EQ(IODateiName, "vorher");
  EXPECT_FALSE(PruefeIOErgebnis(e));
  EXPECT_EQ(IODateiName, N);
  EXPECT_EQ(IOCode, io::ZugriffVerweigert);
  EXPECT_TRUE(IOFehler);
  EXPECT_EQ(Meldungen(), std::vector<std::string>(2, e.Text));
  EXPECT_TRUE(PruefeIOErgebnis(IOErgebnis()));
  EXPECT_FALSE(IOFehler);
  EXPECT_EQ(Meldungen().size(), 2u);
}

}  // namespace
}  // namespace davo::app
