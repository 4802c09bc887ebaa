#include "app/desktop/model_browser.hpp"

#include <QHeaderView>

#include "modelhost/document/assembly_document.hpp"
#include "modelhost/files/entity_names.hpp"

namespace sledway::app {

ModelBrowser::ModelBrowser(QWidget* parent) : QTreeWidget(parent) {
  setColumnCount(2);
  setHeaderLabels({tr("Name"), tr("Kind")});
  header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (const Ref<IVObject> entity = EntityOf(item)) Q_EMIT entityChosen(entity);
  });
  connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    if (const Ref<IVObject> entity = EntityOf(item)) Q_EMIT entityActivated(entity);
  });
}

void ModelBrowser::ShowDocument(const Ref<model::AssemblyDocument>& document) {
  const QSignalBlocker quiet(this);
  clear();
  entities_.clear();
  items_.clear();
  if (!document) return;
  for (const model::NamedEntity& named : model::ListEntities(*document)) {
    if (named.kind == "vertex" || named.kind == "edge") continue;
    const QString name = QString::fromStdString(named.name);
    const qsizetype slash = name.lastIndexOf('/');
    QTreeWidgetItem* parent = slash < 0 ? nullptr : ItemNamed(name.left(slash));
    const QStringList columns{name.mid(slash + 1), QString::fromStdString(named.kind)};
    auto* item = parent ? new QTreeWidgetItem(parent, columns) : new QTreeWidgetItem(this, columns);
    item->setToolTip(0, name);
    entities_[item] = named.entity;
    items_[name] = item;
  }
  expandAll();
}

Ref<IVObject> ModelBrowser::EntityOf(const QTreeWidgetItem* item) const {
  const auto found = entities_.find(item);
  return found == entities_.end() ? nullptr : found->second;
}

QTreeWidgetItem* ModelBrowser::ItemNamed(const QString& name) const {
  const auto found = items_.find(name);
  return found == items_.end() ? nullptr : found->second;
}

}  // namespace sledway::app
