// xelform: converts, shows and checks form files, component resource files and resource
// files. Its errors name the file and the place: line and column of a text form, byte
// offset and component path of a binary one.
#include <cstdio>
#include <vector>

#include "Classes.h"
#include "FormCheck.h"
#include "Format.h"
#include "Glotta.h"
#include "HeadlessWidgetSet.h"
#include "LogFile.h"
#include "RegisterControls.h"
#include "ResFile.h"
#include "TextForms.h"

using namespace xel;

namespace {

const char* const Usage =
    "usage: xelform COMMAND ...\n"
    "\n"
    "  show FILE                       show a form, component resource or .res/.lng file as text\n"
    "  totext INPUT [OUTPUT]           binary form or component resource to text (stdout without OUTPUT)\n"
    "  tobinary INPUT OUTPUT           text form to binary form\n"
    "  check FILE...                   reads each form as its application would and reports unknown\n"
    "                                  classes and properties, references to missing components and\n"
    "                                  language data that do not fit the form\n"
    "  pack [--res32] [--name NAME] [--no-check] OUTPUT INPUT...\n"
    "                                  text forms to a component resource file (one form), or with\n"
    "                                  --res32 to a 32-bit resource file holding each form as an RCDATA\n"
    "                                  resource named by its class (or NAME, for a single form); the\n"
    "                                  forms are checked first (classes not known here are warnings)\n"
    "                                  unless --no-check is given\n"
    "\n"
    "Exit codes: 0 ok, 1 an error in a file (nothing is written), 2 usage.\n";

// The issues of a file on stderr; whether one of them is an error.
bool Report(const String& fileName, const std::vector<TFormIssue>& issues, bool unknownClassIsError) {
  bool failed = false;
  for (const TFormIssue& issue : issues) {
    std::fprintf(stderr, "%s\n", FormIssueText(fileName, issue, unknownClassIsError).c_str());
    if (issue.Level == TFormIssue::Error || (issue.Level == TFormIssue::UnknownClass && unknownClassIsError))
      failed = true;
  }
  return failed;
}

// An error of a file at its place: the tool prints it as it stands and fails.
struct TFileError {
  String FileName;
  TFormIssue Issue;
};

String ReadFile(const String& name) {
  TMemoryStream m;
  m.LoadFromFile(name);
  return String(reinterpret_cast<const char*>(m.Memory()), static_cast<size_t>(m.Size()));
}

void WriteFile(const String& name, std::string_view data) {
  TFileStream f(name, fmCreate);
  f.WriteBuffer(data.data(), static_cast<Int64>(data.size()));
}

void Output(const String& text, const String& fileName) {
  if (fileName.empty()) std::fwrite(text.data(), 1, text.size(), stdout);
  else WriteFile(fileName, text);
}

// The text of a binary form, raising the error at its place in the file: base is where the
// binary begins there.
String BinaryAsText(const String& binary, const String& fileName, const String& resource, Int64 base) {
  TReader::TReadPlace place;
  try {
    return ObjectBinaryToText(binary, &place);
  } catch (const Exception& e) {
    TFormIssue issue;
    issue.Offset = base + place.Position;
    issue.Path = place.Path;
    issue.Resource = resource;
    issue.Message = e.Message();
    throw TFileError{fileName, issue};
  }
}

// Text of a binary form, a component resource file or a text form; false when the data
// are none of these.
bool AsText(const String& data, String& text, const String& fileName, const String& resource = {}) {
  TStringStream in(data);
  switch (TestStreamFormat(&in)) {
    case sofBinary:
      text = BinaryAsText(data, fileName, resource, 0);
      return true;
    case sofResource: {
      in.ReadResHeader();
      const Int64 base = in.Position();
      text = BinaryAsText(data.substr(static_cast<size_t>(base)), fileName, resource, base);
      return true;
    }
    case sofText:
      try {
        text = ObjectBinaryToText(ObjectTextToBinary(data));
      } catch (const EParserError& e) {
        throw TFileError{fileName, ParserErrorIssue(e)};
      }
      return true;
    default:
      return false;
  }
}

int Show(const String& fileName) {
  String data = ReadFile(fileName);
  const auto* bytes = reinterpret_cast<const Byte*>(data.data());
  if (IsResourceImage(bytes, data.size())) {
    TStringStream in(data);
    TResourceFile rf;
    rf.LoadFromStream(&in);
    for (const TResItem& item : rf.Items) {
      String type = item.TypeName.empty() ? (item.TypeId == RT_RCDATA ? String("RCDATA") : "#" + IntToStr(item.TypeId))
                                          : item.TypeName;
      String name = item.Name.empty() ? "#" + IntToStr(item.NameId) : item.Name;
      std::printf("%s %s (%d bytes)\n", type.c_str(), name.c_str(), static_cast<int>(item.Data.size()));
      String text;
      if (item.TypeId == RT_RCDATA && AsText(String(item.Data.begin(), item.Data.end()), text, fileName, name))
        std::printf("%s", text.c_str());
    }
    return 0;
  }
  String text;
  if (!AsText(data, text, fileName)) throw EReadError(Format("%s is neither a form, a component resource nor a resource file",
                                                   {fileName}));
  Output(text, "");
  return 0;
}

int Run(std::vector<String> args) {
  if (args.empty() || args[0] == "--help" || args[0] == "-h") {
    std::printf("%s", Usage);
    return args.empty() ? 2 : 0;
  }
  String cmd = args[0];
  args.erase(args.begin());
  if (cmd == "show" && args.size() == 1) return Show(args[0]);
  if (cmd == "totext" && (args.size() == 1 || args.size() == 2)) {
    String text;
    if (!AsText(ReadFile(args[0]), text, args[0])) throw EReadError(Format("%s is not a form file", {args[0]}));
    Output(text, args.size() == 2 ? args[1] : "");
    return 0;
  }
  if (cmd == "tobinary" && args.size() == 2) {
    std::vector<TFormIssue> issues;
    String binary = TextFormFileToBinary(args[0], issues);
    if (Report(args[0], issues, true)) return 1;
    WriteFile(args[1], binary);
    return 0;
  }
  if (cmd == "check" && !args.empty()) {
    bool failed = false;
    for (const String& file : args)
      if (Report(file, CheckFormFile(file), true)) failed = true;
    return failed ? 1 : 0;
  }
  if (cmd == "pack") {
    bool res32 = false, check = true;
    String name;
    while (!args.empty() && args[0].rfind("--", 0) == 0) {
      if (args[0] == "--res32") res32 = true;
      else if (args[0] == "--no-check") check = false;
      else if (args[0] == "--name" && args.size() > 1) {
        name = args[1];
        args.erase(args.begin());
      } else {
        throw EConvertError(Format("unknown option %s", {args[0]}));
      }
      args.erase(args.begin());
    }
    if (args.size() < 2 || (!res32 && args.size() != 2) || (!name.empty() && args.size() != 2)) {
      std::fprintf(stderr, "%s", Usage);
      return 2;
    }
    String output = args[0];
    // Every form is read (and checked) before anything is written.
    std::vector<String> binaries;
    bool failed = false;
    for (size_t i = 1; i < args.size(); ++i) {
      std::vector<TFormIssue> issues;
      String binary;
      if (check) issues = CheckFormFile(args[i], &binary);
      else binary = TextFormFileToBinary(args[i], issues);
      if (Report(args[i], issues, false) || binary.empty()) failed = true;
      binaries.push_back(binary);
    }
    if (failed) return 1;
    if (!res32) {
      const String& binary = binaries[0];
      TStringStream out;
      Int64 fixup;
      out.WriteResourceHeader(name.empty() ? RootClassName(binary) : name, fixup);
      out.WriteBuffer(binary.data(), static_cast<Int64>(binary.size()));
      out.FixupResourceHeader(fixup);
      WriteFile(output, out.DataString());
      return 0;
    }
    TResourceFile rf;
    for (const String& binary : binaries)
      rf.Put(name.empty() ? RootClassName(binary) : name, std::vector<Byte>(binary.begin(), binary.end()));
    rf.SaveToFile(output);
    return 0;
  }
  std::fprintf(stderr, "%s", Usage);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    // The classes of the framework and the package: forms are read against them.
    RegisterCoreClasses();
    RegisterControlClasses();
    RegisterGlottaClasses();
    RegisterLogFileClasses();
    InstallHeadlessWidgetSet();
    return Run(std::vector<String>(argv + 1, argv + argc));
  } catch (const TFileError& e) {
    std::fprintf(stderr, "%s\n", FormIssueText(e.FileName, e.Issue, true).c_str());
    return 1;
  } catch (const Exception& e) {
    std::fprintf(stderr, "xelform: %s\n", e.what());
    return 1;
  }
}
