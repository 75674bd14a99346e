#pragma once
// The XML viewer's model: a file read byte by byte into a tree of its tags,
// each node captioned with its tag, two blanks and the text that follows the
// tag up to the next "<", and into rows of 50 bytes with their offsets. The
// rules are simple on purpose and show the file as it is: a tag becomes a
// node when the next "<" is read (the last tag gets none), a closing tag is a
// node of its own beside its opening tag, and every tag whose second
// character is not "/" opens a level (the declaration, comments and empty
// elements too). Bytes are Windows-1252 characters, so UTF-8 letters show as
// two or more.
//
// The nodes keep only offsets into the file's bytes, so a file of some ten
// megabytes with millions of tags stays small and builds at once.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace davo::letters {

class XmlAnsicht {
 public:
  static constexpr int Zeilenbreite = 50;
  static constexpr int MaxEbene = 100;  // levels below the root

  enum class Ergebnis {
    Gelesen,
    NichtGefunden,      // no file of that name: the model is unchanged
    NichtGeoeffnet,     // reported by the file layer: only the root is left
    Lesefehler,         // reported: what was read before is shown
    ZuTief,             // a tag would lie 101 levels deep: shown up to it
    ZuvielSchliessend,  // a closing tag without an open level: shown up to it
    ZuGross,            // the file does not fit into memory: only the root is left
  };

  XmlAnsicht();

  // Reads the file (name cut at 255 characters, also the root's caption).
  // Every outcome but Gelesen is reported through ZeigeMeldung, except that an
  // import ended by the levels (ZuTief, ZuvielSchliessend) leaves its message
  // in Abbruchmeldung, for the caller to show once the tree is on screen.
  Ergebnis Importieren(const std::string& name);
  // Where and why the last import ended early; empty when it did not.
  const std::string& Abbruchmeldung() const { return abbruchmeldung_; }

  // --- the tree: node 0 is the root; the nodes are numbered in the order they
  // were made, which is the order of a fully expanded tree. Before the first
  // import there is no node at all. ----------------------------------------------
  std::int32_t Knotenzahl() const { return static_cast<std::int32_t>(knoten_.size()); }
  std::int32_t Eltern(std::int32_t knoten) const { return knoten_[static_cast<std::size_t>(knoten)].eltern; }
  std::int32_t Kinderzahl(std::int32_t knoten) const;
  std::int32_t Kind(std::int32_t knoten, std::int32_t zeile) const;
  // The place of the node among its parent's children.
  std::int32_t ZeileImEltern(std::int32_t knoten) const;
  // Tag, two blanks, text (Windows-1252 bytes); the root's is the file name.
  std::string Titel(std::int32_t knoten) const;

  // The first node after nach (wrapping round to the root) whose caption
  // holds one of the texts, without regard to case; -1 when none does.
  std::int32_t Suchen(const std::vector<std::string>& texte, std::int32_t nach) const;

  // --- the rows: 50 bytes each, the last one shorter -----------------------------
  std::int64_t Zeilenzahl() const;
  static std::int64_t Offset(std::int64_t zeile) { return zeile * Zeilenbreite; }
  std::string_view Zeile(std::int64_t zeile) const;

 private:
  struct Knoten {
    std::uint32_t anfang;  // offset of the tag's "<"
    std::uint32_t tag;     // length of the tag
    std::uint32_t text;    // length of the text after it
    std::int32_t eltern;
  };

  void Leeren(const std::string& wurzel);
  // Builds the tree from the bytes read; stops at a tag the levels cannot
  // hold. Shortens the bytes to those looked at.
  Ergebnis Aufbauen();
  void KinderOrdnen();
  void TitelIn(std::int32_t knoten, std::string& titel) const;

  std::string wurzel_;
  std::string bytes_;
  std::vector<Knoten> knoten_;
  std::uint32_t vortext_ = 0;               // text before the first tag, shown with the first node
  std::vector<std::int32_t> kinderAnfang_;  // children of k: kinder_[kinderAnfang_[k] .. kinderAnfang_[k + 1])
  std::vector<std::int32_t> kinder_;
  std::uint32_t stoppAn_ = 0;  // offset of the tag that ended the import early
  std::string abbruchmeldung_;
};

}  // namespace davo::letters
