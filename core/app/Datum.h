#pragma once
// Today's date and time as the program shows and stores them. Time comes from
// one clock that tests replace.

#include <functional>
#include <string>

namespace davo::app {

struct DatumZeit {
  int Jahr = 1970, Monat = 1, Tag = 1;
  int Stunde = 0, Minute = 0, Sekunde = 0;
  int Wochentag = 4;  // 0 = Sunday .. 6 = Saturday
};

// The clock: local date and time now. Tests set their own.
extern std::function<DatumZeit()> Uhr;
DatumZeit Jetzt();
void UhrZuruecksetzen();  // back to the system clock

extern std::string DatumHeute;  // "dd.MM.yyyy", set at start
extern std::string Zeitstempel; // "yyyy-MM-ddThh:mm:ss"

// Recomputes Zeitstempel and DatumHeute from the clock.
void SetzeZeitstempel();
std::string DatumISO(const DatumZeit& datum);      // "yyyy-MM-dd"
std::string DatumDeutsch(const DatumZeit& datum);  // "dd.MM.yyyy"
// Day of the week (0 = Sunday) of a calendar date.
int WochentagVon(int jahr, int monat, int tag);

}  // namespace davo::app
