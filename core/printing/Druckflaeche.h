#pragma once
// The printer as the program draws on it: a page in device pixels, a font,
// text at pixel positions and lines. The desktop program provides one over
// its printer; the recording below keeps a job to replay it on another
// surface (preview, paper, PDF) and shows in tests what was drawn.

#include <memory>
#include <string>
#include <vector>

namespace davo::printing {

class Druckflaeche {
 public:
  virtual ~Druckflaeche() = default;
  // Page size in device pixels, in the current orientation.
  virtual int SeitenBreite() = 0;
  virtual int SeitenHoehe() = 0;
  virtual bool Querformat() = 0;
  virtual void SetzeQuerformat(bool quer) = 0;
  virtual void SetzeTitel(const std::string& titel) = 0;
  virtual void DokumentBeginnen() = 0;
  virtual void NeueSeite() = 0;
  virtual void DokumentBeenden() = 0;
  // Font name (empty: the printer's default font), size in points, bold.
  virtual void SetzeSchrift(const std::string& name) = 0;
  virtual void SetzeSchriftgroesse(int punkte) = 0;
  virtual void SetzeFett(bool fett) = 0;
  // Extent of a text (cp1252) in the current font, in device pixels.
  virtual int TextBreite(const std::string& text) = 0;
  virtual int TextHoehe(const std::string& text) = 0;
  // Text with its top-left corner at (x, y).
  virtual void Text(int x, int y, const std::string& text) = 0;
  // A black line of pen width 2.
  virtual void Linie(int x1, int y1, int x2, int y2) = 0;
};

// One drawing call of a recorded job.
struct Zeichenschritt {
  enum class Art { Titel, Beginn, NeueSeite, Ende, Schrift, Groesse, Fett, Quer, Text, Linie } Was;
  std::string Wort;  // title, font name or text
  int A = 0, B = 0, C = 0, D = 0;
};

// Records what is drawn; sizes and text extents come from the measuring
// surface (the real printer), so the geometry of a replay is the same.
class Aufzeichnung : public Druckflaeche {
 public:
  explicit Aufzeichnung(Druckflaeche* messen) : messen_(messen) {}

  int SeitenBreite() override;
  int SeitenHoehe() override;
  bool Querformat() override;
  void SetzeQuerformat(bool quer) override;
  void SetzeTitel(const std::string& titel) override;
  void DokumentBeginnen() override;
  void NeueSeite() override;
  void DokumentBeenden() override;
  void SetzeSchrift(const std::string& name) override;
  void SetzeSchriftgroesse(int punkte) override;
  void SetzeFett(bool fett) override;
  int TextBreite(const std::string& text) override;
  int TextHoehe(const std::string& text) override;
  void Text(int x, int y, const std::string& text) override;
  void Linie(int x1, int y1, int x2, int y2) override;

  const std::vector<Zeichenschritt>& Schritte() const { return schritte_; }
  int Seiten() const;
  void Leeren() { schritte_.clear(); }
  // Draws the recording on another surface.
  void Wiedergeben(Druckflaeche& ziel) const;
  // One line per call, for comparisons in tests (texts as UTF-8).
  std::string AlsText() const;

 private:
  Druckflaeche* messen_;
  std::vector<Zeichenschritt> schritte_;
  bool quer_ = false;
};

// The surface the engine and direct printing draw on; installed by the
// program (not owned). Without one nothing can be printed.
void InstalliereDrucker(Druckflaeche* drucker);
Druckflaeche* Drucker();

}  // namespace davo::printing
