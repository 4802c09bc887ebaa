// The add-in library as the host meets it: loaded with dlopen, registered through its own entry
// point, asked for its class factory, activated on the host's site and clicked.
#include <dlfcn.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QImage>
#include <QMessageBox>
#include <QTimer>
#include <filesystem>

#include "addin_test_support.hpp"
#include "host/add_in_server.hpp"
#include "modelhost/document/part_document.hpp"
#include "platform/add_in_registry.hpp"
#include "qt_host_fixture.hpp"

namespace sledway::test {
namespace {

using ::testing::ElementsAre;

constexpr const char* kClassId = "{1ED471A1-4725-4827-B91F-4EE510CB2B8D}";

class AddInLibraryTest : public ::testing::Test, public QtHostFixture {
 protected:
  AddInLibraryTest() {
    library = ::dlopen(SLEDWAY_ADDIN_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) throw std::runtime_error(::dlerror());
  }
  ~AddInLibraryTest() override {
    for (QWidget* window : ToolWindows()) window->close();
    ProcessEvents();
    ::dlclose(library);
  }

  template <class Function>
  Function EntryPoint(const char* name) {
    auto* entry = reinterpret_cast<Function>(::dlsym(library, name));
    if (entry == nullptr) throw std::runtime_error(std::string("no entry point ") + name);
    return entry;
  }

  // Answers the message boxes the library shows (it shows its own, through Qt), noting their
  // title and text.
  void AnswerMessageBoxes() {
    QTimer::singleShot(0, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        shownBoxes.push_back((box->windowTitle() + ": " + box->text()).toStdString());
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        box->accept();
      }
    });
  }

  void* library = nullptr;
  std::vector<std::string> shownBoxes;
};

TEST_F(AddInLibraryTest, RegistersHandsOutItsServerAndOpensTheToolWindowFromTheButton) {
  ASSERT_EQ(EntryPoint<DllRegisterServerFn>("DllRegisterServer")(), kS_OK);
  const std::vector<platform::AddInRegistration> registered = platform::RegisteredAddIns();
  ASSERT_EQ(registered.size(), 1u);
  EXPECT_EQ(registered[0].classId, kClassId);
  EXPECT_EQ(registered[0].name, "Sledway");
  EXPECT_EQ(registered[0].libraryPath, std::filesystem::canonical(SLEDWAY_ADDIN_LIBRARY).string());
  EXPECT_TRUE(registered[0].loadOnStartUp);

  const auto getClassObject = EntryPoint<DllGetClassObjectFn>("DllGetClassObject");
  IVClassFactory* factory = reinterpret_cast<IVClassFactory*>(1);
  EXPECT_EQ(getClassObject("{00000000-0000-0000-0000-000000000000}", &factory), kClassNotAvailable);
  EXPECT_EQ(factory, nullptr);
  ASSERT_EQ(getClassObject("{1ed471a1-4725-4827-b91f-4ee510cb2b8d}", &factory), kS_OK);
  ASSERT_NE(factory, nullptr);

  const auto canUnloadNow = EntryPoint<DllCanUnloadNowFn>("DllCanUnloadNow");
  EXPECT_EQ(canUnloadNow(), kS_OK);
  {
    Ref<ApplicationAddInServer> server = factory->CreateInstance();
    EXPECT_EQ(canUnloadNow(), kS_FALSE);
    server->Activate(app->CreateAddInSite(), true);
    const auto buttons = ButtonsOn(*app, "AMxAssemblyPanelCmdBar");
    ASSERT_EQ(buttons.size(), 1u);
    EXPECT_EQ(buttons[0]->Tooltip(), "Constrain to path");
    for (const Ref<IVObject>& icon :
         {buttons[0]->Arguments().standardIcon, buttons[0]->Arguments().largeIcon}) {
      const auto picture = As<IVPictureDisp>(icon);
      ASSERT_TRUE(picture);
      const std::vector<std::uint8_t> png = picture->PngData();
      EXPECT_EQ(QImage::fromData(png.data(), static_cast<int>(png.size()), "PNG").size(),
                QSize(16, 16));
    }

    app->SetActiveDocument(model::PartDocument::Create("bracket"));
    AnswerMessageBoxes();
    buttons[0]->Execute();
    EXPECT_THAT(shownBoxes,
                ElementsAre("Sledway: You can only create sledways in an Assembly document"));

    app->SetActiveDocument(document);
    buttons[0]->Execute();
    ASSERT_EQ(ToolWindows().size(), 1u);
    QWidget* window = ToolWindows().front();
    EXPECT_EQ(window->parentWidget(), mainWindow.get());
    // Deactivated, the add-in closes its window; the window's code stays until Qt has deleted it.
    server->Deactivate();
    EXPECT_TRUE(ToolWindows().empty());
  }
  // The closed window Qt has yet to delete has its code in the library: it stays in use.
  app.reset();
  EXPECT_EQ(canUnloadNow(), kS_FALSE);
  ProcessEvents();
  EXPECT_EQ(canUnloadNow(), kS_OK);

  ASSERT_EQ(EntryPoint<DllUnregisterServerFn>("DllUnregisterServer")(), kS_OK);
  EXPECT_TRUE(platform::RegisteredAddIns().empty());
}

}  // namespace
}  // namespace sledway::test
