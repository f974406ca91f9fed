#pragma once
// The system services of the Linux program: process services from the POSIX layer, the
// message box and the screen from Qt.
#include <QMessageBox>
#include <QPointer>
#include <QWidget>
#include <array>
#include <filesystem>
#include <string>

#include "platform/posix/shell_launcher.h"
#include "platform/qt/import_module_loader.h"
#include "ports/platform.h"

namespace velto {

class LinuxPlatform : public Platform {
 public:
  // help_folder: where Help.html lies; empty for the settings folder itself.
  LinuxPlatform(std::filesystem::path folder, std::string command_line, ShellLauncher& launcher,
                std::filesystem::path help_folder = {});

  // The window that owns message boxes, for each role.
  void SetWindow(WindowRole role, QWidget* window);

  std::filesystem::path ProgramFolder() const override { return folder_; }
  std::filesystem::path HelpFolder() const override {
    return help_folder_.empty() ? folder_ : help_folder_;
  }
  std::string CommandLine() const override { return command_line_; }
  void OpenWithShell(WindowRole owner, const std::string& address) override;
  bool OpenWithCommand(WindowRole owner, const std::string& command,
                       const std::string& address) override;
  MessageAnswer ShowMessage(WindowRole owner, const std::string& text, const std::string& caption,
                            MessageButtons buttons) override;
  void ShowNotice(WindowRole owner, const std::string& text, const std::string& caption) override;
  EngineSources& Engines() override { return engines_; }
  std::optional<std::vector<bool>> ChooseEngines(WindowRole owner,
                                                 const EngineChoice& choice) override;

 private:
  QWidget* WindowFor(WindowRole role) const;

  std::filesystem::path folder_;
  std::filesystem::path help_folder_;
  std::string command_line_;
  ShellLauncher& launcher_;
  std::array<QPointer<QWidget>, 2> windows_;
  // The notice shown now, if any; it deletes itself when closed.
  QPointer<QMessageBox> notice_;
  ImportModuleSources engines_;
};

}  // namespace velto
