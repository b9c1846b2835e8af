#include "GlottaFrames.h"

#include "Application.h"
#include "Expand.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /runtime/GlottaFrames.cpp 1 10.12.26 6:45 XG $")

namespace xel {

TLanguageFrame::TLanguageFrame(TLanguageFrames* frames, const String& name) : FFrames(frames), FName(Trim(name)) {
  if (!frames) return;
  if (!IsDesigning())
    FLanguage = frames->Count() > 0 ? frames->Items(frames->Count() - 1)->FLanguage : frames->FStartupLanguage;
  frames->Add(this);
}

TLanguageFrame::~TLanguageFrame() {
  if (FFrames) {
    FFrames->FStartupLanguage = FLanguage;
    FFrames->FStartupDefined = true;
  }
}

void TLanguageFrame::AddNotify(const TLanguageNotify& notify) {
  if (notify.Assigned() && !Exists(notify)) FNotifies.Add(notify.GetMethod());
}

bool TLanguageFrame::DelNotify(const TLanguageNotify& notify) { return FNotifies.Remove(notify.GetMethod()) >= 0; }

bool TLanguageFrame::Exists(const TLanguageNotify& notify) const {
  return notify.Assigned() && FNotifies.IndexOf(notify.GetMethod()) >= 0;
}

bool TLanguageFrame::SetLanguageAction(const TLanguageNotify& notify, const String& language, TActionMode action) {
  if (!Exists(notify)) return false;
  if (action == amBeforeChange && SameText(language, FLanguage)) return false;
  if (action == amSetLanguage) FLanguage = language;
  // Members may leave or join while they are called: the phase goes to the members it
  // began with that are still members, each once.
  std::vector<TMethod> members;
  members.reserve(static_cast<size_t>(FNotifies.Count()));
  for (int i = 0; i < FNotifies.Count(); ++i) members.push_back(FNotifies.Items(i));
  ++FSwitching;
  TFinally done([this] { --FSwitching; });
  for (const TMethod& m : members) {
    if (FNotifies.IndexOf(m) < 0) continue;
    // Handlers are members of TObject descendants: the object pointer is the sender.
    auto* sender = static_cast<TObject*>(m.Data);
    try {
      TLanguageNotify::FromMethod(m)(sender, language, action);
    } catch (const ELanguageNotFound& e) {
      DebugTrace("SetLanguageAction error: " + e.Message());
    } catch (const std::exception& e) {
      DebugTrace("SetLanguageAction error: " + String(e.what()));
      Application->HandleException(sender);
    }
  }
  return true;
}

bool TLanguageFrame::SetLanguage(const TLanguageNotify& notify, const String& language) {
  ++FSwitching;
  TFinally done([this] { --FSwitching; });
  if (!SetLanguageAction(notify, language, amBeforeChange)) return false;
  SetLanguageAction(notify, language, amSetLanguage);
  SetLanguageAction(notify, language, amChange);
  SetLanguageAction(notify, language, amAfterChange);
  return true;
}

bool TLanguageFrames::GetFrame(const TLanguageNotify& notify, TLanguageFrame*& frame) const {
  frame = nullptr;
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Exists(notify)) {
      frame = Items(i);
      return true;
    }
  return false;
}

bool TLanguageFrames::GetLanguage(const TLanguageNotify& notify, String& language) const {
  language.clear();
  TLanguageFrame* frame;
  if (!GetFrame(notify, frame)) return false;
  language = frame->Language();
  return true;
}

bool TLanguageFrames::SetLanguage(const TLanguageNotify& notify, const String& language) {
  TLanguageFrame* frame;
  if (!GetFrame(notify, frame)) return false;
  frame->SetLanguage(notify, language);
  // Its last member left during the switch.
  if (frame->Empty() && IndexOf(frame) >= 0) Remove(frame);
  return true;
}

bool TLanguageFrames::AddNotify(const String& domain, bool topLevel, const TLanguageNotify& notify) {
  if (!notify.Assigned()) return false;
  DelNotify(notify);
  String d = Trim(domain);
  TLanguageFrame* target = nullptr;
  bool created = false;
  if (!d.empty()) {
    for (int i = 0; i < Count() && !target; ++i)
      if (SameText(Items(i)->Name(), d)) {
        target = Items(i);
        target->SetName(d);
      }
  } else if (!topLevel && Count() > 0) {
    target = Items(Count() - 1);
  }
  if (!target) {
    target = new TLanguageFrame(this, d);
    created = true;
  }
  target->AddNotify(notify);
  return created;
}

bool TLanguageFrames::DelNotify(const TLanguageNotify& notify) {
  TLanguageFrame* frame;
  if (!GetFrame(notify, frame)) return false;
  frame->DelNotify(notify);
  if (frame->Empty() && !frame->Switching()) Remove(frame);
  return true;
}

bool TLanguageFrames::DefineStartupLanguage(const String& language, bool final) {
  bool could = CanDefineStartupLanguage();
  if (could) {
    FStartupLanguage = Trim(language);
    if (final) FStartupDefined = true;
  }
  return could;
}

}  // namespace xel
