#include "letters/XmlEditorEinrichten.h"

#include <QPointer>

#include "app/DU_HauptmenueKolvar3.h"
#include "letters/DU_xmlEditor.h"

namespace davo::gui {

void XmlEditorEinrichten(TF_Kolvar3& haupt) {
  TxmlEditor* fenster = haupt.findChild<TxmlEditor*>(QString(), Qt::FindDirectChildrenOnly);
  if (!fenster) fenster = new TxmlEditor(&haupt);
  haupt.Verbinde(app::Befehl::SepaAnzeigen, [ziel = QPointer<TxmlEditor>(fenster)] {
    if (ziel) ziel->exec();
  });
}

}  // namespace davo::gui
