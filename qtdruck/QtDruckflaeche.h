#pragma once
// The printer surface over a Qt paged paint device (a printer or a PDF
// writer): page size and text extents in the device's own pixels, fonts in
// points, text drawn with its top-left corner at the given position.

#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>
#include <memory>

#include "printing/Druckflaeche.h"

namespace davo::qtdruck {

class QtDruckflaeche : public printing::Druckflaeche {
 public:
  explicit QtDruckflaeche(QPagedPaintDevice* geraet);
  ~QtDruckflaeche() override;

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

  QPagedPaintDevice* Geraet() const { return geraet_; }
  const QString& Titel() const { return titel_; }

 protected:
  QPagedPaintDevice* geraet_;
  std::unique_ptr<QPainter> maler_;
  QFont schrift_;
  QString titel_;
};

}  // namespace davo::qtdruck
