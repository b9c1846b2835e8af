#include "Platform.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <random>

#include "Format.h"

namespace xel {

String GetTempDir() {
  const char* t = std::getenv("TMPDIR");
  String dir = t && *t ? t : "/tmp";
  return IncludeTrailingPathDelimiter(dir);
}

String GetTempFileName(const String& dir, const String& prefix) {
  String base = IncludeTrailingPathDelimiter(dir.empty() ? GetTempDir() : dir);
  String pattern = base + prefix + "XXXXXX";
  std::vector<char> buf(pattern.begin(), pattern.end());
  buf.push_back('\0');
  int fd = mkstemp(buf.data());
  if (fd < 0) throw EInOutError(Format("Cannot create a temporary file in %s", {base}), errno);
  ::close(fd);
  return String(buf.data());
}

String GetUserName() {
  if (struct passwd* pw = getpwuid(geteuid()); pw && pw->pw_name) return pw->pw_name;
  const char* u = std::getenv("USER");
  return u ? u : "";
}

String GetComputerName() {
  char buf[256] = {0};
  if (gethostname(buf, sizeof buf - 1) != 0) return {};
  return buf;
}

TGUID CreateGUID() {
  TGUID g;
  std::random_device rd;
  for (size_t i = 0; i < 16; i += 4) {
    std::uint32_t r = rd();
    for (size_t k = 0; k < 4; ++k) g.Bytes[i + k] = static_cast<Byte>(r >> (8 * k));
  }
  g.Bytes[7] = static_cast<Byte>((g.Bytes[7] & 0x0F) | 0x40);  // version 4 (Data3's high byte)
  g.Bytes[8] = static_cast<Byte>((g.Bytes[8] & 0x3F) | 0x80);  // variant
  return g;
}

// The registry form prints Data1, Data2 and Data3 as little-endian numbers, then Data4 as bytes.
String GUIDToString(const TGUID& guid) {
  const auto& b = guid.Bytes;
  auto hex = [](Byte v) { return IntToHex(v, 2); };
  String s = "{";
  for (int i : {3, 2, 1, 0}) s += hex(b[static_cast<size_t>(i)]);
  s += "-" + hex(b[5]) + hex(b[4]) + "-" + hex(b[7]) + hex(b[6]) + "-" + hex(b[8]) + hex(b[9]) + "-";
  for (size_t i = 10; i < 16; ++i) s += hex(b[i]);
  return s + "}";
}

TGUID StringToGUID(std::string_view s) {
  auto bad = [&] { return EConvertError(Format("'%s' is not a valid GUID value", {String(s)})); };
  if (s.size() != 38 || s[0] != '{' || s[37] != '}' || s[9] != '-' || s[14] != '-' || s[19] != '-' || s[24] != '-')
    throw bad();
  auto byteAt = [&](size_t pos) -> Byte {
    Integer v;
    if (!TryStrToInt("$" + String(s.substr(pos, 2)), v) || s[pos] == '-' || s[pos + 1] == '-') throw bad();
    return static_cast<Byte>(v);
  };
  TGUID g;
  auto& b = g.Bytes;
  b[3] = byteAt(1); b[2] = byteAt(3); b[1] = byteAt(5); b[0] = byteAt(7);
  b[5] = byteAt(10); b[4] = byteAt(12);
  b[7] = byteAt(15); b[6] = byteAt(17);
  b[8] = byteAt(20); b[9] = byteAt(22);
  for (size_t i = 0; i < 6; ++i) b[10 + i] = byteAt(25 + 2 * i);
  return g;
}

namespace {

struct TLangCode {
  const char* Iso;
  Word Primary;
};

// ISO 639-1 codes and the Windows primary language identifiers.
constexpr TLangCode LangCodes[] = {
    {"ar", 0x01}, {"bg", 0x02}, {"ca", 0x03}, {"zh", 0x04}, {"cs", 0x05}, {"da", 0x06}, {"de", 0x07},
    {"el", 0x08}, {"en", 0x09}, {"es", 0x0A}, {"fi", 0x0B}, {"fr", 0x0C}, {"he", 0x0D}, {"hu", 0x0E},
    {"is", 0x0F}, {"it", 0x10}, {"ja", 0x11}, {"ko", 0x12}, {"nl", 0x13}, {"no", 0x14}, {"nb", 0x14},
    {"nn", 0x14}, {"pl", 0x15}, {"pt", 0x16}, {"rm", 0x17}, {"ro", 0x18}, {"ru", 0x19}, {"hr", 0x1A},
    {"sr", 0x1A}, {"bs", 0x1A}, {"sk", 0x1B}, {"sq", 0x1C}, {"sv", 0x1D}, {"th", 0x1E}, {"tr", 0x1F},
    {"ur", 0x20}, {"id", 0x21}, {"uk", 0x22}, {"be", 0x23}, {"sl", 0x24}, {"et", 0x25}, {"lv", 0x26},
    {"lt", 0x27}, {"tg", 0x28}, {"fa", 0x29}, {"vi", 0x2A}, {"hy", 0x2B}, {"az", 0x2C}, {"eu", 0x2D},
    {"mk", 0x2F}, {"af", 0x36}, {"ka", 0x37}, {"fo", 0x38}, {"hi", 0x39}, {"mt", 0x3A}, {"ga", 0x3C},
    {"ms", 0x3E}, {"kk", 0x3F}, {"ky", 0x40}, {"sw", 0x41}, {"uz", 0x43}, {"tt", 0x44}, {"bn", 0x45},
    {"pa", 0x46}, {"gu", 0x47}, {"ta", 0x49}, {"te", 0x4A}, {"kn", 0x4B}, {"ml", 0x4C}, {"mr", 0x4E},
    {"sa", 0x4F}, {"mn", 0x50}, {"cy", 0x52}, {"km", 0x53}, {"lo", 0x54}, {"gl", 0x56}, {"ne", 0x61},
    {"ps", 0x63}, {"tl", 0x64}, {"yo", 0x6A},
};

struct TSubLang {
  const char* Locale;
  Word Sub;
};

// Countries whose sublanguage is not the default (1).
constexpr TSubLang SubLangs[] = {
    {"de_CH", 2}, {"de_AT", 3}, {"de_LU", 4}, {"de_LI", 5}, {"en_GB", 2}, {"en_AU", 3}, {"en_CA", 4},
    {"en_NZ", 5}, {"en_IE", 6}, {"en_ZA", 7}, {"fr_BE", 2}, {"fr_CA", 3}, {"fr_CH", 4}, {"fr_LU", 5},
    {"es_ES", 3}, {"es_MX", 2}, {"it_CH", 2}, {"nl_BE", 2}, {"pt_PT", 2}, {"zh_CN", 2}, {"zh_HK", 3},
    {"zh_SG", 4}, {"sv_FI", 2}, {"nn_NO", 2},
};

}  // namespace

LANGID LocaleToLangID(std::string_view locale) {
  String l(locale.substr(0, locale.find_first_of(".@")));
  if (l.empty() || l == "C" || l == "POSIX") return MakeLangID(0x09, 1);
  String iso = LowerCase(l.substr(0, l.find('_')));
  for (const TLangCode& c : LangCodes)
    if (iso == c.Iso) {
      for (const TSubLang& s : SubLangs)
        if (SameText(l, s.Locale)) return MakeLangID(c.Primary, s.Sub);
      return MakeLangID(c.Primary, 1);
    }
  return MakeLangID(0x00, 1);
}

LANGID GetUserDefaultLangID() {
  for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* v = std::getenv(var);
    if (v && *v) return LocaleToLangID(v);
  }
  return LocaleToLangID("C");
}

bool FileIsReadOnly(const String& fileName) {
  struct stat st;
  return stat(fileName.c_str(), &st) == 0 && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

bool FileSetReadOnly(const String& fileName, bool readOnly) {
  struct stat st;
  if (stat(fileName.c_str(), &st) != 0) return false;
  mode_t mode = st.st_mode & 07777;
  if (readOnly) {
    mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
  } else {
    mode_t mask = umask(0);
    umask(mask);
    mode |= (S_IWUSR | S_IWGRP | S_IWOTH) & ~mask;
  }
  return chmod(fileName.c_str(), mode) == 0;
}

Int64 DiskFree(const String& path) {
  struct statvfs st;
  if (statvfs(path.empty() ? "." : path.c_str(), &st) != 0) return -1;
  return static_cast<Int64>(st.f_bavail) * static_cast<Int64>(st.f_frsize);
}

String GetModuleFileName() {
  std::vector<char> buf(4096);
  ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size() - 1);
  if (n <= 0) return {};
  return String(buf.data(), static_cast<size_t>(n));
}

}  // namespace xel
