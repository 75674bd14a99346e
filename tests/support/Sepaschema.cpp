#include "support/Sepaschema.h"

#include "support/CliLauf.h"

namespace davo::test {

namespace fs = std::filesystem;

std::string SchemaFehler(const fs::path& xml, const std::string& format) {
  std::vector<std::string> argumente = {"--noout"};
  if (!format.empty()) {
    argumente.push_back("--schema");
    argumente.push_back((fs::path(DAVO_TESTDATEN) / "sepa" / (format + ".xsd")).string());
  }
  argumente.push_back(xml.string());
  const Lauf lauf = ProgrammStarten("xmllint", argumente, xml.parent_path());
  fs::remove(xml.parent_path() / "stdout.txt");
  fs::remove(xml.parent_path() / "stderr.txt");
  if (lauf.Status == 0) return {};
  return "xmllint (" + std::to_string(lauf.Status) + "): " + lauf.Fehler + lauf.Aus;
}

}  // namespace davo::test
