// The installer's window as a real Qt window on the offscreen platform, before and after
// its procedure, in English and German; the pictures stay in the build folder to be
// looked at.
#include <gtest/gtest.h>

#include <QTimer>
#include <memory>

#include "Application.h"
#include "Glotta.h"
#include "InstallerFixture.h"
#include "MRUComboBox.h"
#include "../QtTestEnvironment.h"
#include "RegisterControls.h"

namespace xel::test {
namespace {

[[maybe_unused]] testing::Environment* const kEnvironment = AddQtTestEnvironment([] {
  RegisterControlClasses();
  RegisterInstallClasses();
});

TEST_F(InstallerTest, PicturesBeforeAndAfterTheProcedure) {
  PutPackageFiles();
  RecordDesigner();
  for (const char* language : {"English", "Deutsch"}) {
    std::unique_ptr<TGlottaInstallForm> form(New<TGlottaInstallForm>(nullptr));
    ASSERT_TRUE(form->Accepted());
    form->Glotta()->SetLanguage(language);
    form->FolderSelect()->SetFieldText(Target);
    form->Show();
    Application->ProcessMessages();
    EXPECT_TRUE(SaveControlImage(form.get(), String(XEL_PICTURE_DIR) + "/install-" + language + "-before.png"));
    // The message at the end is closed once it shows.
    String shown;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
      if (auto* box = dynamic_cast<TMyMsgForm*>(Screen->ActiveForm())) {
        shown = box->Lines().empty() ? String() : box->Lines().front();
        box->SetModalResult(mrOk);
      }
    });
    closer.start(20);
    form->ContinueButton()->Button()->Click();
    closer.stop();
    EXPECT_FALSE(shown.empty()) << language;
    Application->ProcessMessages();
    ASSERT_NE(form->Log(), nullptr);
    EXPECT_GT(form->Log()->GetLines()->Count(), 20);
    EXPECT_TRUE(SaveControlImage(form.get(), String(XEL_PICTURE_DIR) + "/install-" + language + "-after.png"));
    form->Glotta()->SetLanguage("English");
    form.reset();
    // The next run installs again over what this one put there.
  }
}

}  // namespace
}  // namespace xel::test
