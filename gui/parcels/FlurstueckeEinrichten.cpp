#include "parcels/FlurstueckeEinrichten.h"

#include <QPointer>

#include "app/DU_HauptmenueKolvar3.h"
#include "parcels/DU_Flurstuecke.h"

namespace davo::gui {

void FlurstueckeEinrichten(TF_Kolvar3& haupt) {
  Tf_Flurstuecke* fenster = haupt.findChild<Tf_Flurstuecke*>(QString(), Qt::FindDirectChildrenOnly);
  if (!fenster) fenster = new Tf_Flurstuecke(&haupt);
  haupt.Verbinde(app::Befehl::FlurstueckeEinlesen, [ziel = QPointer<Tf_Flurstuecke>(fenster)] {
    if (ziel) ziel->exec();
  });
}

}  // namespace davo::gui
