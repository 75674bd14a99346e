#pragma once
// Text inside the program is Windows-1252 bytes, exactly as the files hold it.
// These helpers convert at the borders (screen, terminal, file-system paths)
// and give the length rules of the short strings used everywhere.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace davo::app {

// Windows-1252 -> UTF-8. The five unassigned bytes (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) map to the C1 control characters of the same number, so every byte
// survives a round trip.
std::string AnsiNachUtf8(std::string_view ansi);
// The same appended to aus (many texts into one buffer).
void AnsiNachUtf8Anhaengen(std::string_view ansi, std::string& aus);

// Windows-1252 -> UTF-16.
std::u16string AnsiNachUtf16(std::string_view ansi);
// The same into aus, whose storage is used again (many texts in a row).
void AnsiNachUtf16(std::string_view ansi, std::u16string& aus);

// UTF-8 -> Windows-1252. Characters outside the code page become "?" and
// clear *vollstaendig (when given). Malformed UTF-8 counts as not representable.
std::string Utf8NachAnsi(std::string_view utf8, bool* vollstaendig = nullptr);

// UTF-8 -> Windows-1252 as above; counts the characters that became "?".
std::string Utf8NachAnsiGezaehlt(std::string_view utf8, std::size_t& ersetzt);

// Whether the bytes are well-formed UTF-8; *mehrbyte is set (never cleared)
// when they hold a character of more than one byte.
bool IstUtf8(std::string_view text, bool* mehrbyte = nullptr);

// UTF-8 -> Windows-1252, or nothing when any character has no place in it.
std::optional<std::string> Utf8NachAnsiGenau(std::string_view utf8);

// The first n bytes of text (a short string of capacity n keeps no more).
std::string Kurz(std::string_view text, std::size_t n);

// Short strings as the binary files hold them: one length byte, then the
// capacity in characters. Reading clamps a damaged length byte to the capacity.
std::string LiesKurzText(const std::uint8_t* feld, std::size_t kapazitaet);
// Stores the text cut to the capacity; bytes behind the new length keep
// whatever they held.
void SchreibeKurzText(std::uint8_t* feld, std::size_t kapazitaet, std::string_view text);

// Upper case by the Windows-1252 rules of a German system (umlauts included,
// "ß" and "µ" unchanged, "ÿ" -> "Ÿ").
std::string Grossschrift(std::string_view text);
char GrossBuchstabe(char c);

// Little-endian integers in byte images.
std::int32_t LiesInt32(const std::uint8_t* p);
void SchreibeInt32(std::uint8_t* p, std::int32_t wert);
std::int64_t LiesInt64(const std::uint8_t* p);
void SchreibeInt64(std::uint8_t* p, std::int64_t wert);

}  // namespace davo::app
