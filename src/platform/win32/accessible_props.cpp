#include "platform/win32/accessible_props.h"

#include <initguid.h>
#include <oleacc.h>

#include "platform/win32/system_library.h"

namespace velto::win32 {

struct AccessibleProps::Entry {
  HWND control = nullptr;
  WNDPROC previous = nullptr;  // the control's procedure before this one
  long role = 0;
  std::wstring name;
  std::wstring description;
  AccessibleProps* owner = nullptr;
};

namespace {

// IUnknown's and IDispatch's identifiers, spelled out: the uuid library's copies come in an
// object of some hundred others, 6 KB of the program.
constexpr GUID kUnknownId{0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID kDispatchId{0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

bool IsSelf(const VARIANT& child) {
  return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

using AllocString = BSTR(WINAPI*)(const OLECHAR*, UINT);

HRESULT Text(AllocString alloc, const std::wstring& text, BSTR* out) {
  if (out == nullptr) return E_INVALIDARG;
  *out = alloc(text.data(), static_cast<UINT>(text.size()));
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

// The system's object for a control, with the entry's role, name and description for the
// control itself; everything else, its children too, is the system's.
class Presented final : public IAccessible {
 public:
  Presented(IAccessible* inner, AllocString alloc, const AccessibleProps::Entry& entry)
      : inner_(inner),
        alloc_(alloc),
        control_(entry.control),
        role_(entry.role),
        name_(entry.name),
        description_(entry.description) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
    if (out == nullptr) return E_POINTER;
    if (id == kUnknownId || id == kDispatchId || id == IID_IAccessible) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    return inner_->QueryInterface(id, out);  // IOleWindow, IEnumVARIANT: the system's
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;  // COM's own lifetime rule
    return left;
  }
  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return inner_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT i, LCID l, ITypeInfo** info) override {
    return inner_->GetTypeInfo(i, l, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT n, LCID l,
                                          DISPID* ids) override {
    return inner_->GetIDsOfNames(id, names, n, l, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID d, REFIID id, LCID l, WORD f, DISPPARAMS* p, VARIANT* r,
                                   EXCEPINFO* e, UINT* a) override {
    return inner_->Invoke(d, id, l, f, p, r, e, a);
  }
  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return inner_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (!IsList() || count == nullptr) return inner_->get_accChildCount(count);
    *count = static_cast<long>(SendMessageW(control_, LB_GETCOUNT, 0, 0));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    if (!IsItem(child) || out == nullptr) return inner_->get_accChild(child, out);
    *out = nullptr;  // the rows are simple elements of the list
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
    if (IsSelf(child) && !name_.empty()) return Text(alloc_, name_, out);
    if (IsItem(child)) {
      const auto row = static_cast<WPARAM>(child.lVal - 1);
      std::wstring text(static_cast<std::size_t>(SendMessageW(control_, LB_GETTEXTLEN, row, 0)),
                        L'\0');
      SendMessageW(control_, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data()));
      return Text(alloc_, text, out);
    }
    return inner_->get_accName(child, out);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
    return inner_->get_accValue(child, out);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
    if (IsSelf(child) && !description_.empty()) return Text(alloc_, description_, out);
    return inner_->get_accDescription(child, out);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
    if (out != nullptr && IsItem(child)) {
      out->vt = VT_I4;
      out->lVal = ROLE_SYSTEM_LISTITEM;
      return S_OK;
    }
    if (!IsSelf(child) || role_ == 0 || out == nullptr) return inner_->get_accRole(child, out);
    out->vt = VT_I4;
    out->lVal = role_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
    if (out == nullptr || !IsItem(child)) return inner_->get_accState(child, out);
    out->vt = VT_I4;
    out->lVal = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (child.lVal == Current()) out->lVal |= STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* out) override {
    return inner_->get_accHelp(child, out);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return inner_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
    return inner_->get_accKeyboardShortcut(child, out);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
    if (!IsList() || out == nullptr) return inner_->get_accFocus(out);
    return CurrentRow(out);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
    if (!IsList() || out == nullptr) return inner_->get_accSelection(out);
    return CurrentRow(out);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
    return inner_->get_accDefaultAction(child, out);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    return inner_->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h,
                                        VARIANT child) override {
    if (!IsItem(child) || !x || !y || !w || !h) return inner_->accLocation(x, y, w, h, child);
    RECT row{};
    SendMessageW(control_, LB_GETITEMRECT, static_cast<WPARAM>(child.lVal - 1),
                 reinterpret_cast<LPARAM>(&row));
    MapWindowPoints(control_, nullptr, reinterpret_cast<POINT*>(&row), 2);
    *x = row.left;
    *y = row.top;
    *w = row.right - row.left;
    *h = row.bottom - row.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return inner_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override {
    return inner_->accHitTest(x, y, out);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return inner_->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return inner_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return inner_->put_accValue(child, value);
  }

 private:
  ~Presented() { inner_->Release(); }

  // A list box presented as a list gets its rows as children 1..n: the system's own object
  // has none for a list box under some systems.
  bool IsList() const { return role_ == ROLE_SYSTEM_LIST; }
  bool IsItem(const VARIANT& child) const {
    return IsList() && child.vt == VT_I4 && child.lVal > 0 &&
           child.lVal <= static_cast<long>(SendMessageW(control_, LB_GETCOUNT, 0, 0));
  }
  long Current() const {
    const LRESULT row = SendMessageW(control_, LB_GETCURSEL, 0, 0);
    return row == LB_ERR ? 0 : static_cast<long>(row) + 1;
  }
  HRESULT CurrentRow(VARIANT* out) const {
    const long row = Current();
    out->vt = row == 0 ? VT_EMPTY : VT_I4;
    if (row != 0) out->lVal = row;
    return row == 0 ? S_FALSE : S_OK;
  }

  IAccessible* inner_;
  AllocString alloc_;
  HWND control_;
  ULONG references_ = 1;
  long role_;
  std::wstring name_;
  std::wstring description_;
};

using CreateStdObject = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using ResultFromObject = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);

// The system's client object for the entry's window, presented with the entry's texts; 0 where
// oleacc cannot make one.
LRESULT Answer(AccessibleProps& owner, const AccessibleProps::Entry& entry, WPARAM wparam) {
  const auto create = owner.Library().Find<CreateStdObject>("CreateStdAccessibleObject");
  const auto result = owner.Library().Find<ResultFromObject>("LresultFromObject");
  const auto alloc = owner.StringLibrary().Find<AllocString>("SysAllocStringLen");
  IAccessible* inner = nullptr;
  if (create == nullptr || result == nullptr || alloc == nullptr ||
      FAILED(
          create(entry.control, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&inner))))
    return 0;
  auto* presented = new Presented(inner, alloc, entry);  // its references free it
  const LRESULT answer = result(IID_IAccessible, wparam, presented);
  presented->Release();
  return answer;
}

}  // namespace

LRESULT CALLBACK AccessibleProcedure(HWND control, UINT message, WPARAM wparam,
                                     LPARAM lparam) noexcept;

AccessibleProps::AccessibleProps() = default;

AccessibleProps::~AccessibleProps() {
  // Controls normally go first; one still there gets its own procedure back.
  for (const auto& entry : entries_) {
    if (entry->control == nullptr || !IsWindow(entry->control)) continue;
    SetWindowLongPtrW(entry->control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(entry->previous));
    SetWindowLongPtrW(entry->control, GWLP_USERDATA, 0);
  }
}

SystemLibrary& AccessibleProps::Library() {
  if (!oleacc_) oleacc_ = std::make_unique<SystemLibrary>(L"oleacc.dll");
  return *oleacc_;
}

SystemLibrary& AccessibleProps::StringLibrary() {
  if (!oleaut_) oleaut_ = std::make_unique<SystemLibrary>(L"oleaut32.dll");
  return *oleaut_;
}

AccessibleProps::Entry* AccessibleProps::Find(HWND control) {
  for (const auto& entry : entries_)
    if (entry->control == control) return entry.get();
  return nullptr;
}

void AccessibleProps::Present(HWND control, long role, std::wstring name,
                              std::wstring description) {
  if (control == nullptr) return;
  Entry* entry = Find(control);
  if (entry == nullptr) {
    entries_.push_back(std::make_unique<Entry>());
    entry = entries_.back().get();
    entry->control = control;
    entry->owner = this;
    // A plain window procedure, not a subclass of the common controls: the query box takes a
    // hundred thousand history entries in one go, and every message passes through here.
    SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(entry));
    entry->previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AccessibleProcedure)));
  }
  entry->role = role;
  entry->name = std::move(name);
  entry->description = std::move(description);
}

void AccessibleProps::SetDescription(HWND control, std::wstring description) {
  if (Entry* entry = Find(control)) entry->description = std::move(description);
}

LRESULT AccessibleProps::AnswerForOwnWindow(HWND window, long role, WPARAM wparam, LPARAM lparam) {
  if (static_cast<LONG>(lparam) != OBJID_CLIENT || role == 0) return 0;
  Entry entry;
  entry.control = window;
  entry.role = role;
  entry.owner = this;
  return Answer(*this, entry, wparam);
}

void AccessibleProps::NameMenu(HMENU menu, const std::wstring& name) {
  if (menu == nullptr) return;
  void* made = nullptr;
  if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IAccPropServices, &made)))
    return;
  auto* services = static_cast<IAccPropServices*>(made);
  services->SetHmenuPropStr(menu, CHILDID_SELF, PROPID_ACC_NAME, name.c_str());
  services->Release();
}

LRESULT CALLBACK AccessibleProcedure(HWND control, UINT message, WPARAM wparam,
                                     LPARAM lparam) noexcept {
  auto* entry =
      reinterpret_cast<AccessibleProps::Entry*>(GetWindowLongPtrW(control, GWLP_USERDATA));
  if (entry == nullptr) return DefWindowProcW(control, message, wparam, lparam);
  const WNDPROC previous = entry->previous;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    SetWindowLongPtrW(control, GWLP_USERDATA, 0);
    entry->control = nullptr;
  } else if (message == WM_GETOBJECT && static_cast<LONG>(lparam) == OBJID_CLIENT) {
    // The libraries are the owner's, so they outlive every answer of this window.
    if (const LRESULT answer = Answer(*entry->owner, *entry, wparam)) return answer;
  }
  return CallWindowProcW(previous, control, message, wparam, lparam);
}

}  // namespace velto::win32
