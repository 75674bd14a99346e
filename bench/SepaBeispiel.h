#pragma once
// A credit-transfer file of the size the XML viewer must handle: 100,000
// transactions, laid out with line breaks and indentation as banking software
// writes it, about 60 MB (3 million tags). Written once per benchmark run into a temporary
// folder and removed at exit.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace davo::bench {

class SepaBeispiel {
 public:
  static constexpr int Buchungen = 100000;

  static const SepaBeispiel& Holen() {
    static SepaBeispiel s;
    return s;
  }
  SepaBeispiel(const SepaBeispiel&) = delete;
  SepaBeispiel& operator=(const SepaBeispiel&) = delete;
  ~SepaBeispiel() {
    std::error_code ec;
    std::filesystem::remove_all(ordner_, ec);
  }

  const std::filesystem::path& Datei() const { return datei_; }
  std::uintmax_t Bytes() const { return std::filesystem::file_size(datei_); }
  // The name of the last owner, for a search over the whole tree.
  static std::string Name(int i) {
    char n[32];
    std::snprintf(n, sizeof n, "Eigentuemer %06d", i);
    return n;
  }

 private:
  SepaBeispiel() {
    std::random_device zufall;
    ordner_ = std::filesystem::temp_directory_path() / ("davo_xml_bench_" + std::to_string(zufall()));
    std::filesystem::create_directories(ordner_);
    datei_ = ordner_ / "SEPA-JG-3-2026-01-15T10-00-00.xml";
    std::ofstream aus(datei_, std::ios::binary | std::ios::trunc);
    std::string b =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<Document xmlns=\"urn:iso:std:iso:20022:tech:xsd:pain.001.001.09\" "
        "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
        "  <CstmrCdtTrfInitn>\n"
        "    <GrpHdr>\n"
        "      <MsgId>JG-3-20260115100000</MsgId>\n"
        "      <CreDtTm>2026-01-15T10:00:00</CreDtTm>\n"
        "      <NbOfTxs>100000</NbOfTxs>\n"
        "      <CtrlSum>18518000.00</CtrlSum>\n"
        "      <InitgPty>\n        <Nm>Jagdgenossenschaft Feldheim</Nm>\n      </InitgPty>\n"
        "    </GrpHdr>\n"
        "    <PmtInf>\n"
        "      <PmtInfId>JG-3</PmtInfId>\n      <PmtMtd>TRF</PmtMtd>\n"
        "      <ReqdExctnDt>\n        <Dt>2026-01-20</Dt>\n      </ReqdExctnDt>\n"
        "      <Dbtr>\n        <Nm>Jagdgenossenschaft Feldheim</Nm>\n      </Dbtr>\n"
        "      <DbtrAcct>\n        <Id>\n          <IBAN>DE02120300000000202051</IBAN>\n        </Id>\n"
        "      </DbtrAcct>\n"
        "      <DbtrAgt>\n        <FinInstnId>\n          <BICFI>BYLADEM1001</BICFI>\n        </FinInstnId>\n"
        "      </DbtrAgt>\n";
    for (int i = 1; i <= Buchungen; ++i) {
      char t[1024];
      std::snprintf(t, sizeof t,
                    "      <CdtTrfTxInf>\n"
                    "        <PmtId>\n          <EndToEndId>JG-3-%06d</EndToEndId>\n        </PmtId>\n"
                    "        <Amt>\n          <InstdAmt Ccy=\"EUR\">%d.%02d</InstdAmt>\n        </Amt>\n"
                    "        <CdtrAgt>\n          <FinInstnId>\n            <BICFI>COBADEFFXXX</BICFI>\n"
                    "          </FinInstnId>\n        </CdtrAgt>\n"
                    "        <Cdtr>\n          <Nm>%s</Nm>\n        </Cdtr>\n"
                    "        <CdtrAcct>\n          <Id>\n            <IBAN>DE89370400440532%06d</IBAN>\n"
                    "          </Id>\n        </CdtrAcct>\n"
                    "        <RmtInf>\n          <Ustrd>Jagdpacht 2025 Flaeche %d,%04d ha</Ustrd>\n        </RmtInf>\n"
                    "      </CdtTrfTxInf>\n",
                    i, 10 + i % 900, i % 100, Name(i).c_str(), i, i % 40, i % 10000);
      b += t;
      if (b.size() > (1 << 20)) {
        aus.write(b.data(), static_cast<std::streamsize>(b.size()));
        b.clear();
      }
    }
    b += "    </PmtInf>\n  </CstmrCdtTrfInitn>\n</Document>\n";
    aus.write(b.data(), static_cast<std::streamsize>(b.size()));
  }

  std::filesystem::path ordner_;
  std::filesystem::path datei_;
};

}  // namespace davo::bench
