#include "QtDruckflaeche.h"

#include <QFontMetrics>
#include <QPdfWriter>
#include <QPen>

#include "app/Text.h"

namespace davo::qtdruck {

namespace {
QString AusAnsi(const std::string& ansi) { return QString::fromStdString(app::AnsiNachUtf8(ansi)); }
}  // namespace

// Texts are drawn letter for letter as a typewriter would: no ligatures, so a
// printed "fl" stays two letters (also when a PDF is searched).
QtDruckflaeche::QtDruckflaeche(QPagedPaintDevice* geraet) : geraet_(geraet) {
  schrift_.setStyleStrategy(QFont::PreferNoShaping);
}

QtDruckflaeche::~QtDruckflaeche() {
  if (maler_ && maler_->isActive()) maler_->end();
}

int QtDruckflaeche::SeitenBreite() { return geraet_->width(); }
int QtDruckflaeche::SeitenHoehe() { return geraet_->height(); }

bool QtDruckflaeche::Querformat() { return geraet_->pageLayout().orientation() == QPageLayout::Landscape; }

void QtDruckflaeche::SetzeQuerformat(bool quer) {
  geraet_->setPageOrientation(quer ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void QtDruckflaeche::SetzeTitel(const std::string& titel) {
  titel_ = AusAnsi(titel);
  if (auto* pdf = dynamic_cast<QPdfWriter*>(geraet_)) pdf->setTitle(titel_);
}

void QtDruckflaeche::DokumentBeginnen() {
  maler_ = std::make_unique<QPainter>(geraet_);
  maler_->setFont(schrift_);
  maler_->setBrush(Qt::white);
  maler_->setPen(QPen(Qt::black, 2));
}

void QtDruckflaeche::NeueSeite() {
  if (maler_ && maler_->isActive()) geraet_->newPage();
}

void QtDruckflaeche::DokumentBeenden() {
  if (maler_ && maler_->isActive()) maler_->end();
  maler_.reset();
}

void QtDruckflaeche::SetzeSchrift(const std::string& name) {
  schrift_.setFamily(name.empty() ? QFont().family() : AusAnsi(name));
  schrift_.setStyleStrategy(QFont::PreferNoShaping);
  if (maler_) maler_->setFont(schrift_);
}

void QtDruckflaeche::SetzeSchriftgroesse(int punkte) {
  if (punkte <= 0) return;
  schrift_.setPointSize(punkte);
  if (maler_) maler_->setFont(schrift_);
}

void QtDruckflaeche::SetzeFett(bool fett) {
  schrift_.setBold(fett);
  if (maler_) maler_->setFont(schrift_);
}

int QtDruckflaeche::TextBreite(const std::string& text) {
  return QFontMetrics(schrift_, geraet_).horizontalAdvance(AusAnsi(text));
}

int QtDruckflaeche::TextHoehe(const std::string&) { return QFontMetrics(schrift_, geraet_).height(); }

void QtDruckflaeche::Text(int x, int y, const std::string& text) {
  if (!maler_ || !maler_->isActive()) return;
  const QFontMetrics masse(schrift_, geraet_);
  maler_->drawText(x, y + masse.ascent(), AusAnsi(text));
}

void QtDruckflaeche::Linie(int x1, int y1, int x2, int y2) {
  if (!maler_ || !maler_->isActive()) return;
  maler_->drawLine(x1, y1, x2, y2);
}

}  // namespace davo::qtdruck
