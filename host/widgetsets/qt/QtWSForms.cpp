// Forms as top-level windows with the menu bar above a client widget, the menus as Qt
// menus whose items click the host's, and the modal loop.
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <algorithm>

#include "Forms.h"
#include "Menus.h"
#include "QtWSControls.h"
#include "QtWidgetSet.h"
#include "WSForms.h"

namespace xel {

namespace {

// Menu items of the host as Qt actions, in a menu or in a window's menu bar. Shortcuts are
// shown but left to the host's form, which dispatches them (so a shortcut runs once, also
// while the menu is closed).
template <class TQtMenu>
void FillItems(TQtMenu* menu, TMenuItem* parent) {
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    if (!item->GetVisible()) continue;
    if (item->IsLine()) {
      menu->addSeparator();
      continue;
    }
    QString text = QtString(item->GetCaption());
    if (item->GetShortCut()) text += "\t" + QtString(ShortCutToText(item->GetShortCut()));
    if (item->Count() > 0) {
      QMenu* sub = menu->addMenu(text);
      sub->setEnabled(item->GetEnabled());
      FillItems(sub, item);
      QObject::connect(sub, &QMenu::aboutToShow, [item] { item->Click(); });
      continue;
    }
    QAction* action = menu->addAction(text);
    action->setEnabled(item->GetEnabled());
    action->setCheckable(item->GetChecked() || item->GetRadioItem() || item->GetAutoCheck());
    action->setChecked(item->GetChecked());
    if (item->GetDefault()) {
      QFont f = action->font();
      f.setBold(true);
      action->setFont(f);
    }
    // The click runs after the menu closed, when the menu may be rebuilt.
    QObject::connect(action, &QAction::triggered, [item] { item->Click(); });
  }
}

}  // namespace

void FillQtMenu(QMenu* menu, TMenuItem* parent) { FillItems(menu, parent); }

namespace {

class TQtFormWindow : public QWidget {
public:
  // A form inside another control is a child widget of that control's container.
  TQtFormWindow(TCustomForm* form, QWidget* parent) : QWidget(parent), FForm(form) {}
  QMenuBar* MenuBar = nullptr;
  QWidget* Client = nullptr;
  bool Pushing = false;

  void Layout() {
    int menu = MenuHeight();
    if (MenuBar) MenuBar->setGeometry(0, 0, width(), menu);
    Client->setGeometry(0, menu, width(), height() - menu);
  }
  int MenuHeight() const { return MenuBar && !MenuBar->isHidden() ? MenuBar->sizeHint().height() : 0; }

protected:
  void closeEvent(QCloseEvent* e) override {
    e->ignore();
    FForm->Close();
  }
  void resizeEvent(QResizeEvent* e) override {
    QWidget::resizeEvent(e);
    Layout();
    if (Pushing || !isVisible()) return;
    TRect m = FForm->NonClientMargins();
    Integer w = width() + m.Left + m.Right, h = height() - MenuHeight() + m.Top + m.Bottom;
    if (w != FForm->Width() || h != FForm->Height()) FForm->SetBounds(FForm->Left(), FForm->Top(), w, h);
  }
  bool event(QEvent* e) override {
    // Child widgets hear of their window's activation too; only a window is a form's own.
    if (e->type() == QEvent::WindowActivate && isVisible() && isWindow()) FForm->Activate();
    return QWidget::event(e);
  }

private:
  TCustomForm* FForm;
};

class TQtWSCustomForm : public TWSCustomForm {
public:
  std::unique_ptr<TWidgetHandle> CreateHandle(TWinControl* c) override {
    auto* form = static_cast<TCustomForm*>(c);
    TQtHandle* parent = QtHandle(form->Parent());
    auto* window = new TQtFormWindow(form, parent ? parent->Container.data() : nullptr);
    auto* client = new TQtWidget<QWidget>(c, true, true, window);
    client->setAutoFillBackground(true);
    client->setFocusPolicy(Qt::StrongFocus);
    window->Client = client;
    auto h = std::make_unique<TQtHandle>(window, client);
    h->Pushing = true;
    for (TWSAspect a : {waFont, waColor, waText, waMenu, waBorder, waIcon, waBounds, waVisible}) Push(form, *h, a);
    h->Pushing = false;
    return h;
  }
  void Update(TWinControl* c, TWSAspect aspect) override {
    TQtHandle* h = QtHandle(c);
    if (!h || !h->Widget || h->Pushing) return;
    h->Pushing = true;
    TFinally done([h] { h->Pushing = false; });
    Push(static_cast<TCustomForm*>(c), *h, aspect);
  }
  void SetFocus(TWinControl* c) override {
    if (QWidget* w = QtWidget(c); w && w->isVisible()) {
      if (!w->isWindow()) return;
      w->activateWindow();
      if (auto* h = QtHandle(c); h->Container && !static_cast<TCustomForm*>(c)->GetActiveControl())
        h->Container->setFocus(Qt::OtherFocusReason);
    }
  }
  void RunModal(TCustomForm* form) override {
    while (form->ModalResult() == mrNone) {
      if (!form->GetVisible()) form->SetModalResult(mrCancel);
      else QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
    }
  }

private:
  void Push(TCustomForm* form, TQtHandle& h, TWSAspect aspect) {
    auto* window = static_cast<TQtFormWindow*>(h.Widget.data());
    window->Pushing = true;
    TFinally done([window] { window->Pushing = false; });
    switch (aspect) {
      case waBounds:
      case waSizeLimits: {
        TRect m = form->NonClientMargins();
        int menu = window->MenuHeight();
        // The window is the client area with the menu bar; the form's sizes include the frame.
        auto windowSize = [&](TPoint outer) {
          auto side = [](Integer outerSize, Integer frame) {
            return static_cast<int>(std::clamp<Int64>(Int64(outerSize) - frame, 0, QWIDGETSIZE_MAX));
          };
          return QSize(side(outer.X, m.Left + m.Right), side(outer.Y, m.Top + m.Bottom - menu));
        };
        if (form->IsSizeable()) {
          TMinMaxRecord limits = form->SizeLimits();
          window->setMinimumSize(windowSize(limits.MinTrackSize));
          window->setMaximumSize(windowSize(limits.MaxTrackSize));
        }
        QRect place(form->Left() + m.Left, form->Top() + m.Top - (form->GetMenu() ? menu : 0),
                    form->GetClientWidth(), form->GetClientHeight() + menu);
        // The size is fixed first: a fixed size left from before would hold the new one back.
        if (!form->IsSizeable() && window->isWindow()) window->setFixedSize(place.size());
        window->setGeometry(place);
        window->Layout();
        break;
      }
      case waText: window->setWindowTitle(QtString(form->GetText())); break;
      case waVisible:
        if (!window->isWindow()) {
          window->setVisible(form->GetVisible());
        } else if (form->GetVisible()) {
          window->setWindowModality(form->Modal() ? Qt::ApplicationModal : Qt::NonModal);
          window->show();
          window->raise();
          window->activateWindow();
        } else {
          window->hide();
        }
        break;
      case waWindowState:
        if (!window->isVisible()) break;
        switch (form->GetWindowState()) {
          case wsMaximized: window->showMaximized(); break;
          case wsMinimized: window->showMinimized(); break;
          default: window->showNormal(); break;
        }
        break;
      case waMenu: {
        TMainMenu* menu = form->GetMenu();
        if (!menu) {
          if (window->MenuBar) window->MenuBar->hide();
        } else {
          if (!window->MenuBar) window->MenuBar = new QMenuBar(window);
          window->MenuBar->clear();
          window->MenuBar->setFont(window->Client->font());
          FillItems(window->MenuBar, menu->Items());
          window->MenuBar->show();
        }
        window->Layout();
        break;
      }
      case waBorder: {
        if (form->Parent()) break;  // a child widget has no frame of its own
        Qt::WindowFlags flags = Qt::Window;
        switch (form->GetBorderStyle()) {
          case bsNone: flags |= Qt::FramelessWindowHint; break;
          case bsToolWindow:
          case bsSizeToolWin: flags = Qt::Tool; break;
          case bsDialog: flags = Qt::Dialog; break;
          default: break;
        }
        if (window->windowFlags() != flags) window->setWindowFlags(flags);
        break;
      }
      case waIcon: {
        const String& data = form->GetIcon()->Data();
        if (!data.empty()) {
          QImage image = QImage::fromData(reinterpret_cast<const uchar*>(data.data()), static_cast<int>(data.size()));
          if (!image.isNull()) window->setWindowIcon(QIcon(QPixmap::fromImage(image)));
        }
        break;
      }
      case waFont: window->Client->setFont(QtFont(*form->GetFont())); break;
      case waColor: {
        QPalette p = window->Client->palette();
        p.setColor(QPalette::Window, QtColor(form->GetColor()));
        window->Client->setPalette(p);
        break;
      }
      default: window->Client->update(); break;
    }
  }
};

}  // namespace

void RegisterQtForms(TQtWidgetSet* ws) {
  ws->Register(TCustomForm::StaticClass(), std::make_unique<TQtWSCustomForm>());
}

}  // namespace xel
