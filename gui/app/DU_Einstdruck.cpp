#include "app/DU_Einstdruck.h"

#include <QPrinter>

#include "printing/Druck.h"

namespace davo::gui {

TF_einstDruck::TF_einstDruck(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("F_einstDruck"));
  setWindowTitle(QStringLiteral("druckvorschau"));
  printing::DruckReset();
}

TF_einstDruck::~TF_einstDruck() = default;

QPrinter* TF_einstDruck::Drucker() {
  if (!drucker_) drucker_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return drucker_.get();
}

}  // namespace davo::gui
