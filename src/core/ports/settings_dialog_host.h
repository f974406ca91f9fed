#pragma once
// What the settings dialog needs of the search bar that opens it: the settings to show and
// change, the store to write them to, the bar's window to stand beside, and the bar's own
// reactions to changed settings. The search bar implements it; the dialog sees nothing else.
#include "ports/search_bar_view.h"
#include "settings/settings_model.h"
#include "settings/settings_store.h"

namespace velto {

class SettingsDialogHost {
 public:
  virtual ~SettingsDialogHost() = default;

  // The settings the bar runs on; the dialog shows them and changes them on OK and on each
  // slot change.
  virtual SettingsModel& Settings() = 0;
  // Where the dialog writes what it changed.
  virtual const SettingsStore& Store() const = 0;
  // The bar's window, read for placing the dialog beside it.
  virtual const SearchBarView& BarWindow() const = 0;

  // After OK: the search buttons take their captions from the settings, the bold font moves to
  // the default one among the four search buttons (a clear or menu button keeps its font), and
  // the topmost state follows AlwaysTop.
  virtual void LabelSearchButtons() = 0;
  virtual void ShowDefaultSearchButton() = 0;
  virtual void ApplyTopmost() = 0;
  // After the factory defaults were written: the settings read again and the bar placed as at
  // start-up.
  virtual void LoadSettings() = 0;
};

}  // namespace velto
