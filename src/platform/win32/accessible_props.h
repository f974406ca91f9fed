#pragma once
// Descriptions of controls for screen readers, set through the system's annotation service
// (oleacc's IAccPropServices). The service is a COM object: descriptions asked for before COM is
// up on the thread wait, and Apply hands them over once it is; oleacc is loaded only then.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

struct IAccPropServices;

namespace velto::win32 {

class AccessibleProps {
 public:
  AccessibleProps() = default;
  ~AccessibleProps();
  AccessibleProps(const AccessibleProps&) = delete;
  AccessibleProps& operator=(const AccessibleProps&) = delete;

  // The description of `control`; an empty one takes it away.
  void SetDescription(HWND control, std::wstring description);
  // Hands every waiting description over, once COM is initialized on this thread.
  void Apply();
  // Names a popup menu while it is open (menus are made when they open; COM is up by then).
  void NameMenu(HMENU menu, const std::wstring& name);

 private:
  IAccPropServices* services_ = nullptr;  // released in the destructor
  bool Ready();

  std::vector<std::pair<HWND, std::wstring>> waiting_;
};

}  // namespace velto::win32
