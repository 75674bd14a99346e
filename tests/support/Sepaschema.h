#pragma once
// Checks a SEPA file written by a test against the ISO 20022 schema of its
// format (copies under tests/data/sepa) with xmllint.

#include <filesystem>
#include <string>

namespace davo::test {

// Empty when the file is valid against the schema of format
// ("pain.001.001.09" or "pain.001.001.03"); else what xmllint said. Without a
// schema (format empty) only well-formedness is checked.
std::string SchemaFehler(const std::filesystem::path& xml, const std::string& format);

}  // namespace davo::test
