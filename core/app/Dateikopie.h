#pragma once
// Copying one file, for example the SEPA file to a removable medium: with its
// modification date, through a temporary name that becomes the target only
// when the copy is complete, and with the question for a new medium when the
// target runs full. The results are also left in IOFehler and Abbruch.

#include <string>

namespace davo::app {

// Copies quelle to ziel (full paths, program text). True when the copy is
// complete; otherwise Abbruch is true, no target file was created and
// everything was reported. Abbruch is never cleared here.
bool KopiereDatei(const std::string& quelle, const std::string& ziel);

// Creates every missing folder of pfad up to its last separator ("\" or "/");
// the name behind it is not created. A bare drive such as "C:" is skipped. A
// folder that cannot be created is reported and the walk goes on. False (and
// Abbruch true) when the user gave up on an unusable drive.
bool LegePfadAn(const std::string& pfad);

}  // namespace davo::app
