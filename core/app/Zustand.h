#pragma once
// The state app/ keeps for the whole run (file errors, the answer and abort
// flags, the chooser texts, the configuration and the paths derived from it,
// the clock, the fault hook) back at its values at program start. Each core
// folder with state of its own has such a reset; the tests call them all
// through one function before and after every test.

namespace davo::app {

void ZustandZuruecksetzen();

}  // namespace davo::app
