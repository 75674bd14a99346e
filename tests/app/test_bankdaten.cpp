// Plausibility of IBAN and BIC for a SEPA transfer.

#include <gtest/gtest.h>

#include <string>

#include "app/Bankdaten.h"

namespace davo::app {
namespace {

TEST(Bankdaten, IbanPlausibel) {
  const struct {
    const char* Iban;
    bool Plausibel;
  } faelle[] = {
      {"DE02120300000000202051", true},
      {"de02 1203 0000 0000 2020 51", true},  // as typed: blanks, small letters
      {"DE02120300000000202052", false},      // check digits do not fit
      {"DE0212030000000020205", false},       // 21 characters
      {"DE021203000000002020510", false},     // 23 characters
      {"FR7630006000011234567890189", true},  // other EEA countries, their lengths
      {"AT611904300234573201", true},
      {"NO9386011117947", true},
      {"MT84MALT011000012345MTLCAST001S", true},
      {"IS140159260076545510730339", true},
      {"CH9300762011623852957", false},  // SEPA, but outside the EEA
      {"GB29NWBK60161331926819", false},
      {"XX56120300000000202051", false},  // no such country (check digits fit)
      {"DEAB120300000000202051", false},  // check digits not digits
      {"DE02-1203-0000-0000-2020", false},
      {"DE02120300000000202\xE4"
       "51",
       false},
      {"", false},
      {"DE", false},
  };
  for (const auto& f : faelle) EXPECT_EQ(IbanPlausibel(f.Iban), f.Plausibel) << f.Iban;
}

TEST(Bankdaten, BicPlausibel) {
  const struct {
    const char* Bic;
    bool Plausibel;
  } faelle[] = {
      {"GENODEF1ABC", true},   {"COBADEFF", true},        {"cobadeff xxx", true},
      {"COBADEF0", true},      {"COBADE22", true},        {"COBADEFFXX", false},
      {"COBADEFFXXXX", false}, {"COBADE", false},         {"", false},
      {"COBADEFO", false},     {"COBADE1F", false},       {"C0BADEFF", false},
      {"COBADEFFXX!", false},  {"COBADEFF\xC4XX", false},
  };
  for (const auto& f : faelle) EXPECT_EQ(BicPlausibel(f.Bic), f.Plausibel) << f.Bic;
  EXPECT_EQ(BankkennungNormal("de02 1203 xyz"), "DE021203XYZ");
}

}  // namespace
}  // namespace davo::app
