#include "payout/AuszahlungEinrichten.h"

#include "app/DU_HauptmenueKolvar3.h"
#include "payout/DU_AdrListe.h"
#include "payout/DU_JG_ausz.h"

namespace davo::gui {

void AuszahlungEinrichten(TF_Kolvar3& haupt) {
  auto* auszahlung = new TF_Auszahlung(&haupt);
  // The list window opens over the payout window.
  new TF_AdrListe(auszahlung);
  haupt.Verbinde(app::Befehl::Auszahlung, [auszahlung] { auszahlung->exec(); });
}

}  // namespace davo::gui
