#pragma once

#include <QTreeWidget>
#include <map>

#include "host/object.hpp"

namespace sledway::model {
class AssemblyDocument;
}

namespace sledway::app {

// The tree beside the view: components with their work features and sketches, and the
// assembly's own sketches, each sketch with its curves, under the names `sledway inspect`
// prints. Vertices and edges are left to the view: a body has too many to list.
class ModelBrowser : public QTreeWidget {
  Q_OBJECT

 public:
  explicit ModelBrowser(QWidget* parent = nullptr);

  void ShowDocument(const Ref<model::AssemblyDocument>& document);
  // The entity an item stands for; null for none.
  Ref<IVObject> EntityOf(const QTreeWidgetItem* item) const;
  // The item of the entity named `name` (an inspect name); null when none is listed.
  QTreeWidgetItem* ItemNamed(const QString& name) const;

 Q_SIGNALS:
  // The user moved to an entry: a running pick is offered its entity.
  void entityChosen(const sledway::Ref<sledway::IVObject>& entity);
  // The user activated an entry (double click, Enter): a running pick selects its entity.
  void entityActivated(const sledway::Ref<sledway::IVObject>& entity);

 private:
  std::map<const QTreeWidgetItem*, Ref<IVObject>> entities_;
  std::map<QString, QTreeWidgetItem*> items_;
};

}  // namespace sledway::app
