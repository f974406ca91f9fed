#include "platform/qt/linux_platform.h"

#include <QMessageBox>
#include <QPushButton>
#include <memory>

#include "main/browser_command.h"
#include "platform/qt/engine_chooser.h"

namespace velto {
namespace {

std::size_t Slot(WindowRole role) {
  return role == WindowRole::SearchBar ? 0 : 1;
}

}  // namespace

LinuxPlatform::LinuxPlatform(std::filesystem::path folder, std::string command_line,
                             ShellLauncher& launcher, std::filesystem::path help_folder)
    : folder_(std::move(folder)),
      help_folder_(std::move(help_folder)),
      command_line_(std::move(command_line)),
      launcher_(launcher) {}

void LinuxPlatform::SetWindow(WindowRole role, QWidget* window) {
  windows_[Slot(role)] = window;
}

QWidget* LinuxPlatform::WindowFor(WindowRole role) const {
  return windows_[Slot(role)].data();
}

void LinuxPlatform::OpenWithShell(WindowRole, const std::string& address) {
  // As with the Windows shell, a failure to start passes without notice.
  launcher_.Open(address);
}

bool LinuxPlatform::OpenWithCommand(WindowRole, const std::string& command,
                                    const std::string& address) {
  const auto arguments = ExecArguments(command, address);
  return arguments && launcher_.Start(*arguments);
}

MessageAnswer LinuxPlatform::ShowMessage(WindowRole owner, const std::string& text,
                                         const std::string& caption, MessageButtons buttons) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption),
                  QString::fromStdString(text), QMessageBox::Ok, WindowFor(owner));
  if (buttons == MessageButtons::OkCancel) {
    box.addButton(QMessageBox::Cancel);
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("キャンセル"));
    box.setEscapeButton(QMessageBox::Cancel);
  }
  box.setTextFormat(Qt::PlainText);
  return box.exec() == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

void LinuxPlatform::ShowNotice(WindowRole owner, const std::string& text,
                               const std::string& caption) {
  if (notice_) notice_->close();
  auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, QString::fromStdString(caption),
                                           QString::fromStdString(text), QMessageBox::Ok,
                                           WindowFor(owner));
  box->setTextFormat(Qt::PlainText);
  box->setWindowModality(Qt::NonModal);
  // Shown beside the window, which keeps the keyboard; closing it deletes it.
  box->setAttribute(Qt::WA_ShowWithoutActivating);
  box->setAttribute(Qt::WA_DeleteOnClose);
  notice_ = box.release();
  notice_->show();
}

std::optional<std::vector<bool>> LinuxPlatform::ChooseEngines(WindowRole owner,
                                                              const EngineChoice& choice) {
  return ChooseEnginesInWindow(WindowFor(owner), choice);
}

}  // namespace velto
