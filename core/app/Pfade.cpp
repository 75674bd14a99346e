#include "app/Pfade.h"

#include <system_error>

#include "app/Plattform.h"
#include "app/Text.h"

namespace fs = std::filesystem;

namespace davo::app {

std::optional<fs::path> HomeOrdnerFuerTests;

namespace {

fs::path AusUtf8(const std::string& utf8) {
  std::u8string u(utf8.begin(), utf8.end());
  return fs::path(u);
}

std::string Utf8Von(const fs::path& p) {
  std::u8string u = p.u8string();
  return std::string(u.begin(), u.end());
}

#ifndef _WIN32
// The entry of ordner whose name equals name without regard to case; name
// itself when there is none.
std::string PassenderName(const fs::path& ordner, const std::string& nameAnsi) {
  std::error_code ec;
  std::string gesucht = Grossschrift(nameAnsi);
  for (fs::directory_iterator it(ordner, ec), ende; !ec && it != ende; it.increment(ec)) {
    auto ansi = Utf8NachAnsiGenau(Utf8Von(it->path().filename()));
    if (ansi && Grossschrift(*ansi) == gesucht) return *ansi;
  }
  return nameAnsi;
}
#endif

}  // namespace

fs::path DateiPfad(const std::string& ansiPfad) {
#ifdef _WIN32
  return AusUtf8(AnsiNachUtf8(ansiPfad));
#else
  const bool laufwerk = ansiPfad.size() >= 2 && ansiPfad[1] == ':' &&
                        ((ansiPfad[0] >= 'A' && ansiPfad[0] <= 'Z') || (ansiPfad[0] >= 'a' && ansiPfad[0] <= 'z')) &&
                        (ansiPfad.size() == 2 || ansiPfad[2] == '\\' || ansiPfad[2] == '/');
  if (!laufwerk) {
    std::string s = ansiPfad;
    for (char& c : s)
      if (c == '\\') c = '/';
    return AusUtf8(AnsiNachUtf8(s));
  }
  fs::path ergebnis = HomeOrdnerFuerTests.value_or(plattform::HomeOrdner());
  std::string rest = ansiPfad.substr(2);
  std::size_t pos = 0;
  while (pos <= rest.size()) {
    std::size_t ende = rest.find_first_of("\\/", pos);
    if (ende == std::string::npos) ende = rest.size();
    std::string teil = rest.substr(pos, ende - pos);
    if (!teil.empty() && teil != ".") {
      if (teil == "..") {
        ergebnis = ergebnis.parent_path();
      } else {
        std::error_code ec;
        fs::path genau = ergebnis / AusUtf8(AnsiNachUtf8(teil));
        if (!fs::exists(genau, ec) && fs::is_directory(ergebnis, ec)) teil = PassenderName(ergebnis, teil);
        ergebnis /= AusUtf8(AnsiNachUtf8(teil));
      }
    }
    pos = ende + 1;
  }
  return ergebnis;
#endif
}

std::optional<std::string> AnsiPfad(const fs::path& pfad) { return Utf8NachAnsiGenau(Utf8Von(pfad)); }

std::string OrdnerVon(const std::string& ansiPfad) {
  std::size_t p = ansiPfad.find_last_of("\\/");
  return p == std::string::npos ? std::string() : ansiPfad.substr(0, p);
}

}  // namespace davo::app
