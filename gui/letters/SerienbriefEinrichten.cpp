#include "letters/SerienbriefEinrichten.h"

#include "app/DU_HauptmenueKolvar3.h"
#include "letters/DU_Serienbrief.h"
#include "letters/DU_serienbriefeditor.h"

namespace davo::gui {

namespace {

template <class Fenster>
Fenster* Einmal(TF_Kolvar3& haupt, const char* name) {
  if (auto* da = haupt.findChild<Fenster*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly)) return da;
  return new Fenster(&haupt);
}

}  // namespace

void SerienbriefEinrichten(TF_Kolvar3& haupt) {
  auto* editor = Einmal<TF_serienbriefeditor>(haupt, "F_serienbriefeditor");
  auto* serienbrief = Einmal<TF_Serienbrief>(haupt, "F_Serienbrief");
  haupt.Verbinde(app::Befehl::SerienbriefBearbeiten, [editor] { editor->exec(); });
  haupt.Verbinde(app::Befehl::SerienbriefDrucken, [serienbrief] { serienbrief->exec(); });
}

}  // namespace davo::gui
