#include "platform/qt/settings_dialog_on_demand.h"

#include "dialog/settings_dialog.h"
#include "platform/qt/settings_dialog_window.h"

namespace velto {

struct SettingsDialogOnDemand::Built {
  Built(SettingsDialogHost& bar, LinuxPlatform& platform) : dialog(bar, window, platform) {
    window.Attach(dialog);
  }
  SettingsDialogWindow window;
  SettingsDialog dialog;
};

SettingsDialogOnDemand::SettingsDialogOnDemand(SettingsDialogHost& bar, LinuxPlatform& platform)
    : bar_(bar), platform_(platform) {}

SettingsDialogOnDemand::~SettingsDialogOnDemand() {
  if (built_) platform_.SetWindow(WindowRole::SettingsDialog, nullptr);
}

void SettingsDialogOnDemand::ShowSettingsDialog() {
  if (!built_) {
    built_ = std::make_unique<Built>(bar_, platform_);
    platform_.SetWindow(WindowRole::SettingsDialog, &built_->window);
  }
  built_->dialog.ShowSettingsDialog();
}

void SettingsDialogOnDemand::Unload() {
  if (built_) built_->dialog.Unload();
}

}  // namespace velto
