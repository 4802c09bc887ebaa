#pragma once

#include <QObject>
#include <QToolBar>
#include <map>
#include <vector>

#include "host/event.hpp"
#include "host/object.hpp"

class QMainWindow;

namespace sledway::model {
class CommandBar;
class CommandBars;
class CommandBarControl;
}  // namespace sledway::model

namespace sledway::app {

// The host's command bars as toolbars of the main window: a bar an add-in adds becomes a
// toolbar, a button control on it a tool button with its definition's icon (its name when it
// has none) and tip, and a click on it runs the command. The assembly panel bar
// ("AMxAssemblyPanelCmdBar") shows while an assembly is active; the host's other bars of its
// own show only once something is placed on them.
class CommandBarToolbars : public QObject {
  Q_OBJECT

 public:
  CommandBarToolbars(QMainWindow& window, Ref<model::CommandBars> bars);

  void SetAssemblyActive(bool active);
  // The toolbar that shows the bar of that name; null when there is none.
  QToolBar* ToolbarOf(const QString& barName) const;

 private:
  void AddBar(const Ref<model::CommandBar>& bar);
  void AddControl(QToolBar& toolbar, const Ref<model::CommandBarControl>& control);
  void UpdateVisibility(QToolBar& toolbar);

  QMainWindow& window_;
  Ref<model::CommandBars> bars_;
  std::vector<std::pair<Ref<model::CommandBar>, QToolBar*>> toolbars_;
  std::vector<Connection> connections_;
  bool assemblyActive_ = false;
};

}  // namespace sledway::app
