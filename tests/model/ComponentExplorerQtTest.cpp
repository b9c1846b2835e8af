// The explorer dialog as a real Qt window on the offscreen platform: the embedded explorer
// is a child widget of the dialog, and a picture of each language stays in the build
// folder to be looked at.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <memory>

#include "ComponentExplorerDialog.h"
#include "Glotta.h"
#include "QtWSControls.h"
#include "../QtTestEnvironment.h"
#include "QtWidgetSet.h"

namespace xel {
namespace {

[[maybe_unused]] testing::Environment* const kEnvironment = AddQtTestEnvironment([] {
  RegisterComponentExplorerDialogClasses();
});

TEST(QtComponentExplorerTest, TheDialogShowsTheExplorerInsideInEitherLanguage) {
  std::unique_ptr<TForm> root(new TForm(nullptr, TCreateNew{}));
  root->SetName("MainForm");
  root->SetText("Main window");
  for (const char* name : {"ButtonOk", "ButtonCancel"}) {
    auto* b = New<TButton>(root.get());
    b->SetName(name);
    b->SetParent(root.get());
    b->SetHint("Closes the window");
  }
  auto* memo = New<TMemo>(root.get());
  memo->SetName("MemoNotes");
  memo->SetParent(root.get());
  memo->GetLines()->SetText("First line\r\nSecond line\r\n");
  TComponentEntries chosen(nullptr, nullptr);

  for (const char* language : {"English", "Deutsch"}) {
    SCOPED_TRACE(language);
    std::unique_ptr<TCEDialogForm> dialog(New<TCEDialogForm>(nullptr));
    dialog->SetHelpContext(7000);
    OwnedComponent<TGlotta>(dialog.get(), "Glotta")->SetLanguage(language);
    TComponentExplorerForm* ex = dialog->Explorer()->ExplorerForm();
    ex->Init(root.get(), &chosen);
    ex->TreeSource()->SetSelected(ex->TreeSource()->GetItems()->GetFirstNode()->GetFirstChild()->GetFirstChild());
    ex->BtnAddPropClick(nullptr);
    ex->TreeSource()->GetItems()->GetFirstNode()->GetFirstChild()->Expand(false);
    dialog->Show();
    QApplication::processEvents();

    // The explorer is no window of its own but part of the dialog's.
    QWidget* window = QtWidget(dialog.get());
    QWidget* inner = QtWidget(ex);
    ASSERT_NE(inner, nullptr);
    EXPECT_FALSE(inner->isWindow());
    EXPECT_EQ(inner->window(), window);
    EXPECT_TRUE(inner->isVisible());
    EXPECT_EQ(Screen->ActiveForm(), dialog.get());
    QWidget* add = QtWidget(ex->BtnAddProp());
    QPoint at = add->mapTo(window, QPoint(0, 0));
    EXPECT_EQ(at, QPoint(ex->Left() + 262 + ex->BtnAddProp()->Left(), ex->Top() + ex->BtnAddProp()->Top()));

    const String file = String(XEL_PICTURE_DIR) + "/explorer-" + language + ".png";
    ASSERT_TRUE(SaveControlImage(dialog.get(), file));
    QImage image(QString::fromStdString(file));
    EXPECT_EQ(image.width(), window->width() * window->devicePixelRatio());
    dialog.reset();
  }
}

}  // namespace
}  // namespace xel
