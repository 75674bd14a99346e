#pragma once
// The address manager's logic: one owner at a time on the screen, moved
// through the shared record buffer; every move stores the shown record first.

#include <array>
#include <string>

namespace davo::addresses {

class AdressenmanagerModell {
 public:
  // The boxes ComboBox1 .. ComboBox21, by the numbers of their names; those
  // with a rule of their own.
  static constexpr int AnzahlBoxen = 21;
  static constexpr int NameBox = 2;
  static constexpr int SortierBox = 4;
  static constexpr int IbanBox = 15;
  static constexpr int BicBox = 16;
  static constexpr int FlaechenBox = 19;

  // Texts of ComboBox1 .. ComboBox21 (index 0 unused), cp1252.
  std::array<std::string, AnzahlBoxen + 1> Texte;
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
  // False when the area was refused (the message was shown); the caller then
  // does nothing else.
  bool AdresseUebernehmen();
  bool AdresseGueltig() const;
  // Whether the boxes differ from what AdresseAnzeigen showed last.
  bool Geaendert() const;

  // Buttons. Neu returns true when it moved to the new record, Ende when the
  // window closes. A record that cannot be saved (the message was shown)
  // stays on the screen with its edits: no button moves on or closes then.
  void Weiter();
  void Zurueck();
  bool Neu();
  void Suchen();
  bool Ende();
  // The window is closed by its title bar or Escape: unsaved edits are offered
  // for saving ("Ja" goes the way of Ende, "Nein" discards them).
  enum class Abschluss { Bleiben, Verworfen, Gespeichert };
  Abschluss Verlassen();

  // Set by AdresseUebernehmen: the area text was refused.
  bool FlaecheAbgelehnt = false;
  // Set by Ende: the record could not be written.
  bool SpeichernFehlgeschlagen = false;

  // Leaving the name box: derives the sort key while that box is empty.
  void NameVerlassen();
  // Leaving the IBAN box: groups it in blocks of four.
  void IbanVerlassen();
  // The hint beside the IBAN box: empty for an empty or plausible IBAN. A
  // wrong IBAN is stored all the same; it only cannot be paid to.
  std::string IbanHinweis() const;

 private:
  // What AdresseAnzeigen showed last.
  std::array<std::string, AnzahlBoxen + 1> angezeigt_;
  bool angezeigtSerienbrief_ = false;
  bool angezeigtAuszahlung_ = false;
};

extern const char* const AnredeVorgaben[6];

}  // namespace davo::addresses
