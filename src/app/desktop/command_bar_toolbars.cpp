#include "app/desktop/command_bar_toolbars.hpp"

#include <QAction>
#include <QMainWindow>
#include <QPixmap>
#include <exception>

#include "host/add_in_server.hpp"
#include "modelhost/application/button_definition.hpp"
#include "modelhost/application/command_bars.hpp"
#include "platform/desktop.hpp"

namespace sledway::app {
namespace {

constexpr const char* kAssemblyPanel = "AMxAssemblyPanelCmdBar";

bool HostBar(const std::string& name) {
  return name == "StandardToolbar" || name == kAssemblyPanel || name == "PMxPartFeatureCmdBar" ||
         name == "PMxPartSketchCmdBar";
}

QIcon IconOf(const model::ButtonArguments& arguments) {
  const auto picture = As<IVPictureDisp>(arguments.standardIcon);
  if (!picture) return {};
  const std::vector<std::uint8_t> png = picture->PngData();
  QPixmap pixmap;
  if (!pixmap.loadFromData(png.data(), static_cast<uint>(png.size()), "PNG")) return {};
  return QIcon(pixmap);
}

}  // namespace

CommandBarToolbars::CommandBarToolbars(QMainWindow& window, Ref<model::CommandBars> bars)
    : QObject(&window), window_(window), bars_(std::move(bars)) {
  for (const Ref<model::CommandBar>& bar : bars_->Bars()) AddBar(bar);
  connections_.push_back(
      bars_->OnBarAdded.Connect([this](const Ref<model::CommandBar>& bar) { AddBar(bar); }));
}

void CommandBarToolbars::AddBar(const Ref<model::CommandBar>& bar) {
  const QString name = QString::fromStdString(bar->Name());
  auto* toolbar = new QToolBar(name == kAssemblyPanel ? tr("Assembly Panel") : name, &window_);
  toolbar->setObjectName(name);
  window_.addToolBar(toolbar);
  toolbars_.emplace_back(bar, toolbar);
  for (const Ref<model::CommandBarControl>& control : bar->Controls()->Controls()) {
    AddControl(*toolbar, control);
  }
  connections_.push_back(bar->Controls()->OnControlAdded.Connect(
      [this, toolbar](const Ref<model::CommandBarControl>& control) {
        AddControl(*toolbar, control);
        UpdateVisibility(*toolbar);
      }));
  UpdateVisibility(*toolbar);
}

void CommandBarToolbars::AddControl(QToolBar& toolbar,
                                    const Ref<model::CommandBarControl>& control) {
  const Ref<IVButtonDefinition> definition = control->ButtonDefinition();
  const auto ours = As<model::ButtonDefinition>(definition);
  const std::string display = ours ? ours->Arguments().displayName : "";
  const QString text =
      QString::fromStdString(display.empty() ? definition->InternalName() : display);
  QAction* action = toolbar.addAction(ours ? IconOf(ours->Arguments()) : QIcon(), text);
  action->setToolTip(QString::fromStdString(definition->Tooltip()));
  action->setObjectName(QString::fromStdString(definition->InternalName()));
  connect(action, &QAction::triggered, this, [control] {
    try {
      control->Click();
    } catch (const std::exception& error) {
      platform::ShowMessage(error.what(), "Sledway Desktop");
    }
  });
}

void CommandBarToolbars::UpdateVisibility(QToolBar& toolbar) {
  const std::string name = toolbar.objectName().toStdString();
  const bool visible =
      name == kAssemblyPanel ? assemblyActive_ : !HostBar(name) || !toolbar.actions().isEmpty();
  toolbar.setVisible(visible);
}

void CommandBarToolbars::SetAssemblyActive(bool active) {
  assemblyActive_ = active;
  for (const auto& [bar, toolbar] : toolbars_) UpdateVisibility(*toolbar);
}

QToolBar* CommandBarToolbars::ToolbarOf(const QString& barName) const {
  for (const auto& [bar, toolbar] : toolbars_) {
    if (toolbar->objectName() == barName) return toolbar;
  }
  return nullptr;
}

}  // namespace sledway::app
