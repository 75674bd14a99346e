#pragma once
// Plausibility of bank data for a SEPA transfer: an IBAN of a country of the
// European Economic Area with that country's length and check digits that
// pass mod 97, and a BIC of the form the transfer file's schema allows.
// Both are judged as the transfer file writes them: without blanks and in
// capitals.

#include <string>
#include <string_view>

namespace davo::app {

// The text without blanks, letters a-z in capitals (as IBAN and BIC are
// written into the transfer file).
std::string BankkennungNormal(std::string_view text);

// True for an IBAN (blanks and small letters allowed) of an EEA country with
// its length and correct check digits. IBANs of SEPA countries outside the
// EEA are not plausible here: a transfer there needs the ordering party's
// postal address.
bool IbanPlausibel(std::string_view iban);

// True for a BIC (blanks and small letters allowed) of 8 or 11 characters:
// four letters bank, two letters country, a location of a letter or digit
// 2-9 and a letter or digit other than "O", then optionally three letters or
// digits for the branch.
bool BicPlausibel(std::string_view bic);

}  // namespace davo::app
