// The form base of the package's windows: a smallest and a largest size the user can drag
// the window to, the window's place and state as one line of text, a screen-centred start,
// and a Visible that waits until the form is complete. TSuperDataModule is the matching
// data-module base.
#pragma once

#include <memory>

#include "Forms.h"

namespace xel {

// One tracking size: applied when enabled and both sizes are above 0.
class TMinMaxInfo : public TPersistent {
  XEL_CLASS(TMinMaxInfo, TPersistent)
public:
  TMinMaxInfo() = default;
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool v);
  Integer GetSizeX() const { return FSizeX; }
  void SetSizeX(Integer v);
  Integer GetSizeY() const { return FSizeY; }
  void SetSizeY(Integer v);
  // Whether the window should keep to this size.
  bool Applies() const { return FEnabled && FSizeX > 0 && FSizeY > 0; }
  void Assign(TPersistent* source) override;

  TNotifyEvent OnChange;

  static auto Published() {
    using C = TMinMaxInfo;
    return PropTable<C>(Prop("Enabled", &C::GetEnabled, &C::SetEnabled).Default(false),
                        Prop("SizeX", &C::GetSizeX, &C::SetSizeX).Default(0),
                        Prop("SizeY", &C::GetSizeY, &C::SetSizeY).Default(0));
  }

private:
  void Change() { OnChange(this); }
  bool FEnabled = false;
  Integer FSizeX = 0;
  Integer FSizeY = 0;
};

XEL_EVENT(TMinMaxInfoNotify, TObject* /*Sender*/, PMinMaxRecord /*Info*/);

// A design-time handle that the designer shows as "(TSuperForm)"; it holds nothing.
class TSuperFormProperty : public TPersistent {
  XEL_CLASS(TSuperFormProperty, TPersistent)
};

class TSuperForm : public TForm {
  XEL_CLASS(TSuperForm, TForm)
public:
  explicit TSuperForm(TComponent* owner);
  TSuperForm(TComponent* owner, TCreateNew);
  ~TSuperForm() override;
  void AfterConstruction() override;

  TMinMaxInfo* GetSizeMinTrack() const { return FSizeMinTrack.get(); }
  void SetSizeMinTrack(TMinMaxInfo* v) { FSizeMinTrack->Assign(v); }
  TMinMaxInfo* GetSizeMaxTrack() const { return FSizeMaxTrack.get(); }
  void SetSizeMaxTrack(TMinMaxInfo* v) { FSizeMaxTrack->Assign(v); }
  // which 0 is the minimum tracking size, 1 the maximum; other values change nothing.
  void SetMinMaxInfo(Integer which, TMinMaxInfo* info);

  // "(Left Top Width Height State)" of the normal bounds, e.g. (120 80 640 480 0).
  String GetWindowStateData() const;
  // Applies such a text; one that does not have that form changes nothing and says so by
  // returning false (the user is not told).
  bool SetWindowStateData(const String& text);
  // Where the window is while its state is normal (also while it is maximized).
  TRect NormalBounds() const { return FNormalBounds; }

  // A show request made while the form is being made is carried out once it is complete.
  void SetVisible(bool v) override;
  bool GetSuperVisible() const { return GetVisible() || FShowRequested; }
  bool GetAutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool v) { FAutoScroll = v; }
  bool GetOldCreateOrder() const { return FOldCreateOrder; }
  void SetOldCreateOrder(bool v) { FOldCreateOrder = v; }
  TSuperFormProperty* GetSuperFormProperty() const { return nullptr; }
  void SetSuperFormProperty(TSuperFormProperty*) {}

  TMinMaxInfoNotify OnGetMinMaxInfo;

  static auto Published() {
    using C = TSuperForm;
    return PropTable<C>(
        Prop("AutoScroll", &C::GetAutoScroll, &C::SetAutoScroll).Default(false),
        Prop("BorderStyle", &C::GetBorderStyle, &C::SetBorderStyle).Default(bsSizeable),
        Prop("OldCreateOrder", &C::GetOldCreateOrder, &C::SetOldCreateOrder).Default(false),
        Prop("ParentFont", &C::GetParentFont, &C::SetParentFont).Default(false),
        Prop("Position", &C::GetPosition, &C::SetPosition).Default(poScreenCenter),
        Prop("SizeMinTrack", &C::GetSizeMinTrack, &C::SetSizeMinTrack),
        Prop("SizeMaxTrack", &C::GetSizeMaxTrack, &C::SetSizeMaxTrack),
        Prop("SuperForm", &C::GetSuperFormProperty, &C::SetSuperFormProperty).Stored(false),
        Prop("Visible", &C::GetSuperVisible, &C::SetVisible).Default(false),
        Prop("OnGetMinMaxInfo", &C::OnGetMinMaxInfo, &C::OnGetMinMaxInfo));
  }

protected:
  void GetMinMaxInfo(TMinMaxRecord& info) override;
  TClass FormResourceRoot() const override { return StaticClass(); }
  void DoCreate() override;
  void BoundsChanged() override;

private:
  void Init();
  void TrackChanged(TObject*) { SizeLimitsChanged(); }

  std::unique_ptr<TMinMaxInfo> FSizeMinTrack;
  std::unique_ptr<TMinMaxInfo> FSizeMaxTrack;
  TRect FNormalBounds;
  bool FCreating = false;       // the form resource is being read
  bool FShowRequested = false;  // Visible was set while it was
  bool FAutoScroll = false;
  bool FOldCreateOrder = false;
};

// A data module that reads the form resource of its class when made (EResNotFound when a
// derived class has none), then runs OnCreate; OnDestroy runs when it goes.
class TSuperDataModule : public TDataModule {
  XEL_CLASS(TSuperDataModule, TDataModule)
public:
  explicit TSuperDataModule(TComponent* owner) : TDataModule(owner) {}
  ~TSuperDataModule() override;
  void AfterConstruction() override;
  bool GetOldCreateOrder() const { return FOldCreateOrder; }
  void SetOldCreateOrder(bool v) { FOldCreateOrder = v; }

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;

  static auto Published() {
    using C = TSuperDataModule;
    return PropTable<C>(Prop("OldCreateOrder", &C::GetOldCreateOrder, &C::SetOldCreateOrder).Default(false),
                        Prop("OnCreate", &C::OnCreate, &C::OnCreate),
                        Prop("OnDestroy", &C::OnDestroy, &C::OnDestroy));
  }

private:
  bool FOldCreateOrder = false;
};

void RegisterSuperFormClasses();

}  // namespace xel
