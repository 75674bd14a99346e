#include "support/TestDrucker.h"

#include "printing/Druck.h"

namespace davo::test {

int TestDrucker::TextBreite(const std::string& text) { return static_cast<int>(text.size()) * Zeichenbreite(); }
int TestDrucker::TextHoehe(const std::string&) { return Groesse * 10; }

Druckaufbau::Druckaufbau() {
  printing::DruckZuruecksetzen();
  printing::InstalliereDrucker(&band);
}

Druckaufbau::~Druckaufbau() {
  printing::DruckZuruecksetzen();
  printing::InstalliereDrucker(nullptr);
}

}  // namespace davo::test
