#include "Types.h"

#include <cmath>

namespace xel {

Currency Currency::FromDouble(double v) {
  return FromScaled(static_cast<Int64>(std::llround(v * 10000.0)));
}

WideString Utf8ToWide(std::string_view s) {
  WideString out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    char32_t cp = 0xFFFD;
    size_t len = 1;
    if (c < 0x80) {
      cp = c;
    } else if ((c >> 5) == 0x6 || (c >> 4) == 0xE || (c >> 3) == 0x1E) {
      len = (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : 4;
      if (i + len <= s.size()) {
        char32_t v = c & (0x3F >> (len - 1));
        bool ok = true;
        for (size_t k = 1; k < len; ++k) {
          unsigned char cc = static_cast<unsigned char>(s[i + k]);
          if ((cc >> 6) != 0x2) { ok = false; break; }
          v = (v << 6) | (cc & 0x3F);
        }
        static const char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
        if (ok && v >= minimum[len] && v <= 0x10FFFF && !(v >= 0xD800 && v <= 0xDFFF))
          cp = v;
        else
          len = 1;
      } else {
        len = 1;
      }
    }
    i += len;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

String WideToUtf8(std::u16string_view s) {
  String out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    char32_t cp = s[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

}  // namespace xel
