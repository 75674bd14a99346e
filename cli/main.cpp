// davo: the command line front end.

#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "Befehle.h"
#include "app/Plattform.h"

int main(int argc, char** argv) {
  davo::app::plattform::KonsoleUtf8();
  std::vector<std::string> argumente = davo::app::plattform::ArgumenteUtf8(argc, argv);
  if (!argumente.empty()) argumente.erase(argumente.begin());
  try {
    return davo::cli::Hauptprogramm(argumente, std::cout, std::cerr);
  } catch (const std::exception& e) {
    std::cerr << "davo: Unerwarteter Fehler: " << e.what() << "\n";
    return davo::cli::ExitAbgelehnt;
  }
}
