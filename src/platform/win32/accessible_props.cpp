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

void AccessibleProps::Apply() {
  if (waiting_.empty()) return;
  if (services_ == nullptr) {
    // Fails until COM is initialized; the descriptions wait for the next call then.
    void* made = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IAccPropServices, &made)))
      return;
    services_ = static_cast<IAccPropServices*>(made);
  }
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
