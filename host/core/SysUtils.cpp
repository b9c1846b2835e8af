#include "SysUtils.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <climits>
#include <cstdio>

#include "Format.h"

namespace xel {

TFormatSettings FormatSettings;

namespace {
bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= ' '; }
}  // namespace

String Trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && IsTrimmed(s[b])) ++b;
  while (e > b && IsTrimmed(s[e - 1])) --e;
  return String(s.substr(b, e - b));
}

String TrimLeft(std::string_view s) {
  size_t b = 0;
  while (b < s.size() && IsTrimmed(s[b])) ++b;
  return String(s.substr(b));
}

String TrimRight(std::string_view s) {
  size_t e = s.size();
  while (e > 0 && IsTrimmed(s[e - 1])) --e;
  return String(s.substr(0, e));
}

String UpperCase(std::string_view s) {
  String r(s);
  for (char& c : r) c = UpCase(c);
  return r;
}

String LowerCase(std::string_view s) {
  String r(s);
  for (char& c : r) c = LoCase(c);
  return r;
}

int CompareText(std::string_view a, std::string_view b) {
  size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    int ca = static_cast<unsigned char>(UpCase(a[i]));
    int cb = static_cast<unsigned char>(UpCase(b[i]));
    if (ca != cb) return ca - cb;
  }
  return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (UpCase(a[i]) != UpCase(b[i])) return false;
  return true;
}

int CompareStr(std::string_view a, std::string_view b) {
  size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    int ca = static_cast<unsigned char>(a[i]);
    int cb = static_cast<unsigned char>(b[i]);
    if (ca != cb) return ca - cb;
  }
  return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

String QuotedStr(std::string_view s) {
  String r = "'";
  for (char c : s) {
    r += c;
    if (c == '\'') r += '\'';
  }
  r += '\'';
  return r;
}

String AnsiDequotedStr(std::string_view s, char quote) {
  if (s.size() < 2 || s.front() != quote || s.back() != quote) return String(s);
  String r;
  for (size_t i = 1; i + 1 < s.size(); ++i) {
    r += s[i];
    if (s[i] == quote && i + 2 < s.size() && s[i + 1] == quote) ++i;
  }
  return r;
}

bool IsValidIdent(std::string_view s) {
  auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  if (s.empty() || !alpha(s[0])) return false;
  for (char c : s.substr(1))
    if (!alpha(c) && !(c >= '0' && c <= '9')) return false;
  return true;
}

String StringOfChar(char c, int count) { return count > 0 ? String(static_cast<size_t>(count), c) : String(); }

String StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern, int flags) {
  if (oldPattern.empty()) return String(s);
  String r;
  size_t i = 0;
  bool ic = flags & rfIgnoreCase;
  while (i < s.size()) {
    bool hit = i + oldPattern.size() <= s.size() &&
               (ic ? SameText(s.substr(i, oldPattern.size()), oldPattern) : s.substr(i, oldPattern.size()) == oldPattern);
    if (hit) {
      r += newPattern;
      i += oldPattern.size();
      if (!(flags & rfReplaceAll)) {
        r += s.substr(i);
        return r;
      }
    } else {
      r += s[i++];
    }
  }
  return r;
}

int Pos(std::string_view sub, std::string_view s) {
  if (sub.empty()) return 0;
  size_t p = s.find(sub);
  return p == std::string_view::npos ? 0 : static_cast<int>(p) + 1;
}

String Copy(std::string_view s, int index, int count) {
  if (index < 1) index = 1;
  if (count <= 0 || static_cast<size_t>(index) > s.size()) return {};
  return String(s.substr(static_cast<size_t>(index - 1), static_cast<size_t>(count)));
}

String IntToStr(Int64 value) { return std::to_string(value); }

String IntToHex(Int64 value, int digits) {
  static const char hex[] = "0123456789ABCDEF";
  auto u = static_cast<std::uint64_t>(value);
  String r;
  do {
    r.insert(r.begin(), hex[u & 0xF]);
    u >>= 4;
  } while (u != 0);
  while (static_cast<int>(r.size()) < digits) r.insert(r.begin(), '0');
  return r;
}

bool TryStrToInt64(std::string_view s, Int64& value) {
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool neg = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    neg = s[i] == '-';
    ++i;
  }
  int base = 10;
  if (i < s.size() && s[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= s.size()) return false;
  std::uint64_t acc = 0;
  const std::uint64_t limit = base == 16 ? UINT64_MAX : (neg ? std::uint64_t(INT64_MAX) + 1 : INT64_MAX);
  for (; i < s.size(); ++i) {
    char c = s[i];
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else return false;
    if (acc > (limit - static_cast<std::uint64_t>(d)) / static_cast<std::uint64_t>(base)) return false;
    acc = acc * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
  }
  value = neg ? static_cast<Int64>(0 - acc) : static_cast<Int64>(acc);
  return true;
}

bool TryStrToInt(std::string_view s, Integer& value) {
  Int64 v;
  if (!TryStrToInt64(s, v)) return false;
  // Hexadecimal texts cover the unsigned 32-bit range, as the host's Val does ($FFFFFFFF = -1).
  bool hex = s.find('$') != std::string_view::npos || s.find("0x") != std::string_view::npos ||
             s.find("0X") != std::string_view::npos;
  if (hex && v >= 0 && v <= 0xFFFFFFFFLL) {
    value = static_cast<Integer>(static_cast<std::uint32_t>(v));
    return true;
  }
  if (v < INT32_MIN || v > INT32_MAX) return false;
  value = static_cast<Integer>(v);
  return true;
}

Integer StrToInt(std::string_view s) {
  Integer v;
  if (!TryStrToInt(s, v)) throw EConvertError(Format(SConst::InvalidInteger, {String(s)}));
  return v;
}

Integer StrToIntDef(std::string_view s, Integer def) {
  Integer v;
  return TryStrToInt(s, v) ? v : def;
}

Int64 StrToInt64(std::string_view s) {
  Int64 v;
  if (!TryStrToInt64(s, v)) throw EConvertError(Format(SConst::InvalidInteger, {String(s)}));
  return v;
}

Int64 StrToInt64Def(std::string_view s, Int64 def) {
  Int64 v;
  return TryStrToInt64(s, v) ? v : def;
}

String ChangeFileExt(std::string_view fileName, std::string_view ext) {
  String ext0 = ExtractFileExt(fileName);
  return String(fileName.substr(0, fileName.size() - ext0.size())) + String(ext);
}

String ExtractFilePath(std::string_view fileName) {
  size_t p = fileName.rfind(PathDelim);
  return p == std::string_view::npos ? String() : String(fileName.substr(0, p + 1));
}

String ExtractFileDir(std::string_view fileName) {
  size_t p = fileName.rfind(PathDelim);
  if (p == std::string_view::npos) return {};
  if (p == 0) return "/";
  return String(fileName.substr(0, p));
}

String ExtractFileName(std::string_view fileName) {
  size_t p = fileName.rfind(PathDelim);
  return String(p == std::string_view::npos ? fileName : fileName.substr(p + 1));
}

String ExtractFileExt(std::string_view fileName) {
  size_t slash = fileName.rfind(PathDelim);
  size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
  return String(fileName.substr(dot));
}

String IncludeTrailingPathDelimiter(std::string_view s) {
  String r(s);
  if (r.empty() || r.back() != PathDelim) r += PathDelim;
  return r;
}

String ExcludeTrailingPathDelimiter(std::string_view s) {
  String r(s);
  if (r.size() > 1 && r.back() == PathDelim) r.pop_back();
  return r;
}

String GetCurrentDir() {
  std::vector<char> buf(4096);
  if (!getcwd(buf.data(), buf.size())) return {};
  return String(buf.data());
}

String ExpandFileName(std::string_view fileName) {
  String path = (!fileName.empty() && fileName[0] == '/') ? String(fileName)
                                                          : IncludeTrailingPathDelimiter(GetCurrentDir()) + String(fileName);
  // Fold "." and ".." segments.
  std::vector<String> parts;
  size_t i = 0;
  while (i <= path.size()) {
    size_t j = path.find('/', i);
    if (j == String::npos) j = path.size();
    String seg = path.substr(i, j - i);
    if (seg == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!seg.empty() && seg != ".") {
      parts.push_back(seg);
    }
    i = j + 1;
  }
  String r;
  for (auto& p : parts) r += "/" + p;
  if (r.empty()) r = "/";
  if (path.size() > 1 && path.back() == '/' && r != "/") r += '/';
  return r;
}

bool FileExists(const String& fileName) {
  struct stat st;
  return stat(fileName.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const String& dir) {
  struct stat st;
  return stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool DeleteFile(const String& fileName) { return unlink(fileName.c_str()) == 0; }

bool RenameFile(const String& oldName, const String& newName) {
  return std::rename(oldName.c_str(), newName.c_str()) == 0;
}

bool CreateDir(const String& dir) { return mkdir(dir.c_str(), 0777) == 0; }

bool ForceDirectories(const String& dir) {
  String d = ExcludeTrailingPathDelimiter(dir);
  if (d.empty()) return false;
  if (DirectoryExists(d)) return true;
  String parent = ExtractFileDir(d);
  if (!parent.empty() && parent != d && !ForceDirectories(parent)) return false;
  return CreateDir(d) || DirectoryExists(d);
}

String ReadTextFile(const String& fileName, bool mustExist) {
  std::FILE* f = std::fopen(fileName.c_str(), "rb");
  if (!f) {
    if (!mustExist && errno == ENOENT) return {};
    throw EFOpenError(Format("Cannot open file \"%s\". %s", {fileName, String(std::strerror(errno))}));
  }
  String text;
  char buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
  bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) throw EReadError(Format("Cannot read file \"%s\"", {fileName}));
  return text;
}

void WriteFileAtomically(const String& fileName, std::string_view data) {
  String temp = fileName + ".tmp" + IntToStr(getpid());
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  bool ok = f != nullptr;
  if (ok) {
    ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
    ok = std::fflush(f) == 0 && ok;
    ok = ::fsync(fileno(f)) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
  }
  if (!ok || std::rename(temp.c_str(), fileName.c_str()) != 0) {
    int err = errno;
    std::remove(temp.c_str());
    throw EFCreateError(Format("Cannot create file \"%s\". %s", {fileName, String(std::strerror(err))}));
  }
}

}  // namespace xel
