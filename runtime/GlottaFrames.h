// Language frames: groups of switch handlers that always share one language.
#pragma once

#include "ClassList.h"
#include "MethodList.h"

namespace xel {

// The four phases of a switch, in the order in which they run.
XEL_ENUM(TActionMode, amBeforeChange, amSetLanguage, amChange, amAfterChange)
// A frame member's switch handler.
XEL_EVENT(TLanguageNotify, TObject* /*Sender*/, const String& /*Language*/, TActionMode /*Action*/);
XEL_EXCEPTION(ELanguageNotFound, Exception);

class TLanguageFrames;

class TLanguageFrame : public TObject {
  XEL_CLASS(TLanguageFrame, TObject)
public:
  // Joins frames (when given) and starts in the language of its last frame, or in its
  // startup language when it is the first; inside the designer without a language.
  TLanguageFrame(TLanguageFrames* frames, const String& name);
  // Leaves its language to the list as the final startup language.
  ~TLanguageFrame() override;

  TLanguageFrames* Frames() const { return FFrames; }
  const String& Name() const { return FName; }
  void SetName(const String& v) { FName = v; }
  const String& Language() const { return FLanguage; }
  void SetLanguage(const String& v) { FLanguage = v; }
  const TMethodList& Notifies() const { return FNotifies; }

  void AddNotify(const TLanguageNotify& notify);
  bool DelNotify(const TLanguageNotify& notify);
  bool Exists(const TLanguageNotify& notify) const;
  bool Empty() const { return FNotifies.Count() == 0; }
  bool Hidden() const { return !FName.empty() && FName[0] == '.'; }
  // One phase over all members; false when notify is no member, or for amBeforeChange
  // when the language is the frame's already (ignoring case).
  bool SetLanguageAction(const TLanguageNotify& notify, const String& language, TActionMode action);
  // A whole switch: the four phases, or nothing.
  bool SetLanguage(const TLanguageNotify& notify, const String& language);
  // While a switch of the frame runs, members may leave (and free their forms); the frame
  // itself stays until the switch is over.
  bool Switching() const { return FSwitching > 0; }

private:
  TLanguageFrames* FFrames;
  int FSwitching = 0;
  TMethodList FNotifies;
  String FName;
  String FLanguage;
};

class TLanguageFrames : public TClassList {
  XEL_CLASS(TLanguageFrames, TClassList)
public:
  TLanguageFrames() : TClassList(true) {}
  // The frames go while the list's own fields, which they write to, still exist.
  ~TLanguageFrames() override { Clear(); }
  TLanguageFrame* Items(int index) const { return static_cast<TLanguageFrame*>(TClassList::Items(index)); }

  bool GetFrame(const TLanguageNotify& notify, TLanguageFrame*& frame) const;
  bool GetLanguage(const TLanguageNotify& notify, String& language) const;
  bool SetLanguage(const TLanguageNotify& notify, const String& language);
  // Places notify in the frame of its domain, or (without domain) in the last frame unless
  // it is top-level; true when a frame was created for it.
  bool AddNotify(const String& domain, bool topLevel, const TLanguageNotify& notify);
  bool DelNotify(const TLanguageNotify& notify);
  bool CanDefineStartupLanguage() const { return !FStartupDefined && Count() == 0; }
  bool DefineStartupLanguage(const String& language, bool final);

  const String& StartupLanguage() const { return FStartupLanguage; }
  bool StartupDefined() const { return FStartupDefined; }

private:
  friend class TLanguageFrame;
  String FStartupLanguage;
  bool FStartupDefined = false;
};

}  // namespace xel
