#include "app/Datum.h"

#include <chrono>
#include <cstdio>

#include "app/Plattform.h"

namespace davo::app {

std::string DatumHeute;
std::string Zeitstempel;

namespace {
DatumZeit SystemUhr() {
  std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm tm = plattform::Ortszeit(t);
  DatumZeit d;
  d.Jahr = tm.tm_year + 1900;
  d.Monat = tm.tm_mon + 1;
  d.Tag = tm.tm_mday;
  d.Stunde = tm.tm_hour;
  d.Minute = tm.tm_min;
  d.Sekunde = tm.tm_sec;
  d.Wochentag = tm.tm_wday;
  return d;
}

std::string Zweistellig(int n) {
  char puffer[16];
  std::snprintf(puffer, sizeof puffer, "%02d", n);
  return puffer;
}

std::string Vierstellig(int n) {
  char puffer[16];
  std::snprintf(puffer, sizeof puffer, "%04d", n);
  return puffer;
}
}  // namespace

std::function<DatumZeit()> Uhr = SystemUhr;

DatumZeit Jetzt() { return Uhr ? Uhr() : SystemUhr(); }
void UhrZuruecksetzen() { Uhr = SystemUhr; }

std::string DatumISO(const DatumZeit& d) {
  return Vierstellig(d.Jahr) + "-" + Zweistellig(d.Monat) + "-" + Zweistellig(d.Tag);
}

std::string DatumDeutsch(const DatumZeit& d) {
  return Zweistellig(d.Tag) + "." + Zweistellig(d.Monat) + "." + Vierstellig(d.Jahr);
}

void SetzeZeitstempel() {
  DatumZeit jetzt = Jetzt();
  Zeitstempel = DatumISO(jetzt) + "T" + Zweistellig(jetzt.Stunde) + ":" + Zweistellig(jetzt.Minute) + ":" +
                Zweistellig(jetzt.Sekunde);
  DatumHeute = DatumDeutsch(jetzt).substr(0, 10);
}

int WochentagVon(int jahr, int monat, int tag) {
  // Sakamoto's method.
  static const int t[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (monat < 3) jahr -= 1;
  return (jahr + jahr / 4 - jahr / 100 + jahr / 400 + t[monat - 1] + tag) % 7;
}

}  // namespace davo::app
