#pragma once

#include <QMainWindow>
#include <QSettings>
#include <filesystem>
#include <memory>
#include <optional>

#include "host/object.hpp"
#include "modelhost/files/suggested_run.hpp"
#include "platform/desktop.hpp"

class QMenu;

namespace sledway::model {
class Application;
class AssemblyDocument;
}  // namespace sledway::model

namespace sledway::app {

class AddInManager;
class ClearanceWatch;
class CommandBarToolbars;
class ModelBrowser;
class MotionPanel;
struct MotionSettings;
class RunRecording;
class ViewWidget;

// The desktop host's main window: the 3D view of the active assembly, the model browser beside
// it, the host's command bars as toolbars, and the File, View and Tools menus. While it lives,
// message boxes are Qt's and a yield to the message loop repaints the view.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // `settings` keeps the recent files and which add-ins were activated before.
  MainWindow(Ref<model::Application> application, QSettings& settings, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Opens an assembly file (.json) or STEP assembly (.step, .stp) in place of the open one.
  // A file that cannot be opened is reported naming it and the problem, and the open assembly
  // stays as it was. Returns whether it opened.
  bool OpenFile(const std::filesystem::path& file);
  // Opens a sample built in; false (and reported) for an unknown name.
  bool OpenSample(const std::string& name);

  Ref<model::AssemblyDocument> Document() const { return document_; }
  ViewWidget& View() const { return *view_; }
  ModelBrowser& Browser() const { return *browser_; }
  AddInManager& AddIns() const { return *addIns_; }
  ClearanceWatch& Watch() const { return *watch_; }
  // Opens the plot of the last run's clearance; false when the watch measured no run.
  bool ShowClearancePlot();
  RunRecording& Recording() const { return *recording_; }
  MotionPanel& Motion() const { return *motion_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  void Show(const Ref<model::AssemblyDocument>& document,
            const std::optional<model::SuggestedRun>& suggested, const QString& title);
  // The "Motion" panel's run; what became of it, for the panel to say.
  QString RunMotion(const model::SuggestedRun& suggested, const MotionSettings& settings);
  void RememberRecent(const QString& file);
  void FillRecentMenu();
  void ChooseFile();
  void ChooseImageFile();
  void ChooseVideoFile();

  Ref<model::Application> application_;
  QSettings& settings_;
  Ref<model::AssemblyDocument> document_;
  // The widgets: view in the middle, browser beside it, the bars above.
  ViewWidget* view_;
  ModelBrowser* browser_;
  MotionPanel* motion_;
  CommandBarToolbars* toolbars_;
  QMenu* recentMenu_ = nullptr;
  // Goes before the view it draws from (the window's children go after its members).
  std::unique_ptr<RunRecording> recording_;
  // The host's services for the add-in, and the add-ins themselves.
  std::unique_ptr<platform::ScopedDesktopServices> services_;
  std::unique_ptr<AddInManager> addIns_;
  std::unique_ptr<ClearanceWatch> watch_;
};

}  // namespace sledway::app
