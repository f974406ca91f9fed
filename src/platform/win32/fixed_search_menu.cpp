#include "platform/win32/fixed_search_menu.h"

#include "main/accessible_names.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"

namespace velto::win32 {

void FixedSearchMenu::SetEntryVisible(int index, bool visible) {
  if (index >= 0 && index < kMenuEntryCount) hidden_.set(static_cast<std::size_t>(index), !visible);
}

int FixedSearchMenu::EntryOfCommand(UINT id) {
  if (id < kMenuCommandBase || id >= kMenuCommandBase + kMenuEntryCount) return -1;
  return static_cast<int>(id - kMenuCommandBase);
}

void FixedSearchMenu::TrackAt(HWND owner, POINT at, AccessibleProps& accessible) const {
  UniqueMenu menu(CreatePopupMenu());
  if (!menu) return;
  for (const FixedSearch& entry : kFixedSearches) {
    if (hidden_.test(static_cast<std::size_t>(entry.index))) continue;
    if (entry.is_separator) {
      AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuW(menu.get(), MF_STRING, kMenuCommandBase + static_cast<UINT>(entry.index),
                  WideFromUtf8(entry.caption).c_str());
    }
  }
  accessible.NameMenu(menu.get(), WideFromUtf8(std::string(kMenuName)));
  // The owner must be in the foreground, or the menu would not close when clicked outside.
  SetForegroundWindow(owner);
  TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, owner,
                 nullptr);
  PostMessageW(owner, WM_NULL, 0, 0);
}

}  // namespace velto::win32
