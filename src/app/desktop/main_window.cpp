#include "app/desktop/main_window.hpp"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenuBar>
#include <QMessageBox>
#include <QShortcut>
#include <QStatusBar>
#include <exception>

#include "app/desktop/add_in_manager.hpp"
#include "app/desktop/add_ins_dialog.hpp"
#include "app/desktop/clearance_plot.hpp"
#include "app/desktop/clearance_watch.hpp"
#include "app/desktop/command_bar_toolbars.hpp"
#include "app/desktop/model_browser.hpp"
#include "app/desktop/motion_panel.hpp"
#include "app/desktop/motion_run.hpp"
#include "app/desktop/run_recording.hpp"
#include "app/desktop/view_widget.hpp"
#include "modelhost/application/application.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/files/any_assembly.hpp"
#include "modelhost/files/sample_assemblies.hpp"

namespace sledway::app {
namespace {

constexpr const char* kTitle = "Sledway Desktop";
constexpr const char* kRecentKey = "RecentFiles";
constexpr const char* kClearanceWatchKey = "ClearanceWatch";
constexpr int kRecentCount = 8;

}  // namespace

MainWindow::MainWindow(Ref<model::Application> application, QSettings& settings, QWidget* parent)
    : QMainWindow(parent),
      application_(std::move(application)),
      settings_(settings),
      view_(new ViewWidget(application_, this)),
      browser_(new ModelBrowser(this)),
      motion_(new MotionPanel(
          [this](const model::SuggestedRun& suggested, const MotionSettings& settings) {
            return RunMotion(suggested, settings);
          },
          this)),
      recording_(std::make_unique<RunRecording>(
          *this, *view_, [this](const QString& text) { statusBar()->showMessage(text); },
          [](const std::string& text) { platform::ShowMessage(text, kTitle); })) {
  // Made now, so the view does not shrink when the first message comes.
  statusBar();
  setWindowTitle(kTitle);
  setCentralWidget(view_);
  auto* dock = new QDockWidget(tr("Model"), this);
  dock->setObjectName("ModelBrowser");
  dock->setWidget(browser_);
  addDockWidget(Qt::LeftDockWidgetArea, dock);
  auto* motionDock = new QDockWidget(tr("Motion"), this);
  motionDock->setObjectName("Motion");
  motionDock->setWidget(motion_);
  addDockWidget(Qt::LeftDockWidgetArea, motionDock);
  toolbars_ = new CommandBarToolbars(*this, application_->UserInterfaceObject()->Bars());
  watch_ = std::make_unique<ClearanceWatch>(*view_);
  watch_->SetEnabled(settings_.value(kClearanceWatchKey, false).toBool());
  view_->OnSceneChanged([this] { watch_->Update(); });
  BuildMenus();

  connect(browser_, &ModelBrowser::entityChosen, this,
          [this](const Ref<IVObject>& entity) { view_->Offer(entity, false); });
  connect(browser_, &ModelBrowser::entityActivated, this,
          [this](const Ref<IVObject>& entity) { view_->Offer(entity, true); });
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, view_, &ViewWidget::StopInteraction);

  services_ = std::make_unique<platform::ScopedDesktopServices>(platform::DesktopServices{
      .sleep = {},
      .showMessage =
          [this](const std::string& text, const std::string& title) {
            QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title),
                            QString::fromStdString(text), QMessageBox::Ok, this);
            box.exec();
          },
      .yieldToMessageLoop =
          [this] {
            QApplication::processEvents();
            view_->RedrawNow();
          },
  });
  application_->SetMainWindowHandle(static_cast<WindowHandle>(winId()));
  addIns_ = std::make_unique<AddInManager>(application_, settings_, [](const std::string& text) {
    platform::ShowMessage(text, kTitle);
  });
  resize(1280, 800);
}

MainWindow::~MainWindow() {
  addIns_->UnloadAll();
  application_->SetMainWindowHandle(0);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  recording_->Stop();
  addIns_->UnloadAll();
  event->accept();
}

void MainWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->addAction(tr("&Open..."), QKeySequence::Open, this, &MainWindow::ChooseFile);
  QMenu* samples = file->addMenu(tr("Open &Sample"));
  for (const model::SampleAssembly& sample : model::SampleAssemblies()) {
    QAction* action = samples->addAction(QString::fromStdString(sample.name),
                                         [this, name = sample.name] { OpenSample(name); });
    action->setToolTip(QString::fromStdString(sample.description));
  }
  recentMenu_ = file->addMenu(tr("&Recent Files"));
  FillRecentMenu();
  file->addSeparator();
  file->addAction(tr("Save &Image..."), this, &MainWindow::ChooseImageFile);
  file->addAction(tr("Record run..."), this, &MainWindow::ChooseVideoFile);
  file->addSeparator();
  file->addAction(tr("&Quit"), QKeySequence::Quit, this, &QWidget::close);

  QMenu* view = menuBar()->addMenu(tr("&View"));
  view->addAction(tr("&Fit All"), QKeySequence(Qt::Key_F), view_, &ViewWidget::FitAll);
  view->addSeparator();
  view->addAction(tr("&Iso"), [this] { view_->SetProjection(V3d_XposYnegZpos); });
  view->addAction(tr("F&ront"), [this] { view_->SetProjection(V3d_Yneg); });
  view->addAction(tr("&Top"), [this] { view_->SetProjection(V3d_Zpos); });
  view->addAction(tr("&Right"), [this] { view_->SetProjection(V3d_Xpos); });
  view->addSeparator();
  auto* shading = new QActionGroup(this);
  QAction* shaded = view->addAction(tr("&Shaded"), [this] { view_->SetEdgesShown(false); });
  QAction* withEdges =
      view->addAction(tr("Shaded with &Edges"), [this] { view_->SetEdgesShown(true); });
  for (QAction* action : {shaded, withEdges}) {
    action->setCheckable(true);
    shading->addAction(action);
  }
  withEdges->setChecked(true);

  QMenu* tools = menuBar()->addMenu(tr("&Tools"));
  tools->addAction(tr("&Add-Ins..."), [this] {
    AddInsDialog dialog(*addIns_, this);
    dialog.exec();
  });
  tools->addSeparator();
  QAction* watch = tools->addAction(tr("&Clearance Watch"));
  watch->setCheckable(true);
  watch->setChecked(watch_->Enabled());
  watch->setStatusTip(tr("While a component moves, show how close it comes to the others"));
  connect(watch, &QAction::toggled, this, [this](bool on) {
    watch_->SetEnabled(on);
    settings_.setValue(kClearanceWatchKey, on);
    view_->update();
  });
  tools->addAction(tr("Clearance &Plot..."), [this] { ShowClearancePlot(); });
}

bool MainWindow::ShowClearancePlot() {
  const QString unit = QString::fromStdString(watch_->LengthUnit());
  if (const std::optional<RunClearanceRecord>& record = watch_->WholeMotion()) {
    ClearancePlot plot(*record, unit, this);
    plot.exec();
    return true;
  }
  if (watch_->Samples().empty()) {
    platform::ShowMessage(
        "The clearance watch has measured no run yet: turn it on in the Tools menu, then run.",
        kTitle);
    return false;
  }
  ClearancePlot plot(watch_->Samples(), unit, this);
  plot.exec();
  return true;
}

bool MainWindow::OpenFile(const std::filesystem::path& file) {
  model::AssemblyFile opened;
  try {
    opened = model::ReadAnyAssembly(file);
  } catch (const std::exception& error) {
    platform::ShowMessage("Cannot open " + file.string() + ":\n" + error.what(), kTitle);
    return false;
  }
  Show(opened.document, opened.run, QString::fromStdString(file.filename().string()));
  RememberRecent(QFileInfo(QString::fromStdString(file.string())).absoluteFilePath());
  return true;
}

bool MainWindow::OpenSample(const std::string& name) {
  model::AssemblyFile opened;
  try {
    opened = model::ReadSampleAssembly(model::FindSampleAssembly(name));
  } catch (const std::exception& error) {
    platform::ShowMessage("Cannot open the sample " + name + ":\n" + error.what(), kTitle);
    return false;
  }
  Show(opened.document, opened.run, QString::fromStdString(name) + tr(" (sample)"));
  return true;
}

void MainWindow::Show(const Ref<model::AssemblyDocument>& document,
                      const std::optional<model::SuggestedRun>& suggested, const QString& title) {
  // A pick of the assembly that goes away would offer entities no longer shown.
  view_->StopInteraction();
  recording_->Stop();
  document_ = document;
  application_->SetActiveDocument(document);
  watch_->Reset();
  view_->ShowDocument(document);
  browser_->ShowDocument(document);
  motion_->SetSuggestedRun(suggested);
  toolbars_->SetAssemblyActive(true);
  setWindowTitle(title + " - " + kTitle);
}

QString MainWindow::RunMotion(const model::SuggestedRun& suggested,
                              const MotionSettings& settings) {
  view_->StopInteraction();
  SuggestedMotionRun run(application_, document_, suggested, settings);
  // With the watch on, the plot gets the clearance of the whole motion, as the runner measures it.
  if (watch_->Enabled()) run.MeasureClearance([this](bool probing) { watch_->Probing(probing); });
  if (run.Position().end != MotionEnd::kCompleted) return tr("\"Position\" failed.");
  // The recording and the watch take the moves of "Run", as they do an add-in's.
  struct Recorded {
    RunRecording& recording;
    ClearanceWatch& watch;
    ~Recorded() {
      recording.EndOwnRun();
      watch.EndOwnRun();
    }
  } recorded{*recording_, *watch_};
  recording_->BeginOwnRun();
  watch_->BeginOwnRun();
  const MotionOutcome outcome = run.Run();
  watch_->KeepWholeMotion(run.Clearance());
  // The measurements on the way to the last move left the view where they stood.
  view_->update();
  if (outcome.end != MotionEnd::kCompleted) {
    return tr("The run ended after %1 moves: %2")
        .arg(outcome.moves)
        .arg(QString::fromStdString(outcome.failure));
  }
  QString text = tr("%1 moves made.").arg(outcome.moves);
  if (const std::optional<double> twist = run.HolonomyDegrees()) {
    text += tr(" Twist after one loop: %1 deg.").arg(*twist, 0, 'f', 4);
  }
  return text;
}

void MainWindow::RememberRecent(const QString& file) {
  QStringList recent = settings_.value(kRecentKey).toStringList();
  recent.removeAll(file);
  recent.prepend(file);
  while (recent.size() > kRecentCount) recent.removeLast();
  settings_.setValue(kRecentKey, recent);
  FillRecentMenu();
}

void MainWindow::FillRecentMenu() {
  recentMenu_->clear();
  const QStringList recent = settings_.value(kRecentKey).toStringList();
  for (const QString& file : recent) {
    recentMenu_->addAction(file, [this, file] { OpenFile(file.toStdString()); });
  }
  recentMenu_->setEnabled(!recent.isEmpty());
}

void MainWindow::ChooseFile() {
  const QString file = QFileDialog::getOpenFileName(
      this, tr("Open Assembly"), QString(),
      tr("Assemblies (*.json *.step *.stp *.STEP *.STP);;All files (*)"));
  if (!file.isEmpty()) OpenFile(file.toStdString());
}

void MainWindow::ChooseImageFile() {
  QString file =
      QFileDialog::getSaveFileName(this, tr("Save Image"), QString(), tr("PNG images (*.png)"));
  if (file.isEmpty()) return;
  if (!file.endsWith(".png", Qt::CaseInsensitive)) file += ".png";
  try {
    view_->SaveImage(file.toStdString());
  } catch (const std::exception& error) {
    platform::ShowMessage(error.what(), kTitle);
  }
}

void MainWindow::ChooseVideoFile() {
  QString file = QFileDialog::getSaveFileName(this, tr("Record Run"), QString(),
                                              tr("Videos (*.mp4 *.gif *.webm)"));
  if (file.isEmpty()) return;
  if (QFileInfo(file).suffix().isEmpty()) file += ".mp4";
  try {
    recording_->Arm(file.toStdString());
  } catch (const std::exception& error) {
    platform::ShowMessage(error.what(), kTitle);
    return;
  }
  statusBar()->showMessage(tr("The next run of an add-in is recorded to %1").arg(file));
}

}  // namespace sledway::app
