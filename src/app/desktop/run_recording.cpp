#include "app/desktop/run_recording.hpp"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <stdexcept>

#include "app/desktop/view_widget.hpp"
#include "app/video/video_encoder.hpp"
#include "app/view/picture_pixels.hpp"

namespace sledway::app {
namespace {

constexpr int kFramesPerSecond = 25;

}  // namespace

RunRecording::RunRecording(QWidget& mainWindow, ViewWidget& view,
                           std::function<void(const QString&)> report,
                           std::function<void(const std::string&)> fail)
    : mainWindow_(mainWindow), view_(view), report_(std::move(report)), fail_(std::move(fail)) {
  qApp->installEventFilter(this);
  view_.OnSceneShown([this] { SceneShown(); });
  // The message loop waits only once the add-in returned control to the host; a yield
  // processes events without waiting.
  if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
    connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
      if (encoder_ || !failure_.empty()) EndRun();
      runWindow_.clear();
    });
  }
}

RunRecording::~RunRecording() {
  view_.OnSceneShown({});
  qApp->removeEventFilter(this);
}

void RunRecording::Arm(const std::filesystem::path& file) {
  if (!VideoFormatOf(file)) {
    throw std::invalid_argument("'" + file.string() +
                                "' is not a video file name: its name ends in " +
                                KnownVideoExtensions());
  }
  if (encoder_) throw std::invalid_argument("a run is being recorded");
  file_ = file;
  runWindow_.clear();
  failure_.clear();
}

void RunRecording::Stop() {
  if (file_) report_(tr("The recording stopped: the document was closed"));
  ownRun_ = false;
  encoder_.reset();
  file_.reset();
  runWindow_.clear();
  failure_.clear();
}

void RunRecording::BeginOwnRun() {
  ownRun_ = file_.has_value() && !encoder_;
}

void RunRecording::EndOwnRun() {
  if (!ownRun_) return;
  ownRun_ = false;
  EndRun();
}

bool RunRecording::eventFilter(QObject* watched, QEvent* event) {
  if (file_ && (event->type() == QEvent::Hide || event->type() == QEvent::Show)) {
    auto* dialog = qobject_cast<QDialog*>(watched);
    if (dialog && dialog->parentWidget() == &mainWindow_) {
      if (event->type() == QEvent::Hide && !encoder_) runWindow_ = dialog;
      if (event->type() == QEvent::Show && dialog == runWindow_) EndRun();
    }
  }
  return QObject::eventFilter(watched, event);
}

void RunRecording::SceneShown() {
  if (!file_ || !(runWindow_ || ownRun_) || !failure_.empty()) return;
  try {
    if (!encoder_) {
      encoder_ =
          std::make_unique<VideoEncoder>(*file_, view_.width(), view_.height(), kFramesPerSecond);
    }
    encoder_->Add(PixelsOf(view_.Draw(view_.width(), view_.height())));
  } catch (const std::exception& error) {
    // The run goes on unrecorded; the user hears of it when it is over.
    encoder_.reset();
    failure_ = error.what();
  }
}

void RunRecording::EndRun() {
  runWindow_.clear();
  if (!encoder_ && failure_.empty()) return;
  const std::filesystem::path file = *file_;
  std::string failure = std::move(failure_);
  file_.reset();
  failure_.clear();
  const std::unique_ptr<VideoEncoder> encoder = std::move(encoder_);
  if (failure.empty()) {
    try {
      encoder->Finish();
    } catch (const std::exception& error) {
      failure = error.what();
    }
  }
  if (!failure.empty()) {
    fail_("The run was not recorded: " + failure);
    return;
  }
  report_(tr("The run's video (%1 frames) is in %2")
              .arg(encoder->Frames())
              .arg(QString::fromStdString(file.string())));
}

}  // namespace sledway::app
