#include "app/desktop/add_ins_dialog.hpp"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/desktop/add_in_manager.hpp"

namespace sledway::app {

AddInsDialog::AddInsDialog(AddInManager& manager, QWidget* parent)
    : QDialog(parent),
      manager_(manager),
      table_(new QTableWidget(this)),
      toggle_(new QPushButton(tr("Load"), this)) {
  setWindowTitle(tr("Add-Ins"));
  table_->setColumnCount(4);
  table_->setHorizontalHeaderLabels({tr("Name"), tr("State"), tr("At start-up"), tr("Library")});
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->horizontalHeader()->setStretchLastSection(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  buttons->addButton(toggle_, QDialogButtonBox::ActionRole);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(table_);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(toggle_, &QPushButton::clicked, this, &AddInsDialog::ToggleSelected);
  connect(table_, &QTableWidget::itemSelectionChanged, this, &AddInsDialog::UpdateToggle);
  resize(640, 280);
  Fill();
}

void AddInsDialog::Fill() {
  const std::vector<AddInEntry> entries = manager_.AddIns();
  table_->setRowCount(static_cast<int>(entries.size()));
  for (int row = 0; row < table_->rowCount(); ++row) {
    const AddInEntry& entry = entries[static_cast<std::size_t>(row)];
    auto* name = new QTableWidgetItem(QString::fromStdString(entry.registration.name));
    name->setData(Qt::UserRole, QString::fromStdString(entry.registration.classId));
    table_->setItem(row, 0, name);
    table_->setItem(row, 1, new QTableWidgetItem(entry.loaded ? tr("Loaded") : tr("Unloaded")));
    table_->setItem(row, 2,
                    new QTableWidgetItem(entry.registration.loadOnStartUp ? tr("Yes") : tr("No")));
    table_->setItem(row, 3,
                    new QTableWidgetItem(QString::fromStdString(entry.registration.libraryPath)));
  }
  UpdateToggle();
}

void AddInsDialog::UpdateToggle() {
  const int row = table_->currentRow();
  toggle_->setEnabled(row >= 0);
  if (row >= 0) {
    toggle_->setText(table_->item(row, 1)->text() == tr("Loaded") ? tr("Unload") : tr("Load"));
  }
}

void AddInsDialog::ToggleSelected() {
  const int row = table_->currentRow();
  if (row < 0) return;
  const std::string classId = table_->item(row, 0)->data(Qt::UserRole).toString().toStdString();
  if (!manager_.Unload(classId)) {
    for (const AddInEntry& entry : manager_.AddIns()) {
      if (entry.registration.classId == classId) manager_.Load(entry.registration);
    }
  }
  Fill();
  table_->selectRow(row);
  UpdateToggle();
}

}  // namespace sledway::app
