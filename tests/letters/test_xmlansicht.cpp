// The XML viewer's model: the tree and the rows of 50 bytes that its byte
// rules give, their odd consequences included, the guards for too many
// levels and for closing tags without an open level, the outcomes around the
// file, and the search.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/Testumgebung.h"
#include "letters/XmlAnsicht.h"

namespace davo::letters {
namespace {

using E = XmlAnsicht::Ergebnis;

// The tree as text, walked through the children: two blanks per level, "#"
// for the root. Checks on the way that parents and places agree.
void Baum(const XmlAnsicht& a, std::int32_t k, std::size_t ebene, std::string& aus) {
  aus += std::string(2 * ebene, ' ') + (k == 0 ? "#" : a.Titel(k)) + "\n";
  for (std::int32_t z = 0; z < a.Kinderzahl(k); ++z) {
    const std::int32_t kind = a.Kind(k, z);
    EXPECT_EQ(a.Eltern(kind), k);
    EXPECT_EQ(a.ZeileImEltern(kind), z);
    Baum(a, kind, ebene + 1, aus);
  }
}

std::string Baum(const XmlAnsicht& a) {
  std::string aus;
  Baum(a, 0, 0, aus);
  return aus;
}

std::string Zeilen(const XmlAnsicht& a) {
  std::string aus;
  for (std::int64_t z = 0; z < a.Zeilenzahl(); ++z)
    aus += std::to_string(XmlAnsicht::Offset(z)) + "|" + std::string(a.Zeile(z)) + "\n";
  return aus;
}

class XmlAnsichtTest : public test::CoreTest {
 protected:
  std::string Datei(const std::string& name, const std::string& inhalt) {
    test::SchreibeAlles(ordner / name, inhalt);
    return Pfad(name);
  }
  XmlAnsicht ansicht;
};

TEST_F(XmlAnsichtTest, BaumUndZeilenNachDenByteRegeln) {
  std::string tief, tiefBaum = "#\n";
  for (int i = 0; i < 101; ++i) tief += "<a>";
  for (std::size_t i = 1; i <= 100; ++i) tiefBaum += std::string(2 * i, ' ') + "<a>  \n";
  std::string tiefZeilen;
  for (int z = 0; z < 6; ++z) tiefZeilen += std::to_string(z * 50) + "|" + tief.substr(z * 50, 50) + "\n";
  tiefZeilen += "300|<a><\n";

  struct Fall {
    const char* Name;
    std::string Inhalt, Baum, Zeilen;
    E Ergebnis;
    std::string Meldung;
  };
  const Fall faelle[] = {
      // The closing tag is the last tag: no "<" follows it, so it gets no node.
      {"ein Element", "<a>x</a>", "#\n  <a>  x\n", "0|<a>x</a>\n", E::Gelesen, ""},
      {"120 Bytes", std::string(120, '-'), "#\n",
       "0|" + std::string(50, '-') + "\n50|" + std::string(50, '-') + "\n100|" + std::string(20, '-') + "\n",
       E::Gelesen, ""},
      {"verschachtelt", "<a><b>1</b></a>\n<c/>", "#\n  <a>  \n    <b>  1\n    </b>  \n  </a>  \n\n",
       "0|<a><b>1</b></a>\n<c/>\n", E::Gelesen, ""},
      // The declaration opens a level that no tag closes.
      {"Deklaration", "<?xml version=\"1.0\"?>\r\n<d>1</d>\r\n<e/>",
       "#\n  <?xml version=\"1.0\"?>  \r\n\n    <d>  1\n    </d>  \r\n\n",
       "0|<?xml version=\"1.0\"?>\r\n<d>1</d>\r\n<e/>\n", E::Gelesen, ""},
      {"Text vor dem ersten Tag", "vor<a>1</a><b>", "#\n  <a>  vor1\n  </a>  \n", "0|vor<a>1</a><b>\n", E::Gelesen, ""},
      {"Attribute, Kommentar, leeres Element", "<a x=\"1\"><!-- c --><b/></a><z>",
       "#\n  <a x=\"1\">  \n    <!-- c -->  \n      <b/>  \n      </a>  \n", "0|<a x=\"1\"><!-- c --><b/></a><z>\n",
       E::Gelesen, ""},
      {"Tag ohne >", "<a<b>x<c>", "#\n  <a  \n    <b>  x\n", "0|<a<b>x<c>\n", E::Gelesen, ""},
      {"UTF-8 Byte f\xFCr Byte", "<n>M\xC3\xBCller</n><x>", "#\n  <n>  M\xC3\xBCller\n  </n>  \n",
       "0|<n>M\xC3\xBCller</n><x>\n", E::Gelesen, ""},
      {"Ebene 101", tief + "<b>", tiefBaum, tiefZeilen, E::ZuTief,
       "Import abgebrochen bei Byte 300: Das Tag <a> l\xE4ge in Ebene 101, mehr als 100 Ebenen zeigt der Baum nicht."},
      {"schlie\xDF"
       "endes Tag auf Ebene 0",
       "<a></a></b><c>", "#\n  <a>  \n  </a>  \n", "0|<a></a></b><\n", E::ZuvielSchliessend,
       "Import abgebrochen bei Byte 7: Zum schlie\xDF"
       "enden Tag </b> ist keine Ebene mehr offen (mehr "
       "schlie\xDF"
       "ende als \xF6"
       "ffnende Tags)."},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.Name);
    const std::string pfad = Datei("a.xml", f.Inhalt);
    EXPECT_EQ(ansicht.Importieren(pfad), f.Ergebnis);
    EXPECT_EQ(ansicht.Titel(0), pfad);
    EXPECT_EQ(Baum(ansicht), f.Baum);
    EXPECT_EQ(Zeilen(ansicht), f.Zeilen);
    EXPECT_EQ(ansicht.Abbruchmeldung(), f.Meldung);
  }
  EXPECT_TRUE(dialoge.Meldungen.empty());
}

// A missing file keeps what was shown; a file that cannot be opened leaves the
// root; a second import replaces tree and rows.
TEST_F(XmlAnsichtTest, DateiFehltOderLaesstSichNichtOeffnen) {
  EXPECT_EQ(ansicht.Importieren(Datei("a.xml", "<a>1</a><b>")), E::Gelesen);
  EXPECT_EQ(ansicht.Importieren(Pfad("fehlt.xml")), E::NichtGefunden);
  EXPECT_EQ(Baum(ansicht), "#\n  <a>  1\n  </a>  \n");
  EXPECT_EQ(ansicht.Importieren(Datei("b.xml", "<b>2</b><c>")), E::Gelesen);
  EXPECT_EQ(Baum(ansicht), "#\n  <b>  2\n  </b>  \n");
  EXPECT_EQ(Zeilen(ansicht), "0|<b>2</b><c>\n");

  std::filesystem::create_directory(ordner / "ordner.xml");
  EXPECT_EQ(ansicht.Importieren(Pfad("ordner.xml")), E::NichtGeoeffnet);
  EXPECT_EQ(Baum(ansicht), "#\n");
  EXPECT_EQ(ansicht.Zeilenzahl(), 0);
  EXPECT_EQ(dialoge.Meldungen, (std::vector<std::string>{" xml-Datei \"" + Pfad("fehlt.xml") + "\" nicht gefunden!",
                                                         "Dateizugriff verweigert (" + Pfad("ordner.xml") + ")"}));
}

TEST_F(XmlAnsichtTest, SuchenFindetDenNaechstenKnotenOhneGrossKlein) {
  ASSERT_EQ(ansicht.Importieren(Datei("s.xml", "<Nm>Anna</Nm><Nm>Bernd</Nm><Nm>anna \xC4rger</Nm><x>")), E::Gelesen);
  struct Fall {
    std::vector<std::string> Texte;
    std::int32_t Nach, Gefunden;
  };
  const Fall faelle[] = {
      {{"ANNA"}, -1, 1},    {{"ANNA"}, 1, 5},       {{"anna"}, 5, 1},  // wraps round
      {{"bernd"}, 0, 3},    {{"zz", "ERND"}, 0, 3},                    // any of the texts
      {{"\xE4rger"}, 0, 5},                                            // umlauts without regard to case
      {{"</nm>"}, 4, 6},    {{"fehlt"}, 0, -1},     {{""}, 0, -1},
  };
  for (const Fall& f : faelle) EXPECT_EQ(ansicht.Suchen(f.Texte, f.Nach), f.Gefunden) << f.Texte[0] << " " << f.Nach;
}

}  // namespace
}  // namespace davo::letters
