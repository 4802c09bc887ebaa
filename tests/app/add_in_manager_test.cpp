#include "app/desktop/add_in_manager.hpp"

#include <dlfcn.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <sstream>

#include "app/desktop/add_ins_dialog.hpp"
#include "app/desktop/registration_command.hpp"
#include "modelhost/application/application.hpp"
#include "platform/add_in_registry.hpp"
#include "tests/platform/scoped_config_home.hpp"

namespace sledway::app {
namespace {

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::UnorderedElementsAre;

constexpr const char* kWorkingClass = "{5E1D3A7C-0000-4000-8000-00000000A001}";
constexpr const char* kThrowingClass = "{5E1D3A7C-0000-4000-8000-00000000A002}";

// The test add-in, kept loaded by the test itself so that its log outlives the host's unload.
// The library may stay loaded from one test to the next: each test reads what was logged since
// it began.
class TestAddIn {
 public:
  TestAddIn() : handle_(::dlopen(SLEDWAY_TEST_ADD_IN, RTLD_NOW)), start_(Whole().size()) {}
  ~TestAddIn() { ::dlclose(handle_); }
  std::string Log() const { return Whole().substr(start_); }

 private:
  std::string Whole() const {
    auto log = reinterpret_cast<const char* (*)()>(::dlsym(handle_, "TestAddInLog"));
    return log ? log() : "(no log)";
  }

  void* handle_;
  std::size_t start_;
};

class AddInManagerTest : public ::testing::Test {
 protected:
  test::ScopedConfigHome home_;
  QTemporaryDir settingsDir_;
  QSettings settings_{settingsDir_.filePath("desktop.ini"), QSettings::IniFormat};
  Ref<model::Application> app_ = model::Application::Create();
  std::vector<std::string> reports_;
  TestAddIn addIn_;

  std::unique_ptr<AddInManager> MakeManager() {
    return std::make_unique<AddInManager>(
        app_, settings_, [this](const std::string& text) { reports_.push_back(text); });
  }

  static int Register(const std::string& library, bool unregister, std::string* err = nullptr) {
    std::ostringstream out, errors;
    const int status = RegisterAddInLibrary(library, unregister, out, errors);
    if (err) *err = errors.str();
    return status;
  }

  static bool Registered(const std::string& classId) {
    const auto all = platform::RegisteredAddIns();
    return std::any_of(all.begin(), all.end(), [&](const auto& r) { return r.classId == classId; });
  }
};

TEST_F(AddInManagerTest, RegistersLoadsActivatesDeactivatesAndUnregisters) {
  ASSERT_EQ(Register(SLEDWAY_TEST_ADD_IN, false), 0);
  const auto registered = platform::RegisteredAddIns();
  ASSERT_EQ(registered.size(), 1u);
  EXPECT_EQ(registered[0].classId, kWorkingClass);
  EXPECT_EQ(registered[0].libraryPath, SLEDWAY_TEST_ADD_IN);

  {
    auto manager = MakeManager();
    manager->LoadAtStartUp();
    EXPECT_TRUE(manager->Loaded(kWorkingClass));
    // The add-in reached the host through its site: its bar and button are there.
    EXPECT_EQ(app_->UserInterfaceObject()->Bars()->Item("Test add-in")->GetControls()->Count(), 1);
    EXPECT_TRUE(manager->Unload(kWorkingClass));
    EXPECT_FALSE(manager->Loaded(kWorkingClass));
    EXPECT_TRUE(manager->Load(registered[0]));
  }  // quitting deactivates what still runs
  EXPECT_EQ(addIn_.Log(), "activate:first deactivate activate:again deactivate ");
  EXPECT_TRUE(reports_.empty());

  // FirstTime is false for good once the class was activated, in a later session too.
  MakeManager()->LoadAtStartUp();
  EXPECT_THAT(addIn_.Log(), HasSubstr("deactivate activate:again deactivate activate:again "));

  ASSERT_EQ(Register(SLEDWAY_TEST_ADD_IN, true), 0);
  EXPECT_FALSE(Registered(kWorkingClass));
}

TEST_F(AddInManagerTest, BrokenAddInsAreReportedOnceNamingThemAndSkipped) {
  ASSERT_EQ(Register(SLEDWAY_TEST_ADD_IN, false), 0);
  platform::RegisterAddIn(
      {"{5E1D3A7C-0000-4000-8000-00000000B001}", "Gone", "/nowhere/gone.so", true});
  platform::RegisterAddIn(
      {"{5E1D3A7C-0000-4000-8000-00000000B002}", "Plain library", SLEDWAY_NOT_AN_ADD_IN, true});
  platform::RegisterAddIn({kThrowingClass, "Thrower", SLEDWAY_TEST_ADD_IN, true});
  platform::RegisterAddIn(
      {"{5E1D3A7C-0000-4000-8000-00000000B003}", "Not at start", "/nowhere/either.so", false});

  auto manager = MakeManager();
  manager->LoadAtStartUp();
  EXPECT_THAT(reports_, UnorderedElementsAre(
                            AllOf(HasSubstr("\"Gone\""), HasSubstr("/nowhere/gone.so")),
                            AllOf(HasSubstr(SLEDWAY_NOT_AN_ADD_IN), HasSubstr("is not an add-in")),
                            AllOf(HasSubstr("\"Thrower\""), HasSubstr("the licence has run out"))));
  // The host goes on with the add-in that works.
  EXPECT_TRUE(manager->Loaded(kWorkingClass));
  EXPECT_FALSE(manager->Loaded(kThrowingClass));
  EXPECT_EQ(manager->AddIns().size(), 5u);

  std::string err;
  EXPECT_EQ(Register(SLEDWAY_NOT_AN_ADD_IN, false, &err), 1);
  EXPECT_THAT(err, HasSubstr("does not export DllRegisterServer"));
  EXPECT_EQ(Register("/nowhere/gone.so", false, &err), 1);
  EXPECT_THAT(err, HasSubstr("/nowhere/gone.so"));
}

TEST_F(AddInManagerTest, WithNothingRegisteredTheHostRegistersItsOwnAddInFoundFirstAndLoadsIt) {
  constexpr const char* kSledwayClass = "{1ED471A1-4725-4827-B91F-4EE510CB2B8D}";
  const std::filesystem::path missing = "/nowhere/libsledway.so";
  auto manager = MakeManager();
  ASSERT_TRUE(manager->RegisterOwnAddInWhenNoneIs({missing, SLEDWAY_ADDIN_LIBRARY}));
  const auto registered = platform::RegisteredAddIns();
  ASSERT_EQ(registered.size(), 1u);
  EXPECT_EQ(registered[0].classId, kSledwayClass);
  EXPECT_EQ(registered[0].libraryPath, std::filesystem::canonical(SLEDWAY_ADDIN_LIBRARY).string());
  manager->LoadAtStartUp();
  EXPECT_TRUE(manager->Loaded(kSledwayClass));
  EXPECT_EQ(app_->UserInterfaceObject()->Bars()->Item("Sledway")->GetControls()->Count(), 1);
  EXPECT_TRUE(manager->Unload(kSledwayClass));

  // Once anything is registered, what the user registered is left alone, even a library that
  // is gone.
  EXPECT_FALSE(manager->RegisterOwnAddInWhenNoneIs({SLEDWAY_ADDIN_LIBRARY}));
  ASSERT_EQ(Register(SLEDWAY_ADDIN_LIBRARY, true), 0);
  platform::RegisterAddIn({kThrowingClass, "Elsewhere", missing.string(), true});
  EXPECT_FALSE(manager->RegisterOwnAddInWhenNoneIs({SLEDWAY_ADDIN_LIBRARY}));
  EXPECT_FALSE(Registered(kSledwayClass));

  // Of two libraries that are there, the first is registered.
  platform::UnregisterAddIn(kThrowingClass);
  ASSERT_TRUE(manager->RegisterOwnAddInWhenNoneIs({SLEDWAY_TEST_ADD_IN, SLEDWAY_ADDIN_LIBRARY}));
  EXPECT_TRUE(Registered(kWorkingClass));
  EXPECT_FALSE(Registered(kSledwayClass));
  EXPECT_TRUE(reports_.empty());
}

TEST_F(AddInManagerTest, AnOwnAddInThatIsMissingOrNoAddInIsReportedOnceAndNothingIsRegistered) {
  auto manager = MakeManager();
  EXPECT_FALSE(manager->RegisterOwnAddInWhenNoneIs({"/nowhere/a.so", "/nowhere/b.so"}));
  EXPECT_THAT(reports_, ElementsAre(AllOf(HasSubstr("not found"), HasSubstr("/nowhere/a.so"),
                                          HasSubstr("/nowhere/b.so"))));
  reports_.clear();
  EXPECT_FALSE(manager->RegisterOwnAddInWhenNoneIs({SLEDWAY_NOT_AN_ADD_IN}));
  EXPECT_THAT(reports_, ElementsAre(HasSubstr("does not export DllRegisterServer")));
  EXPECT_TRUE(platform::RegisteredAddIns().empty());
  // The host goes on: loading finds nothing to load and says nothing more.
  manager->LoadAtStartUp();
  EXPECT_TRUE(manager->AddIns().empty());
  EXPECT_EQ(reports_.size(), 1u);
}

TEST_F(AddInManagerTest, TheAddInsWindowListsTheAddInsAndLoadsOrUnloadsOne) {
  ASSERT_EQ(Register(SLEDWAY_TEST_ADD_IN, false), 0);
  auto manager = MakeManager();
  AddInsDialog dialog(*manager);
  auto* table = dialog.findChild<QTableWidget*>();
  ASSERT_NE(table, nullptr);
  ASSERT_EQ(table->rowCount(), 1);
  EXPECT_EQ(table->item(0, 0)->text(), "Test add-in");
  EXPECT_EQ(table->item(0, 1)->text(), "Unloaded");
  EXPECT_EQ(table->item(0, 3)->text(), SLEDWAY_TEST_ADD_IN);

  QPushButton* toggle = nullptr;
  for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
    if (button->text() == "Load") toggle = button;
  }
  ASSERT_NE(toggle, nullptr);
  table->selectRow(0);
  toggle->click();
  EXPECT_TRUE(manager->Loaded(kWorkingClass));
  EXPECT_EQ(table->item(0, 1)->text(), "Loaded");
  EXPECT_EQ(toggle->text(), "Unload");
  toggle->click();
  EXPECT_FALSE(manager->Loaded(kWorkingClass));
  EXPECT_EQ(addIn_.Log(), "activate:first deactivate ");
}

}  // namespace
}  // namespace sledway::app
