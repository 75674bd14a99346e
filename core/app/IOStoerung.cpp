#include "app/IOStoerung.h"

#include <utility>

namespace davo::app {

namespace {
IOStoerfunktion installiert;
}

void SetzeIOStoerung(IOStoerfunktion stoerung) { installiert = std::move(stoerung); }

int IOStoerung(IOOperation operation, const std::filesystem::path& pfad) {
  return installiert ? installiert(operation, pfad) : 0;
}

}  // namespace davo::app
