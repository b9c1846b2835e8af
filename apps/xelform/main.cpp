// xelform: converts and shows form files, component resource files and resource files.
#include <cstdio>
#include <vector>

#include "Classes.h"
#include "Format.h"
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
    "  pack [--res32] [--name NAME] OUTPUT INPUT...\n"
    "                                  text forms to a component resource file (one form), or with\n"
    "                                  --res32 to a 32-bit resource file holding each form as an RCDATA\n"
    "                                  resource named by its class (or NAME, for a single form)\n";

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

// Text of a binary form, a component resource file or a text form; empty when the
// data are none of these.
bool AsText(const String& data, String& text) {
  TStringStream in(data);
  switch (TestStreamFormat(&in)) {
    case sofBinary:
      text = ObjectBinaryToText(data);
      return true;
    case sofResource: {
      TStringStream out;
      ObjectResourceToText(&in, &out);
      text = out.DataString();
      return true;
    }
    case sofText:
      text = ObjectBinaryToText(ObjectTextToBinary(data));
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
      if (item.TypeId == RT_RCDATA && AsText(String(item.Data.begin(), item.Data.end()), text))
        std::printf("%s", text.c_str());
    }
    return 0;
  }
  String text;
  if (!AsText(data, text)) throw EReadError(Format("%s is neither a form, a component resource nor a resource file",
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
    if (!AsText(ReadFile(args[0]), text)) throw EReadError(Format("%s is not a form file", {args[0]}));
    Output(text, args.size() == 2 ? args[1] : "");
    return 0;
  }
  if (cmd == "tobinary" && args.size() == 2) {
    WriteFile(args[1], ObjectTextToBinary(ReadFile(args[0])));
    return 0;
  }
  if (cmd == "pack") {
    bool res32 = false;
    String name;
    while (!args.empty() && args[0].rfind("--", 0) == 0) {
      if (args[0] == "--res32") res32 = true;
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
    if (!res32) {
      String binary = ObjectTextToBinary(ReadFile(args[1]));
      TStringStream out;
      Int64 fixup;
      out.WriteResourceHeader(name.empty() ? RootClassName(binary) : name, fixup);
      out.WriteBuffer(binary.data(), static_cast<Int64>(binary.size()));
      out.FixupResourceHeader(fixup);
      WriteFile(output, out.DataString());
      return 0;
    }
    TResourceFile rf;
    for (size_t i = 1; i < args.size(); ++i) {
      String binary = ObjectTextToBinary(ReadFile(args[i]));
      rf.Put(name.empty() ? RootClassName(binary) : name, std::vector<Byte>(binary.begin(), binary.end()));
    }
    rf.SaveToFile(output);
    return 0;
  }
  std::fprintf(stderr, "%s", Usage);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(std::vector<String>(argv + 1, argv + argc));
  } catch (const Exception& e) {
    std::fprintf(stderr, "xelform: %s\n", e.what());
    return 1;
  }
}
