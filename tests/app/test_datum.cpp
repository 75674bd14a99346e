// Date strings from a fixed clock.

#include <gtest/gtest.h>

#include <string>

#include "app/Datum.h"
#include "app/Testumgebung.h"

namespace davo::app {
namespace {

class Datum : public test::CoreTest {};

TEST_F(Datum, ZeitstempelUndDatumHeute) {
  struct Fall {
    DatumZeit jetzt;
    const char* heute;
    const char* stempel;
  };
  const Fall faelle[] = {
      {{2026, 12, 6, 9, 5, 7, 0}, "06.12.2026", "2026-12-06T09:05:07"},
      {{2024, 2, 29, 23, 59, 59, 4}, "29.02.2024", "2024-02-29T23:59:59"},
      {{2000, 1, 1, 0, 0, 0, 6}, "01.01.2000", "2000-01-01T00:00:00"},
      {{999, 10, 31, 12, 0, 1, 0}, "31.10.0999", "0999-10-31T12:00:01"},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.stempel);
    Uhr = [&] { return f.jetzt; };
    SetzeZeitstempel();
    EXPECT_EQ(DatumHeute, f.heute);
    EXPECT_EQ(DatumHeute.size(), 10u);
    EXPECT_EQ(Zeitstempel, f.stempel);
    EXPECT_EQ(DatumISO(f.jetzt) + "T", Zeitstempel.substr(0, 11));
    EXPECT_EQ(DatumDeutsch(f.jetzt), f.heute);
  }
}

TEST_F(Datum, Wochentag) {
  struct Fall {
    int j, m, t, wochentag;
  };
  const Fall faelle[] = {
      {2026, 12, 6, 0},  // Sunday
      {2024, 2, 29, 4},  // Thursday
      {2024, 3, 1, 5},   {2000, 1, 1, 6}, {1970, 1, 1, 4}, {2023, 12, 31, 0}, {2025, 1, 6, 1},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(testing::Message() << f.t << "." << f.m << "." << f.j);
    EXPECT_EQ(WochentagVon(f.j, f.m, f.t), f.wochentag);
  }
}

}  // namespace
}  // namespace davo::app
