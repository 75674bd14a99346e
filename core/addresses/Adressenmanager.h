#pragma once
// The address manager's logic: one owner at a time on the screen, moved
// through the shared record buffer; every move stores the shown record first.

#include <array>
#include <string>

namespace davo::addresses {

class AdressenmanagerModell {
 public:
  // Texts of ComboBox1 .. ComboBox21 (index 0 unused), cp1252.
  std::array<std::string, 22> Texte;
  bool SerienbriefDrucken = false;     // CheckBox1
  bool AuszahlungFreigegeben = false;  // CheckBox2
  std::string LabelGruppe;             // Label23
  std::string LabelNummer;             // Ausg_LfdAdrNr
  std::string LabelName;               // Label1
  std::string Titel;                   // window caption

  // The record field shown by ComboBox k (0 for the area box 19).
  static int FeldVonBox(int k);

  // The window is being shown: make sure a file is named, start at the last record.
  void Oeffnen();
  void AdresseAnzeigen();
  void AdresseUebernehmen();
  bool AdresseGueltig() const;

  // Buttons. Ende returns true when the window closes.
  void Weiter();
  void Zurueck();
  void Neu();
  void Suchen();
  bool Ende();

  // Leaving the name box: derives the sort key while that box is empty.
  void NameVerlassen();
  // Leaving the IBAN box: groups it in blocks of four.
  void IbanVerlassen();
  // The hint beside the IBAN box: empty for an empty or plausible IBAN. A
  // wrong IBAN is stored all the same; it only cannot be paid to.
  std::string IbanHinweis() const;
};

extern const char* const AnredeVorgaben[6];

}  // namespace davo::addresses
