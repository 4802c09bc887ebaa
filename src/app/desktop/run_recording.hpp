#pragma once

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QWidget;

namespace sledway::app {

class VideoEncoder;
class ViewWidget;

// File > "Record run...": the next run of an add-in, recorded from the view as it moves into a
// video of the view's size (MP4, GIF or WebM by the file's extension).
//
// What the host sees of a run: the add-in hides its tool window, a dialog the main window owns,
// when the run starts and shows it again when the run is over. In between, each move changes
// a component's placement (Component::OnDisplayChanged), which marks the view's scene stale,
// and the add-in's yield to the message loop after the move repaints the view: one repaint
// that shows a changed scene per move, and one frame. A "Position", which moves with the
// window shown, is no run and is not recorded. Should the window go for good instead, the
// recording ends when the host's message loop next waits for events.
class RunRecording : public QObject {
  Q_OBJECT

 public:
  // `report` tells the user where the video went or that it stopped; `fail` why there is none.
  RunRecording(QWidget& mainWindow, ViewWidget& view, std::function<void(const QString&)> report,
               std::function<void(const std::string&)> fail);
  ~RunRecording() override;

  // Records the next run into `file`. Throws std::invalid_argument for a name no video takes
  // and while a run is being recorded.
  void Arm(const std::filesystem::path& file);
  bool Armed() const { return file_.has_value(); }
  // The document the run moves goes away: a recording armed or under way is dropped, with its
  // file.
  void Stop();
  // The host's own run (the "Motion" panel's) between these two is recorded as an add-in's is.
  void BeginOwnRun();
  void EndOwnRun();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SceneShown();
  void EndRun();

  QWidget& mainWindow_;
  ViewWidget& view_;
  std::function<void(const QString&)> report_;
  std::function<void(const std::string&)> fail_;
  std::optional<std::filesystem::path> file_;
  // The add-in's window while it is hidden for a run.
  QPointer<QDialog> runWindow_;
  bool ownRun_ = false;
  std::unique_ptr<VideoEncoder> encoder_;
  std::string failure_;  // reported when the run is over
};

}  // namespace sledway::app
