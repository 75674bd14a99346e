#include "app/Plattform.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <new>
#include <system_error>

#include "app/Text.h"

#ifdef _WIN32
// windows.h comes before the headers that build on it.
// clang-format off
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>
#include <shlobj.h>
#include <sys/stat.h>
// clang-format on
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unicode/ucol.h>
#include <unicode/ucoleitr.h>
#include <unicode/uset.h>
#include <unistd.h>
#endif
#ifdef __linux__
#include <sys/mman.h>
#endif

namespace fs = std::filesystem;

namespace davo::app::plattform {

namespace {

// What a mode of fopen asks for.
struct Modus {
  bool schreiben = false;  // "w": created, emptied
  bool plus = false;       // read and write
  bool exklusiv = false;   // "x": must not exist yet
  std::string ohneX;       // the mode for fdopen
};

Modus ModusLesen(const char* modus) {
  Modus m;
  for (const char* c = modus; *c; ++c) {
    if (*c == 'w') m.schreiben = true;
    if (*c == '+') m.plus = true;
    if (*c == 'x')
      m.exklusiv = true;
    else
      m.ohneX.push_back(*c);
  }
  return m;
}

}  // namespace

std::FILE* OeffneDatei(const fs::path& pfad, const char* modus, bool* keineDatei) {
  if (keineDatei) *keineDatei = false;
  const Modus m = ModusLesen(modus);
#ifdef _WIN32
  std::FILE* f = nullptr;
  if (m.exklusiv) {
    const int fd = _wopen(pfad.wstring().c_str(), _O_CREAT | _O_EXCL | _O_BINARY | (m.plus ? _O_RDWR : _O_WRONLY),
                          _S_IREAD | _S_IWRITE);
    if (fd < 0) return nullptr;
    std::wstring w(m.ohneX.begin(), m.ohneX.end());
    f = _wfdopen(fd, w.c_str());
    if (!f) {
      _close(fd);
      return nullptr;
    }
  } else {
    std::wstring w(m.ohneX.begin(), m.ohneX.end());
    f = _wfopen(pfad.wstring().c_str(), w.c_str());
    if (!f) return nullptr;
  }
  // Devices (CON, NUL, COM1) and pipes are no files to keep records in.
  const HANDLE h = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(f)));
  if (GetFileType(h) != FILE_TYPE_DISK) {
    std::fclose(f);
    if (keineDatei) *keineDatei = true;
    errno = ENXIO;
    return nullptr;
  }
  return f;
#else
  // A look first: a socket cannot be opened at all, a pipe would wait for
  // its other end.
  struct stat st {};
  if (::stat(pfad.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)) {
    if (keineDatei) *keineDatei = true;
    errno = ENXIO;
    return nullptr;
  }
  int flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
  flags |= m.plus ? O_RDWR : (m.schreiben ? O_WRONLY : O_RDONLY);
  if (m.schreiben) flags |= O_CREAT | (m.exklusiv ? O_EXCL : 0);
  const int fd = ::open(pfad.c_str(), flags, 0666);
  if (fd < 0) {
    if (errno == ENXIO && keineDatei) *keineDatei = true;
    return nullptr;
  }
  // What was opened, not what was looked at: it may have changed in between.
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    const bool ordner = S_ISDIR(st.st_mode);
    ::close(fd);
    if (keineDatei && !ordner) *keineDatei = true;
    errno = ordner ? EISDIR : ENXIO;
    return nullptr;
  }
  if ((m.schreiben && !m.exklusiv && ::ftruncate(fd, 0) != 0) ||
      ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
    const int fehler = errno;
    ::close(fd);
    errno = fehler;
    return nullptr;
  }
  std::FILE* f = ::fdopen(fd, m.ohneX.c_str());
  if (!f) {
    const int fehler = errno;
    ::close(fd);
    errno = fehler;
  }
  return f;
#endif
}

Sperrversuch Sperre(std::FILE* f, bool exklusiv) {
#ifdef _WIN32
  OVERLAPPED ueberall{};
  const HANDLE h = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(f)));
  const DWORD art = LOCKFILE_FAIL_IMMEDIATELY | (exklusiv ? LOCKFILE_EXCLUSIVE_LOCK : 0);
  if (LockFileEx(h, art, 0, MAXDWORD, MAXDWORD, &ueberall)) return Sperrversuch::Gesperrt;
  switch (GetLastError()) {
    case ERROR_LOCK_VIOLATION:
    case ERROR_SHARING_VIOLATION:
    case ERROR_IO_PENDING:
      return Sperrversuch::Belegt;
    case ERROR_NOT_SUPPORTED:
    case ERROR_INVALID_FUNCTION:
      return Sperrversuch::NichtMoeglich;
    default:
      errno = EIO;
      return Sperrversuch::Fehlgeschlagen;
  }
#else
  // flock, not fcntl: a lock of fcntl belongs to the process, and any close
  // of the same file anywhere in it would drop it.
  if (::flock(fileno(f), (exklusiv ? LOCK_EX : LOCK_SH) | LOCK_NB) == 0) return Sperrversuch::Gesperrt;
  if (errno == EWOULDBLOCK || errno == EINTR) return Sperrversuch::Belegt;
  if (errno == ENOLCK || errno == EOPNOTSUPP || errno == EINVAL) return Sperrversuch::NichtMoeglich;
  return Sperrversuch::Fehlgeschlagen;
#endif
}

void Entsperre(std::FILE* f) {
#ifdef _WIN32
  OVERLAPPED ueberall{};
  UnlockFileEx(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(f))), 0, MAXDWORD, MAXDWORD, &ueberall);
#else
  ::flock(fileno(f), LOCK_UN);
#endif
}

bool Kuerze(std::FILE* f, std::int64_t laenge) {
  // A buffer that cannot be written (a full disk) is dropped by the failed
  // flush; what is cut here is gone anyway.
  std::fflush(f);
#ifdef _WIN32
  const errno_t fehler = _chsize_s(_fileno(f), laenge);
  if (fehler != 0) errno = fehler;
  return fehler == 0;
#else
  return ::ftruncate(fileno(f), static_cast<off_t>(laenge)) == 0;
#endif
}

bool Positioniere(std::FILE* f, std::int64_t pos) {
#ifdef _WIN32
  return _fseeki64(f, pos, SEEK_SET) == 0;
#else
  return fseeko(f, static_cast<off_t>(pos), SEEK_SET) == 0;
#endif
}

std::int64_t Position(std::FILE* f) {
#ifdef _WIN32
  return _ftelli64(f);
#else
  return static_cast<std::int64_t>(ftello(f));
#endif
}

std::int64_t Dateilaenge(std::FILE* f) {
  std::fflush(f);
#ifdef _WIN32
  return _filelengthi64(_fileno(f));
#else
  struct stat st {};
  if (fstat(fileno(f), &st) != 0) return -1;
  return static_cast<std::int64_t>(st.st_size);
#endif
}

bool Sichere(std::FILE* f) {
  if (std::fflush(f) != 0) return false;
#ifdef _WIN32
  return _commit(_fileno(f)) == 0;
#else
  return fsync(fileno(f)) == 0;
#endif
}

int Ersetze(const fs::path& von, const fs::path& nach) {
#ifdef _WIN32
  if (MoveFileExW(von.wstring().c_str(), nach.wstring().c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return 0;
  switch (GetLastError()) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
      return EACCES;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILE_NOT_FOUND:
      return ENOENT;
    case ERROR_DISK_FULL:
      return ENOSPC;
    default:
      return EIO;
  }
#else
  if (std::rename(von.c_str(), nach.c_str()) == 0) return 0;
  return errno == 0 ? EIO : errno;
#endif
}

std::tm Ortszeit(std::time_t t) {
  std::tm ergebnis{};
#ifdef _WIN32
  localtime_s(&ergebnis, &t);
#else
  localtime_r(&t, &ergebnis);
#endif
  return ergebnis;
}

fs::path ProgrammDatei() {
#ifdef _WIN32
  std::wstring puffer(32768, L'\0');
  DWORD n = GetModuleFileNameW(nullptr, puffer.data(), static_cast<DWORD>(puffer.size()));
  puffer.resize(n);
  return fs::path(puffer);
#else
  std::error_code ec;
  fs::path p = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::path() : p;
#endif
}

#ifndef _WIN32
std::vector<std::string> ProgrammArgumente() {
  std::vector<std::string> argumente;
  std::FILE* f = std::fopen("/proc/self/cmdline", "rb");
  if (!f) return argumente;
  std::string alles;
  char puffer[4096];
  for (std::size_t n; (n = std::fread(puffer, 1, sizeof puffer, f)) > 0;) alles.append(puffer, n);
  const bool fehler = std::ferror(f) != 0;
  std::fclose(f);
  if (fehler) return argumente;
  // Each argument ends with a NUL byte.
  for (std::size_t anfang = 0; anfang < alles.size();) {
    const std::size_t ende = std::min(alles.find('\0', anfang), alles.size());
    argumente.push_back(alles.substr(anfang, ende - anfang));
    anfang = ende + 1;
  }
  return argumente;
}

void ProgrammErsetzen(const fs::path& pfad, const std::vector<std::string>& argumente) {
  std::vector<char*> zeiger;
  for (const std::string& a : argumente) zeiger.push_back(const_cast<char*>(a.c_str()));
  zeiger.push_back(nullptr);
  execv(pfad.c_str(), zeiger.data());
}
#endif

namespace {
fs::path Umgebung(const char* name) {
#ifdef _WIN32
  std::wstring wname;
  for (const char* c = name; *c; ++c) wname.push_back(static_cast<wchar_t>(*c));
  const wchar_t* wert = _wgetenv(wname.c_str());
  return wert && *wert ? fs::path(wert) : fs::path();
#else
  const char* wert = std::getenv(name);
  return wert && *wert ? fs::path(wert) : fs::path();
#endif
}
}  // namespace

fs::path HomeOrdner() {
#ifdef _WIN32
  fs::path p = Umgebung("USERPROFILE");
#else
  fs::path p = Umgebung("HOME");
#endif
  return p.empty() ? fs::current_path() : p;
}

fs::path BenutzerKonfigOrdner() {
#ifdef _WIN32
  fs::path p = Umgebung("APPDATA");
  return p.empty() ? HomeOrdner() : p;
#else
  fs::path p = Umgebung("XDG_CONFIG_HOME");
  return p.empty() ? HomeOrdner() / ".config" : p;
#endif
}

void ShellOeffnen(const fs::path& datei, const std::string& parameter, const fs::path& verzeichnis, int anzeige) {
#ifdef _WIN32
  std::wstring par(parameter.begin(), parameter.end());
  ShellExecuteW(nullptr, nullptr, datei.wstring().c_str(), par.empty() ? nullptr : par.c_str(),
                verzeichnis.empty() ? nullptr : verzeichnis.wstring().c_str(), anzeige);
#else
  (void)parameter;
  (void)verzeichnis;
  (void)anzeige;
  std::string befehl = "xdg-open '";
  for (char c : datei.string()) {
    if (c == '\'')
      befehl += "'\\''";
    else
      befehl.push_back(c);
  }
  befehl += "' >/dev/null 2>&1 &";
  int ergebnis = std::system(befehl.c_str());
  (void)ergebnis;
#endif
}

#ifdef _WIN32
const Zeichengewichte* DeutscheZeichengewichte() { return nullptr; }

void SortierschluesselAnhaengen(std::string_view ansi, std::string& ziel) {
  // One process, one thread: the buffers serve every key in turn.
  static std::u16string text;
  static std::string puffer;
  AnsiNachUtf16(ansi, text);
  const auto* quelle = reinterpret_cast<const wchar_t*>(text.c_str());
  const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
  const int n = LCMapStringEx(L"de-DE", flags, quelle, static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr, 0);
  if (n <= 0) {
    ziel += Grossschrift(ansi);
    return;
  }
  if (puffer.size() < static_cast<std::size_t>(n)) puffer.resize(static_cast<std::size_t>(n));
  LCMapStringEx(L"de-DE", flags, quelle, static_cast<int>(text.size()), reinterpret_cast<LPWSTR>(puffer.data()), n,
                nullptr, nullptr, 0);
  std::size_t laenge = static_cast<std::size_t>(n);
  while (laenge > 0 && puffer[laenge - 1] == '\0') --laenge;
  ziel.append(puffer.data(), laenge);
}
#else
namespace {
struct CollatorLoeschen {
  void operator()(UCollator* c) const { ucol_close(c); }
};

UCollator* DeutscherCollator() {
  static std::unique_ptr<UCollator, CollatorLoeschen> collator = [] {
    UErrorCode status = U_ZERO_ERROR;
    UCollator* c = ucol_open("de_DE", &status);
    if (U_FAILURE(status)) c = nullptr;
    if (c) ucol_setStrength(c, UCOL_SECONDARY);
    return std::unique_ptr<UCollator, CollatorLoeschen>(c);
  }();
  return collator.get();
}
}  // namespace

void SortierschluesselAnhaengen(std::string_view ansi, std::string& ziel) {
  UCollator* c = DeutscherCollator();
  if (!c) {
    ziel += Grossschrift(ansi);
    return;
  }
  // One process, one thread: the buffers serve every key in turn.
  static std::u16string text;
  static std::string puffer(1024, '\0');
  AnsiNachUtf16(ansi, text);
  const auto* quelle = reinterpret_cast<const UChar*>(text.data());
  const auto laenge = static_cast<int32_t>(text.size());
  int32_t n = ucol_getSortKey(c, quelle, laenge, reinterpret_cast<uint8_t*>(puffer.data()),
                              static_cast<int32_t>(puffer.size()));
  if (n > static_cast<int32_t>(puffer.size())) {
    puffer.resize(static_cast<std::size_t>(n));
    n = ucol_getSortKey(c, quelle, laenge, reinterpret_cast<uint8_t*>(puffer.data()), n);
  }
  // The key ends with a zero byte that is not part of the order.
  if (n > 1) ziel.append(puffer.data(), static_cast<std::size_t>(n - 1));
}

namespace {
// The collation elements of a text as (primary, secondary) weights, each list
// without the ignorable ones. An element too long for 32 bits comes in two
// parts (the second marked as a continuation): primary 16 + 16 bits,
// secondary 8 + 8 bits, put together here.
bool ElementeLesen(UCollator* c, const std::u16string& text, std::vector<std::uint32_t>& primaer,
                   std::vector<std::uint32_t>& sekundaer) {
  UErrorCode status = U_ZERO_ERROR;
  UCollationElements* e =
      ucol_openElements(c, reinterpret_cast<const UChar*>(text.data()), static_cast<int32_t>(text.size()), &status);
  if (U_FAILURE(status)) return false;
  std::vector<std::pair<std::uint32_t, std::uint32_t> > elemente;
  bool gut = true;
  for (;;) {
    const int32_t ce = ucol_next(e, &status);
    if (U_FAILURE(status)) {
      gut = false;
      break;
    }
    if (ce == UCOL_NULLORDER) break;
    const auto wert = static_cast<std::uint32_t>(ce);
    const std::uint32_t p = wert >> 16, s = (wert >> 8) & 0xFFu;
    if ((wert & 0xC0u) == 0xC0u) {
      if (elemente.empty()) {
        gut = false;
        break;
      }
      elemente.back().first |= p;
      elemente.back().second |= s;
    } else {
      elemente.emplace_back(p << 16, s << 8);
    }
  }
  ucol_closeElements(e);
  for (const auto& [p, s] : elemente) {
    if (p != 0 && s == 0) return false;
    if (p != 0) primaer.push_back(p);
    if (s != 0) sekundaer.push_back(s);
  }
  return gut;
}

char16_t ZeichenVon(int b) { return AnsiNachUtf16(std::string(1, static_cast<char>(b)))[0]; }

std::unique_ptr<Zeichengewichte> GewichteAbleiten(UCollator* c) {
  struct Roh {
    std::vector<std::uint32_t> p, s;
  };
  std::vector<Roh> zeichen(256);
  std::vector<std::pair<std::u16string, Roh> > paare;
  for (int b = 0; b < 256; ++b) {
    const std::u16string text(1, static_cast<char16_t>(ZeichenVon(b)));
    if (!ElementeLesen(c, text, zeichen[b].p, zeichen[b].s)) return nullptr;
  }
  // Contractions among these characters: only pairs are taken character by
  // character; a longer one leaves the order to the sort keys.
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<USet, void (*)(USet*)> zusammen(uset_openEmpty(), uset_close);
  ucol_getContractionsAndExpansions(c, zusammen.get(), nullptr, true, &status);
  if (U_FAILURE(status)) return nullptr;
  auto byteVon = [](char16_t z) {
    for (int b = 0; b < 256; ++b)
      if (ZeichenVon(b) == z) return b;
    return -1;
  };
  for (int32_t i = 0; i < uset_getItemCount(zusammen.get()); ++i) {
    UChar32 von = 0, bis = 0;
    std::u16string text(16, u'\0');
    status = U_ZERO_ERROR;
    int32_t n = uset_getItem(zusammen.get(), i, &von, &bis, reinterpret_cast<UChar*>(text.data()),
                             static_cast<int32_t>(text.size()), &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
      text.resize(static_cast<std::size_t>(n));
      status = U_ZERO_ERROR;
      n = uset_getItem(zusammen.get(), i, &von, &bis, reinterpret_cast<UChar*>(text.data()), n, &status);
    }
    if (U_FAILURE(status)) return nullptr;
    if (n <= 0) continue;
    bool alle = true;
    for (int32_t k = 0; k < n; ++k) alle = alle && byteVon(text[k]) >= 0;
    if (!alle) continue;
    if (n != 2) return nullptr;
    Roh roh;
    const std::u16string paar = text.substr(0, 2);
    if (!ElementeLesen(c, paar, roh.p, roh.s)) return nullptr;
    paare.emplace_back(paar, std::move(roh));
  }
  // Ranks in the order of the weights.
  std::vector<std::uint32_t> ps, ss;
  auto sammeln = [&](const Roh& r) {
    ps.insert(ps.end(), r.p.begin(), r.p.end());
    ss.insert(ss.end(), r.s.begin(), r.s.end());
  };
  for (const Roh& r : zeichen) sammeln(r);
  for (const auto& [text, r] : paare) sammeln(r);
  for (auto* v : {&ps, &ss}) {
    std::sort(v->begin(), v->end());
    v->erase(std::unique(v->begin(), v->end()), v->end());
  }
  if (ps.size() > 253 || ss.size() > 254) return nullptr;
  auto eintragen = [&](const Roh& r, Zeichengewichte::Gewichte& g) {
    if (r.p.size() > 3 || r.s.size() > 3) return false;
    for (std::size_t k = 0; k < r.p.size(); ++k)
      g.Primaer[k] = static_cast<std::uint8_t>(2 + (std::lower_bound(ps.begin(), ps.end(), r.p[k]) - ps.begin()));
    for (std::size_t k = 0; k < r.s.size(); ++k)
      g.Sekundaer[k] = static_cast<std::uint8_t>(1 + (std::lower_bound(ss.begin(), ss.end(), r.s[k]) - ss.begin()));
    return true;
  };
  auto gewichte = std::make_unique<Zeichengewichte>();
  for (int b = 0; b < 256; ++b)
    if (!eintragen(zeichen[b], gewichte->Zeichen[b])) return nullptr;
  for (const auto& [text, r] : paare) {
    Zeichengewichte::Paar paar;
    paar.Erstes = static_cast<unsigned char>(byteVon(text[0]));
    paar.Zweites = static_cast<unsigned char>(byteVon(text[1]));
    if (!eintragen(r, paar.G)) return nullptr;
    gewichte->BeginntPaar[paar.Erstes] = true;
    gewichte->Paare.push_back(paar);
  }
  for (int b = 0; b < 256; ++b) {
    const Zeichengewichte::Gewichte& g = gewichte->Zeichen[b];
    if (!gewichte->BeginntPaar[b] && g.Primaer[0] != 0 && g.Primaer[1] == 0) gewichte->Einfach[b] = g.Primaer[0];
  }
  return gewichte;
}
}  // namespace

const Zeichengewichte* DeutscheZeichengewichte() {
  static const std::unique_ptr<Zeichengewichte> gewichte = [] {
    UCollator* c = DeutscherCollator();
    return c ? GewichteAbleiten(c) : nullptr;
  }();
  return gewichte.get();
}
#endif

std::string Sortierschluessel(std::string_view ansi) {
  std::string schluessel;
  SortierschluesselAnhaengen(ansi, schluessel);
  return schluessel;
}

bool IstTerminal(std::FILE* f) {
#ifdef _WIN32
  return _isatty(_fileno(f)) != 0;
#else
  return isatty(fileno(f)) != 0;
#endif
}

}  // namespace davo::app::plattform

namespace davo::app::plattform {

std::vector<std::string> ArgumenteUtf8(int argc, char** argv) {
  std::vector<std::string> argumente;
#ifdef _WIN32
  (void)argv;
  int anzahl = 0;
  LPWSTR* breit = CommandLineToArgvW(GetCommandLineW(), &anzahl);
  if (breit) {
    for (int i = 0; i < anzahl; ++i) {
      const int n = WideCharToMultiByte(CP_UTF8, 0, breit[i], -1, nullptr, 0, nullptr, nullptr);
      std::string s(n > 0 ? static_cast<std::size_t>(n - 1) : 0, '\0');
      if (n > 1) WideCharToMultiByte(CP_UTF8, 0, breit[i], -1, s.data(), n, nullptr, nullptr);
      argumente.push_back(std::move(s));
    }
    LocalFree(breit);
    return argumente;
  }
#endif
  for (int i = 0; i < argc; ++i) argumente.emplace_back(argv[i]);
  return argumente;
}

void KonsoleUtf8() {
#ifdef _WIN32
  SetConsoleOutputCP(CP_UTF8);
  SetConsoleCP(CP_UTF8);
#endif
}

void* GrossHolen(std::size_t n) {
  void* p = nullptr;
#ifdef __linux__
  // Aligned to a large page, and only its whole large pages asked for as
  // such: the rest stays in small pages, which are cleared only where they
  // are touched.
  constexpr std::size_t kSeite = std::size_t{2} << 20;
  if (n >= kSeite) {
    if (posix_memalign(&p, kSeite, n) != 0) p = nullptr;
    if (p) madvise(p, n / kSeite * kSeite, MADV_HUGEPAGE);  // a request only; refused, the pages stay small
  } else {
    p = std::malloc(n > 0 ? n : 1);
  }
#else
  p = std::malloc(n > 0 ? n : 1);
#endif
  if (!p) throw std::bad_alloc();
  return p;
}

void GrossFreigeben(void* p) noexcept { std::free(p); }

}  // namespace davo::app::plattform
