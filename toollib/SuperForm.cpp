#include "SuperForm.h"

#include "ComponentRes.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /toollib/SuperForm.cpp 1 10.12.26 7:10 XG $")

namespace xel {

// ---------------------------------------------------------------- TMinMaxInfo

void TMinMaxInfo::SetEnabled(bool v) {
  if (SetIfChanged(FEnabled, v)) Change();
}

void TMinMaxInfo::SetSizeX(Integer v) {
  if (SetIfChanged(FSizeX, v)) Change();
}

void TMinMaxInfo::SetSizeY(Integer v) {
  if (SetIfChanged(FSizeY, v)) Change();
}

void TMinMaxInfo::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TMinMaxInfo*>(source)) {
    if (other == this) return;
    FEnabled = other->FEnabled;
    FSizeX = other->FSizeX;
    FSizeY = other->FSizeY;
    Change();
    return;
  }
  TPersistent::Assign(source);
}

// ---------------------------------------------------------------- TSuperForm

TSuperForm::TSuperForm(TComponent* owner) : TForm(owner) { Init(); }

TSuperForm::TSuperForm(TComponent* owner, TCreateNew) : TForm(owner, TCreateNew{}) { Init(); }

void TSuperForm::Init() {
  FSizeMinTrack = std::make_unique<TMinMaxInfo>();
  FSizeMaxTrack = std::make_unique<TMinMaxInfo>();
  FSizeMinTrack->OnChange = MakeMethod<&TSuperForm::TrackChanged>(this);
  FSizeMaxTrack->OnChange = MakeMethod<&TSuperForm::TrackChanged>(this);
  SetPosition(poScreenCenter);
  FNormalBounds = BoundsRect();
}

TSuperForm::~TSuperForm() {
  FSizeMinTrack->OnChange = nullptr;
  FSizeMaxTrack->OnChange = nullptr;
}

void TSuperForm::AfterConstruction() {
  FCreating = true;
  TFinally done([this] { FCreating = false; });
  TForm::AfterConstruction();
}

void TSuperForm::DoCreate() {
  FCreating = false;
  TForm::DoCreate();
  if (FShowRequested) {
    FShowRequested = false;
    Show();
  }
}

void TSuperForm::SetVisible(bool v) {
  if (FCreating) {
    FShowRequested = v;
    return;
  }
  TForm::SetVisible(v);
}

void TSuperForm::SetMinMaxInfo(Integer which, TMinMaxInfo* info) {
  if (which == 0) FSizeMinTrack->Assign(info);
  else if (which == 1) FSizeMaxTrack->Assign(info);
}

void TSuperForm::GetMinMaxInfo(TMinMaxRecord& info) {
  TForm::GetMinMaxInfo(info);
  // Absent while the host's part of the form is still being made.
  if (FSizeMinTrack && FSizeMinTrack->Applies())
    info.MinTrackSize = {FSizeMinTrack->GetSizeX(), FSizeMinTrack->GetSizeY()};
  if (FSizeMaxTrack && FSizeMaxTrack->Applies())
    info.MaxTrackSize = {FSizeMaxTrack->GetSizeX(), FSizeMaxTrack->GetSizeY()};
  OnGetMinMaxInfo(this, &info);
}

void TSuperForm::BoundsChanged() {
  TForm::BoundsChanged();
  if (GetWindowState() == wsNormal) FNormalBounds = BoundsRect();
}

String TSuperForm::GetWindowStateData() const {
  return Format("(%d %d %d %d %d)", {FNormalBounds.Left, FNormalBounds.Top, FNormalBounds.Width(),
                                     FNormalBounds.Height(), static_cast<Integer>(GetWindowState())});
}

namespace {
// "(Left Top Width Height State)": each number up to its blank, the state up to ")".
bool ParseWindowStateData(std::string_view text, Integer (&values)[5]) {
  if (text.empty() || text[0] != '(') return false;
  size_t pos = 1;
  for (int i = 0; i < 5; ++i) {
    size_t end = text.find(i < 4 ? ' ' : ')', pos);
    if (end == std::string_view::npos || !TryStrToInt(text.substr(pos, end - pos), values[i])) return false;
    pos = end + 1;
  }
  return pos == text.size();
}
}  // namespace

bool TSuperForm::SetWindowStateData(const String& text) {
  Integer v[5];
  if (!ParseWindowStateData(text, v)) return false;
  // A window without area (from a damaged setting) could not be found again on the screen.
  if (v[2] <= 0 || v[3] <= 0 || v[4] < wsNormal || v[4] > wsMaximized) return false;
  SetPosition(poDesigned);
  if (IsSizeable()) {
    // Bounds set while maximized would not be the normal ones.
    if (GetWindowState() != wsNormal) SetWindowState(wsNormal);
    SetBounds(v[0], v[1], v[2], v[3]);
    SetWindowState(static_cast<TWindowState>(v[4]));
  } else {
    SetBounds(v[0], v[1], Width(), Height());
  }
  return true;
}

// ---------------------------------------------------------------- TSuperDataModule

TSuperDataModule::~TSuperDataModule() {
  try {
    OnDestroy(this);
  } catch (...) {
    Application->HandleException(this);
  }
}

void TSuperDataModule::AfterConstruction() {
  TDataModule::AfterConstruction();
  if (ClassType() != StaticClass() && !ComponentState().Contains(csDesigning) &&
      !InitInheritedComponent(this, StaticClass()))
    throw EResNotFound(Format("Resource %s not found", {ClassName()}));
  OnCreate(this);
}

void RegisterSuperFormClasses() {
  RegisterClasses({TSuperForm::StaticClass(), TSuperDataModule::StaticClass()});
}

}  // namespace xel
