// Native widgets for the standard controls. A widget's own change (typing, a click, a
// choice) goes to the control through its public entry points; the state the control then
// pushes back is ignored by the widget while it is already there.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "Buttons.h"
#include "Menus.h"
#include "QtWSControls.h"
#include "QtWidgetSet.h"
#include "StdCtrls.h"

namespace xel {

namespace {

// Byte offsets of the host's text as character offsets of Qt's, and back.
int QtOffset(const String& text, Integer bytes) {
  return static_cast<int>(QtString(text.substr(0, static_cast<size_t>(std::max<Integer>(0, bytes)))).size());
}
Integer HostOffset(const QString& text, int chars) { return static_cast<Integer>(HostString(text.left(chars)).size()); }

String MemoText(const QString& plain) {
  String s = HostString(plain), out;
  for (char c : s) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

QString PlainText(const String& text) {
  String out;
  for (size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
  return QtString(out);
}

class TQtWSButton : public TQtWSWinControl {
public:
  TQtWSButton() : TQtWSWinControl(true) {}

protected:
  std::unique_ptr<TQtHandle> CreateWidget(TWinControl* c, QWidget* parent) override {
    auto* w = new TQtWidget<QPushButton>(c, false, false, parent);
    w->setAutoDefault(false);
    QObject::connect(w, &QPushButton::clicked, [c] { c->Click(); });
    return std::make_unique<TQtHandle>(w, w);
  }
  void Push(TWinControl* c, TQtHandle& h, TWSAspect aspect) override {
    auto* w = static_cast<QPushButton*>(h.Widget.data());
    if (aspect == waText) w->setText(QtString(c->GetText()));
    else if (aspect == waStyle) {
      if (auto* b = dynamic_cast<TButton*>(c)) w->setDefault(b->GetDefault());
    } else if (aspect != waColor) TQtWSWinControl::Push(c, h, aspect);
  }
};

class TQtWSCheckBox : public TQtWSWinControl {
public:
  TQtWSCheckBox() : TQtWSWinControl(true) {}

protected:
  std::unique_ptr<TQtHandle> CreateWidget(TWinControl* c, QWidget* parent) override {
    auto* w = new TQtWidget<QCheckBox>(c, false, false, parent);
    // The control decides the new state; the widget shows it.
    QObject::connect(w, &QCheckBox::clicked, [this, c] {
      c->Click();
      Update(c, waState);
    });
    return std::make_unique<TQtHandle>(w, w);
  }
  void Push(TWinControl* c, TQtHandle& h, TWSAspect aspect) override {
    auto* w = static_cast<QCheckBox*>(h.Widget.data());
    auto* box = static_cast<TCustomCheckBox*>(c);
    if (aspect == waText) w->setText(QtString(c->GetText()));
    else if (aspect == waState) {
      w->setTristate(box->GetAllowGrayed() || box->GetState() == cbGrayed);
      w->setCheckState(box->GetState() == cbChecked  ? Qt::Checked
                       : box->GetState() == cbGrayed ? Qt::PartiallyChecked
                                                     : Qt::Unchecked);
    } else if (aspect != waColor) TQtWSWinControl::Push(c, h, aspect);
  }
};

class TQtWSRadioButton : public TQtWSWinControl {
public:
  TQtWSRadioButton() : TQtWSWinControl(true) {}

protected:
  std::unique_ptr<TQtHandle> CreateWidget(TWinControl* c, QWidget* parent) override {
    auto* w = new TQtWidget<QRadioButton>(c, false, false, parent);
    w->setAutoExclusive(false);  // the control unchecks its siblings
    QObject::connect(w, &QRadioButton::clicked, [this, c] {
      c->Click();
      Update(c, waState);
    });
    return std::make_unique<TQtHandle>(w, w);
  }
  void Push(TWinControl* c, TQtHandle& h, TWSAspect aspect) override {
    auto* w = static_cast<QRadioButton*>(h.Widget.data());
    if (aspect == waText) w->setText(QtString(c->GetText()));
    else if (aspect == waState) w->setChecked(static_cast<TRadioButton*>(c)->GetChecked());
    else if (aspect != waColor) TQtWSWinControl::Push(c, h, aspect);
  }
};

// The selection of a native line edit and of the control it belongs to (an edit, or the
// edit part of a combo box), in the host's byte offsets.
template <class C>
void FollowSelection(C* control, QLineEdit* w) {
  auto sync = [control, w] {
    TQtHandle* h = QtHandle(control);
    if (!h || h->Pushing) return;
    const QString text = w->text();
    int start = w->hasSelectedText() ? w->selectionStart() : w->cursorPosition();
    int length = w->hasSelectedText() ? static_cast<int>(w->selectedText().size()) : 0;
    Integer from = HostOffset(text, start);
    control->SetSelStart(from);
    control->SetSelLength(HostOffset(text, start + length) - from);
  };
  QObject::connect(w, &QLineEdit::cursorPositionChanged, sync);
  QObject::connect(w, &QLineEdit::selectionChanged, sync);
}

template <class C>
void ShowSelection(const C* control, QLineEdit* w) {
  const String& text = control->GetText();
  int start = QtOffset(text, control->SelStart()), end = QtOffset(text, control->SelStart() + control->SelLength());
  if (end > start) w->setSelection(start, end - start);
  else w->setCursorPosition(start);
}

class TQtWSEdit : public TQtWSWinControl {
public:
  TQtWSEdit() : TQtWSWinControl(true) {}

protected:
  std::unique_ptr<TQtHandle> CreateWidget(TWinControl* c, QWidget* parent) override {
    auto* w = new TQtWidget<QLineEdit>(c, false, false, parent);
    auto* edit = static_cast<TCustomEdit*>(c);
    QObject::connect(w, &QLineEdit::textEdited, [edit](const QString& s) { edit->SetText(HostString(s)); });
    FollowSelection(edit, w);
    return std::make_unique<TQtHandle>(w, w);
  }
  void Push(TWinControl* c, TQtHandle& h, TWSAspect aspect) override {
    auto* w = static_cast<QLineEdit*>(h.Widget.data());
    auto* edit = static_cast<TCustomEdit*>(c);
    switch (aspect) {
      case waText:
        if (HostString(w->text()) != c->GetText()) w->setText(QtString(c->GetText()));
        break;
      case waReadOnly: w->setReadOnly(edit->GetReadOnly()); break;
      case waStyle:
        w->setEchoMode(edit->GetPasswordChar() ? QLineEdit::Password : QLineEdit::Normal);
        w->setFrame(edit->GetBorderStyle() != bsNone);
        if (edit->GetMaxLength() > 0) w->setMaxLength(edit->GetMaxLength());
        break;
      case waSelection: ShowSelection(edit, w); break;
      default: TQtWSWinControl::Push(c, h, aspect); break;
    }
  }
};

class TQtWSMemo : public TQtWSWinControl {
public:
  TQtWSMemo() : TQtWSWinControl(true) {}

protected:
  std::unique_ptr<TQtHandle> CreateWidget(TWinControl* c, QWidget* parent) override {
    auto* w = new TQtWidget<QPlainTextEdit>(c, false, false, parent);
    QObject::connect(w, &QPlainTextEdit::textChanged, [c, w] {
      TQtHandle* h = QtHandle(c);
      if (h && !h->Pushing) c->SetText(MemoText(w->toPlainText()));
    });
    return std::make_unique<TQtHandle>(w, w);
  }
  void Push(TWinControl* c, TQtHandle& h, TWSAspect aspect) override {
    auto* w = static_cast<QPlainTextEdit*>(h.Widget.data());
    auto* memo = static_cast<TCustomMemo*>(c);
    switch (aspect) {
      case waText:
        if (MemoText(w->toPlainText()) != c->GetText()) w->setPlainText(PlainText(c->GetText()));
        break;
      case waReadOnly: w->setReadOnly(memo->GetReadOnly()); break;
      case waStyle:
      case waScroll: {
        w->setLineWrapMode(memo->GetWordWrap() ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        TScrollStyle s = memo->GetScrollBars();
        w->setHorizontalScrollBarPolicy(s == ssHorizontal || s == ssBoth ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
        w->setVerticalScrollBarPolicy(s == ssVertical || s == ssBoth ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
        break;
      }
      default: TQtWSWinControl::Push(c, h, aspect); break;
    }
  }
};

QStringList ItemList(const TItemsControl* c) {
  QStringList list;
  for (int i = 0; i < c->GetItems()->Count(); ++i) list << QtString(c->GetItems()->Strings(i));
  return list;
}

class TQtWSComboBox : public TQtWSWinControl {
public:
  TQtWSComboBox() : TQtWSWinControl(true) {}

protected:
  std::unique_ptr<TQtHandle> CreateWidget(TWinControl* c, QWidget* parent) override {
    auto* w = new TQtWidget<QComboBox>(c, false, false, parent);
    auto* combo = static_cast<TCustomComboBox*>(c);
    QObject::connect(w, &QComboBox::activated, [combo](int index) { combo->SelectItem(index); });
    QObject::connect(w, &QComboBox::editTextChanged, [combo](const QString& s) {
      TQtHandle* h = QtHandle(combo);
      if (h && !h->Pushing && HostString(s) != combo->GetText()) combo->EditText(HostString(s));
    });
    return std::make_unique<TQtHandle>(w, w);
  }
  void Push(TWinControl* c, TQtHandle& h, TWSAspect aspect) override {
    auto* w = static_cast<QComboBox*>(h.Widget.data());
    auto* combo = static_cast<TCustomComboBox*>(c);
    switch (aspect) {
      case waStyle:
        w->setEditable(combo->GetStyle() == csDropDown || combo->GetStyle() == csSimple);
        // The text came before the box could be edited, when the window is new.
        if (w->isEditable() && HostString(w->currentText()) != c->GetText()) w->setEditText(QtString(c->GetText()));
        w->setMaxVisibleItems(std::max<Integer>(1, combo->GetDropDownCount()));
        if (QLineEdit* edit = w->lineEdit(); edit && !edit->property("xelSync").toBool()) {
          edit->setProperty("xelSync", true);
          FollowSelection(combo, edit);
        }
        break;
      case waSelection:
        if (QLineEdit* edit = w->lineEdit()) ShowSelection(combo, edit);
        break;
      case waItems:
        w->clear();
        w->addItems(ItemList(combo));
        [[fallthrough]];
      case waItemIndex:
        w->setCurrentIndex(combo->GetItemIndex());
        [[fallthrough]];
      case waText:
        if (w->isEditable() && HostString(w->currentText()) != c->GetText()) w->setEditText(QtString(c->GetText()));
        break;
      default: TQtWSWinControl::Push(c, h, aspect); break;
    }
  }
};

class TQtWSListBox : public TQtWSWinControl {
public:
  TQtWSListBox() : TQtWSWinControl(true) {}

protected:
  std::unique_ptr<TQtHandle> CreateWidget(TWinControl* c, QWidget* parent) override {
    auto* w = new TQtWidget<QListWidget>(c, false, false, parent);
    auto* list = static_cast<TItemsControl*>(c);
    QObject::connect(w, &QListWidget::currentRowChanged, [list](int row) {
      TQtHandle* h = QtHandle(list);
      if (!h || h->Pushing || row == list->GetItemIndex()) return;
      list->SetItemIndex(row);
      list->Click();
    });
    QObject::connect(w, &QListWidget::itemDoubleClicked, [list] { list->DblClick(); });
    return std::make_unique<TQtHandle>(w, w);
  }
  void Push(TWinControl* c, TQtHandle& h, TWSAspect aspect) override {
    auto* w = static_cast<QListWidget*>(h.Widget.data());
    auto* list = static_cast<TItemsControl*>(c);
    switch (aspect) {
      case waItems:
        w->clear();
        w->addItems(ItemList(list));
        [[fallthrough]];
      case waItemIndex: w->setCurrentRow(list->GetItemIndex()); break;
      default: TQtWSWinControl::Push(c, h, aspect); break;
    }
  }
};

class TQtWSGroupBox : public TQtWSWinControl {
protected:
  std::unique_ptr<TQtHandle> CreateWidget(TWinControl* c, QWidget* parent) override {
    auto* w = new TQtWidget<QGroupBox>(c, false, true, parent);
    return std::make_unique<TQtHandle>(w, w);
  }
  void Push(TWinControl* c, TQtHandle& h, TWSAspect aspect) override {
    if (aspect == waText) static_cast<QGroupBox*>(h.Widget.data())->setTitle(QtString(c->GetText()));
    else TQtWSWinControl::Push(c, h, aspect);
  }
};

}  // namespace

void RegisterQtStdCtrls(TQtWidgetSet* ws) {
  ws->Register(TButton::StaticClass(), std::make_unique<TQtWSButton>());
  ws->Register(TCustomCheckBox::StaticClass(), std::make_unique<TQtWSCheckBox>());
  ws->Register(TRadioButton::StaticClass(), std::make_unique<TQtWSRadioButton>());
  ws->Register(TCustomEdit::StaticClass(), std::make_unique<TQtWSEdit>());
  ws->Register(TCustomMemo::StaticClass(), std::make_unique<TQtWSMemo>());
  ws->Register(TCustomComboBox::StaticClass(), std::make_unique<TQtWSComboBox>());
  ws->Register(TCustomListBox::StaticClass(), std::make_unique<TQtWSListBox>());
  ws->Register(TCustomGroupBox::StaticClass(), std::make_unique<TQtWSGroupBox>());
}

}  // namespace xel
