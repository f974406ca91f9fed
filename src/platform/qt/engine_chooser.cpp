#include "platform/qt/engine_chooser.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace velto {

std::optional<std::vector<bool>> ChooseEnginesInWindow(QWidget* owner, const EngineChoice& choice) {
  QDialog window(owner);
  window.setWindowTitle(QString::fromStdString(choice.title));
  window.setObjectName(QStringLiteral("EngineChooser"));
  auto* layout = new QVBoxLayout(&window);  // owned by the window, as every widget below

  auto* prompt = new QLabel(QString::fromStdString(choice.prompt), &window);
  prompt->setWordWrap(true);
  layout->addWidget(prompt);

  auto* list = new QListWidget(&window);
  list->setObjectName(QStringLiteral("EngineList"));
  for (const std::string& row : choice.rows) {
    auto* item = new QListWidgetItem(QString::fromStdString(row), list);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Checked);
  }
  // The prompt names the list for a screen reader; Alt is not needed to reach it.
  prompt->setBuddy(list);
  list->setAccessibleName(QString::fromStdString(choice.prompt));
  list->setCurrentRow(0);
  layout->addWidget(list);

  if (!choice.note.empty()) {
    auto* note = new QLabel(QString::fromStdString(choice.note), &window);
    note->setWordWrap(true);
    layout->addWidget(note);
  }

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &window);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
  buttons->button(QDialogButtonBox::Ok)->setDefault(true);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &window, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &window, &QDialog::reject);
  layout->addWidget(buttons);

  window.resize(window.fontMetrics().averageCharWidth() * 70, window.sizeHint().height());
  list->setFocus();
  if (window.exec() != QDialog::Accepted) return std::nullopt;
  std::vector<bool> chosen;
  for (int row = 0; row < list->count(); ++row)
    chosen.push_back(list->item(row)->checkState() == Qt::Checked);
  return chosen;
}

}  // namespace velto
