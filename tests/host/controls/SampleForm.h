// The form of SampleForm.dfm, with handlers that record what ran.
#pragma once

#include <vector>

#include "Forms.h"
#include "StdCtrls.h"

namespace xel::test {

class TSampleForm : public TForm {
  XEL_CLASS(TSampleForm, TForm)
public:
  explicit TSampleForm(TComponent* owner) : TForm(owner) {}
  TSampleForm(TComponent* owner, TCreateNew n) : TForm(owner, n) {}

  template <class T>
  T* Find(const char* name) const {
    return OwnedComponent<T>(this, name);
  }
  TEdit* Edit1() const { return Find<TEdit>("Edit1"); }
  TMemo* Memo1() const { return Find<TMemo>("Memo1"); }
  TComboBox* Combo1() const { return Find<TComboBox>("Combo1"); }
  TButton* OkButton() const { return Find<TButton>("OkButton"); }
  TButton* CancelButton() const { return Find<TButton>("CancelButton"); }
  TLabel* Label1() const { return Find<TLabel>("Label1"); }
  TMenuItem* SaveItem() const { return Find<TMenuItem>("SaveItem"); }
  TMenuItem* ExitItem() const { return Find<TMenuItem>("ExitItem"); }

  void FormCreate(TObject*) { Log.push_back("create:" + Edit1()->GetText()); }
  void SaveClick(TObject*) { Log.push_back("save"); }
  void ExitClick(TObject*) { Log.push_back("exit"); }
  void ComboChange(TObject*) { Log.push_back("combo:" + Combo1()->GetText()); }

  static auto PublishedMethods() {
    return MethodTable<TSampleForm>({PublishedMethod<&TSampleForm::FormCreate>("FormCreate"),
                                     PublishedMethod<&TSampleForm::SaveClick>("SaveClick"),
                                     PublishedMethod<&TSampleForm::ExitClick>("ExitClick"),
                                     PublishedMethod<&TSampleForm::ComboChange>("ComboChange")});
  }

  std::vector<String> Log;
};

}  // namespace xel::test
