#include "app/IOStoerung.h"

#include <utility>

namespace davo::app {

namespace {
IOStoerfunktion installiert;
std::chrono::milliseconds sperrWartezeit = SperrWartezeitVorgabe;
}  // namespace

void SetzeIOStoerung(IOStoerfunktion stoerung) { installiert = std::move(stoerung); }

int IOStoerung(IOOperation operation, const std::filesystem::path& pfad) {
  return installiert ? installiert(operation, pfad) : 0;
}

void SetzeSperrWartezeit(std::chrono::milliseconds zeit) { sperrWartezeit = zeit; }

std::chrono::milliseconds SperrWartezeit() { return sperrWartezeit; }

}  // namespace davo::app
