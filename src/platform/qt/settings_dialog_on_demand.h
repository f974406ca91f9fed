#pragma once
// The settings dialog of the Linux program, built the first time it is opened: its window and
// controls cost start-up time and memory that most runs never use.
#include <memory>

#include "platform/qt/linux_platform.h"
#include "ports/search_bar_view.h"
#include "ports/settings_dialog_host.h"

namespace velto {

class SettingsDialogOnDemand : public SettingsDialogLauncher {
 public:
  SettingsDialogOnDemand(SettingsDialogHost& bar, LinuxPlatform& platform);
  ~SettingsDialogOnDemand() override;
  SettingsDialogOnDemand(const SettingsDialogOnDemand&) = delete;
  SettingsDialogOnDemand& operator=(const SettingsDialogOnDemand&) = delete;

  void ShowSettingsDialog() override;
  // Closes the dialog, if it was ever built, dropping its unconfirmed choices.
  void Unload();

 private:
  struct Built;
  SettingsDialogHost& bar_;
  LinuxPlatform& platform_;
  std::unique_ptr<Built> built_;
};

}  // namespace velto
