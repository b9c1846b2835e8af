#include "VersionControl.h"

#include <mutex>
#include <vector>

namespace xel {

namespace {
std::mutex& Lock() {
  static std::mutex m;
  return m;
}
// The registry exists before any unit registers, with this unit's own header first.
std::vector<const char*>& Headers() {
  static std::vector<const char*> h{"$Header: /toollib/VersionControl.cpp 2 10.12.26 15:20 XG $"};
  return h;
}
}  // namespace

void UnitVersion(const char* header) {
  std::lock_guard<std::mutex> lock(Lock());
  Headers().push_back(header);
}

void GetUnitVersions(TStrings* strings) {
  std::lock_guard<std::mutex> lock(Lock());
  for (const char* h : Headers()) strings->Add(h);
}

bool ExtractHeader(std::string_view header, TUnitHeader& out) {
  out = TUnitHeader{};
  if (header.find("$Header: /") == std::string_view::npos || header.size() < 11 ||
      header.substr(header.size() - 2) != " $")
    return false;
  String rest(header.substr(9, header.size() - 10));  // the path and fields, then a blank
  // The four last words, from the end: author, time, date, revision.
  for (String* field : {&out.Author, &out.TimeText, &out.DateText, &out.Revision}) {
    size_t end = rest.find_last_not_of(' ');
    if (end == String::npos) return false;
    size_t blank = rest.rfind(' ', end);
    if (blank == String::npos) return false;
    *field = Trim(rest.substr(blank + 1, end - blank));
    rest.resize(blank);
  }
  out.Path = Trim(rest);
  out.FileName = ExtractFileName(out.Path);
  // Dates as German (05.07.99 9:03) or American (07/05/99 9:03a) check-ins wrote them.
  struct TConvention {
    char DateSeparator;
    const char* DateFormat;
  };
  const TConvention conventions[] = {{'.', "dd/mm/yy"}, {'/', "mm/dd/yy"}};
  String time = out.TimeText;
  if (!time.empty() && (UpCase(time.back()) == 'A' || UpCase(time.back()) == 'P')) time += 'm';
  for (const TConvention& c : conventions) {
    TFormatSettings fs;
    fs.DateSeparator = c.DateSeparator;
    fs.ShortDateFormat = c.DateFormat;
    TDateTime d, t;
    if (TryStrToDate(out.DateText, d, fs) && TryStrToTime(time, t, fs)) {
      out.DateTime = TDateTime(d.Value() + t.Value());
      break;
    }
  }
  return true;
}

}  // namespace xel
