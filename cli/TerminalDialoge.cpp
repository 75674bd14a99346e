#include "TerminalDialoge.h"

#include <cctype>

#include "app/Pfade.h"
#include "app/Plattform.h"
#include "app/Text.h"

namespace davo::cli {

namespace {

std::string Getrimmt(const std::string& s) {
  std::size_t a = 0;
  std::size_t e = s.size();
  while (a < e && std::isspace(static_cast<unsigned char>(s[a]))) ++a;
  while (e > a && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
  return s.substr(a, e - a);
}

std::string Klein(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// One line from f without its line end; nothing at the end of the input.
std::optional<std::string> LiesZeile(std::FILE* f) {
  std::string zeile;
  bool gelesen = false;
  for (int c = std::fgetc(f); c != EOF; c = std::fgetc(f)) {
    gelesen = true;
    if (c == '\n') return zeile;
    zeile.push_back(static_cast<char>(c));
  }
  if (!gelesen) return std::nullopt;
  return zeile;
}

}  // namespace

std::optional<app::FrageErgebnis> LiesAntwort(const std::string& eingabe) {
  const std::string a = Klein(Getrimmt(eingabe));
  if (a == "j" || a == "ja" || a == "y" || a == "yes") return app::FrageErgebnis::Ja;
  if (a == "n" || a == "nein" || a == "no") return app::FrageErgebnis::Nein;
  return std::nullopt;
}

TerminalDialoge::TerminalDialoge(Vorgabe vorgabe, std::FILE* ein, std::FILE* aus, bool interaktiv,
                                 bool fortschrittZeigen)
    : vorgabe_(vorgabe), ein_(ein), aus_(aus), interaktiv_(interaktiv), fortschrittZeigen_(fortschrittZeigen) {}

TerminalDialoge TerminalDialoge::FuerProzess(Vorgabe vorgabe) {
  return TerminalDialoge(vorgabe, stdin, stderr, app::plattform::IstTerminal(stdin),
                         app::plattform::IstTerminal(stderr));
}

void TerminalDialoge::Schreibe(const std::string& utf8) {
  std::fwrite(utf8.data(), 1, utf8.size(), aus_);
  std::fflush(aus_);
}

void TerminalDialoge::Meldung(const std::string& text) {
  ++meldungen_;
  Schreibe(app::AnsiNachUtf8(text) + "\n");
}

app::FrageErgebnis TerminalDialoge::Frage(const std::string& oben, const std::string& frage, bool jaVorgewaehlt) {
  if (vorgabe_ == Vorgabe::Ja) return app::FrageErgebnis::Ja;
  if (vorgabe_ == Vorgabe::Nein) return app::FrageErgebnis::Nein;
  const app::FrageErgebnis vorgewaehlt = jaVorgewaehlt ? app::FrageErgebnis::Ja : app::FrageErgebnis::Nein;
  if (!interaktiv_) return vorgewaehlt;

  Schreibe(app::AnsiNachUtf8(oben) + "\n" + app::AnsiNachUtf8(frage) +
           " [j/n] (Enter = " + (jaVorgewaehlt ? "Ja" : "Nein") + "): ");
  for (;;) {
    const std::optional<std::string> zeile = LiesZeile(ein_);
    // End of the input is like closing the question window.
    if (!zeile) {
      Schreibe("\n");
      return app::FrageErgebnis::Geschlossen;
    }
    if (Getrimmt(*zeile).empty()) return vorgewaehlt;
    if (const auto antwort = LiesAntwort(*zeile)) return *antwort;
    Schreibe("Bitte j (Ja) oder n (Nein) eingeben: ");
  }
}

void TerminalDialoge::Fortschritt(const std::string& text, int position) {
  if (!fortschrittZeigen_ || text.empty()) return;
  std::string zeile = app::AnsiNachUtf8(text);
  if (position > 0) zeile += " (" + std::to_string(position) + " %)";
  Schreibe(zeile + "\n");
}

std::optional<int> TerminalDialoge::Auswahl(const std::string&, const std::vector<std::string>&, int index) {
  return index;
}

std::optional<app::DateiWahl> TerminalDialoge::DateiOeffnen(const app::DateiDialog&) { return std::nullopt; }

std::optional<app::DateiWahl> TerminalDialoge::DateiSpeichern(const app::DateiDialog&) { return std::nullopt; }

bool TerminalDialoge::Druckdialog() { return drucken_; }

void TerminalDialoge::ShellOeffnen(const std::string& datei, const std::string& parameter,
                                   const std::string& verzeichnis, int anzeige) {
  const std::filesystem::path ordner = verzeichnis.empty() ? std::filesystem::path() : app::DateiPfad(verzeichnis);
  app::plattform::ShellOeffnen(app::DateiPfad(datei), parameter, ordner, anzeige);
}

}  // namespace davo::cli
