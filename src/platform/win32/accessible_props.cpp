#include "platform/win32/accessible_props.h"

#include <initguid.h>
#include <oleacc.h>

namespace velto::win32 {

AccessibleProps::~AccessibleProps() {
  if (services_ != nullptr) services_->Release();
}

void AccessibleProps::SetDescription(HWND control, std::wstring description) {
  if (control == nullptr) return;
  for (auto& [window, text] : waiting_) {
    if (window != control) continue;
    text = std::move(description);
    Apply();
    return;
  }
  waiting_.emplace_back(control, std::move(description));
  Apply();
}

bool AccessibleProps::Ready() {
  if (services_ != nullptr) return true;
  // Fails until COM is initialized; whatever waits is handed over at a later call then.
  void* made = nullptr;
  if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IAccPropServices, &made)))
    return false;
  services_ = static_cast<IAccPropServices*>(made);
  return true;
}

void AccessibleProps::NameMenu(HMENU menu, const std::wstring& name) {
  if (menu != nullptr && Ready())
    services_->SetHmenuPropStr(menu, CHILDID_SELF, PROPID_ACC_NAME, name.c_str());
}

void AccessibleProps::Apply() {
  if (waiting_.empty() || !Ready()) return;
  for (const auto& [window, text] : waiting_) {
    if (text.empty())
      services_->ClearHwndProps(window, OBJID_CLIENT, CHILDID_SELF, &PROPID_ACC_DESCRIPTION, 1);
    else
      services_->SetHwndPropStr(window, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_DESCRIPTION,
                                text.c_str());
  }
  waiting_.clear();
}

}  // namespace velto::win32
