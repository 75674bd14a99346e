#pragma once
// Reading chosen records of an address file with one open of it, forward
// only: a list in another order (by name, by hand) printed from the file
// without opening it again for each of its lines.

#include <cstdint>
#include <functional>
#include <vector>

#include "addresses/Adresse.h"
#include "app/DateiIO.h"

namespace davo::addresses {

// Reads the records of the numbers given in ascending order (a number may
// come more than once; it is read once) and hands each to besuche. Records
// that follow each other are read without a seek. A number outside the file
// or a record that cannot be read is passed over; the result names the
// first failure. Anzahl is measured; Satz and Nr stay as they are.
app::IOErgebnis SaetzeLesen(Adressdatei& datei, const std::vector<std::int32_t>& nummern,
                            const std::function<void(std::int32_t, const TAdresse&)>& besuche);

}  // namespace davo::addresses
