#include "printing/Druckflaeche.h"

#include "app/Text.h"

namespace davo::printing {

namespace {
Druckflaeche* drucker = nullptr;
}

void InstalliereDrucker(Druckflaeche* d) { drucker = d; }
Druckflaeche* Drucker() { return drucker; }

int Aufzeichnung::SeitenBreite() { return messen_ ? messen_->SeitenBreite() : 0; }
int Aufzeichnung::SeitenHoehe() { return messen_ ? messen_->SeitenHoehe() : 0; }
bool Aufzeichnung::Querformat() { return messen_ ? messen_->Querformat() : quer_; }

void Aufzeichnung::SetzeQuerformat(bool quer) {
  quer_ = quer;
  if (messen_) messen_->SetzeQuerformat(quer);
  schritte_.push_back({Zeichenschritt::Art::Quer, {}, quer ? 1 : 0});
}

void Aufzeichnung::SetzeTitel(const std::string& titel) {
  if (messen_) messen_->SetzeTitel(titel);
  schritte_.push_back({Zeichenschritt::Art::Titel, titel});
}

void Aufzeichnung::DokumentBeginnen() { schritte_.push_back({Zeichenschritt::Art::Beginn, {}}); }
void Aufzeichnung::NeueSeite() { schritte_.push_back({Zeichenschritt::Art::NeueSeite, {}}); }
void Aufzeichnung::DokumentBeenden() { schritte_.push_back({Zeichenschritt::Art::Ende, {}}); }

void Aufzeichnung::SetzeSchrift(const std::string& name) {
  if (messen_) messen_->SetzeSchrift(name);
  schritte_.push_back({Zeichenschritt::Art::Schrift, name});
}

void Aufzeichnung::SetzeSchriftgroesse(int punkte) {
  if (messen_) messen_->SetzeSchriftgroesse(punkte);
  schritte_.push_back({Zeichenschritt::Art::Groesse, {}, punkte});
}

void Aufzeichnung::SetzeFett(bool fett) {
  if (messen_) messen_->SetzeFett(fett);
  schritte_.push_back({Zeichenschritt::Art::Fett, {}, fett ? 1 : 0});
}

int Aufzeichnung::TextBreite(const std::string& text) { return messen_ ? messen_->TextBreite(text) : 0; }
int Aufzeichnung::TextHoehe(const std::string& text) { return messen_ ? messen_->TextHoehe(text) : 0; }

void Aufzeichnung::Text(int x, int y, const std::string& text) {
  schritte_.push_back({Zeichenschritt::Art::Text, text, x, y});
}

void Aufzeichnung::Linie(int x1, int y1, int x2, int y2) {
  schritte_.push_back({Zeichenschritt::Art::Linie, {}, x1, y1, x2, y2});
}

int Aufzeichnung::Seiten() const {
  int seiten = 0;
  for (const auto& s : schritte_) {
    if (s.Was == Zeichenschritt::Art::Beginn || s.Was == Zeichenschritt::Art::NeueSeite) ++seiten;
  }
  return seiten;
}

void Aufzeichnung::Wiedergeben(Druckflaeche& ziel) const {
  for (const auto& s : schritte_) {
    switch (s.Was) {
      case Zeichenschritt::Art::Titel: ziel.SetzeTitel(s.Wort); break;
      case Zeichenschritt::Art::Beginn: ziel.DokumentBeginnen(); break;
      case Zeichenschritt::Art::NeueSeite: ziel.NeueSeite(); break;
      case Zeichenschritt::Art::Ende: ziel.DokumentBeenden(); break;
      case Zeichenschritt::Art::Schrift: ziel.SetzeSchrift(s.Wort); break;
      case Zeichenschritt::Art::Groesse: ziel.SetzeSchriftgroesse(s.A); break;
      case Zeichenschritt::Art::Fett: ziel.SetzeFett(s.A != 0); break;
      case Zeichenschritt::Art::Quer: ziel.SetzeQuerformat(s.A != 0); break;
      case Zeichenschritt::Art::Text: ziel.Text(s.A, s.B, s.Wort); break;
      case Zeichenschritt::Art::Linie: ziel.Linie(s.A, s.B, s.C, s.D); break;
    }
  }
}

std::string Aufzeichnung::AlsText() const {
  std::string aus;
  for (const auto& s : schritte_) {
    switch (s.Was) {
      case Zeichenschritt::Art::Titel: aus += "titel " + app::AnsiNachUtf8(s.Wort); break;
      case Zeichenschritt::Art::Beginn: aus += "beginn"; break;
      case Zeichenschritt::Art::NeueSeite: aus += "neue-seite"; break;
      case Zeichenschritt::Art::Ende: aus += "ende"; break;
      case Zeichenschritt::Art::Schrift: aus += "schrift " + app::AnsiNachUtf8(s.Wort); break;
      case Zeichenschritt::Art::Groesse: aus += "groesse " + std::to_string(s.A); break;
      case Zeichenschritt::Art::Fett: aus += s.A ? "fett ein" : "fett aus"; break;
      case Zeichenschritt::Art::Quer: aus += s.A ? "quer" : "hoch"; break;
      case Zeichenschritt::Art::Text:
        aus += "text " + std::to_string(s.A) + " " + std::to_string(s.B) + " " + app::AnsiNachUtf8(s.Wort);
        break;
      case Zeichenschritt::Art::Linie:
        aus += "linie " + std::to_string(s.A) + " " + std::to_string(s.B) + " " + std::to_string(s.C) + " " +
               std::to_string(s.D);
        break;
    }
    aus += '\n';
  }
  return aus;
}

}  // namespace davo::printing
