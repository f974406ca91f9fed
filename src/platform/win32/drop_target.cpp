#include "platform/win32/drop_target.h"

#include "platform/win32/drop_data_win32.h"

namespace velto::win32 {

bool DropTarget::Register(HWND window) {
  Revoke();
  if (RegisterDragDrop(window, this) != S_OK) return false;
  window_ = window;
  return true;
}

void DropTarget::Revoke() {
  if (window_ == nullptr) return;
  RevokeDragDrop(window_);
  window_ = nullptr;
}

HRESULT DropTarget::QueryInterface(REFIID id, void** object) noexcept {
  if (object == nullptr) return E_POINTER;
  if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDropTarget)) {
    *object = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

DWORD DropTarget::Accepting(bool takes_it, DWORD allowed) {
  // A copy where the source allows it; the source's data is only read.
  if (!takes_it) return DROPEFFECT_NONE;
  if (allowed & DROPEFFECT_COPY) return DROPEFFECT_COPY;
  if (allowed & DROPEFFECT_MOVE) return DROPEFFECT_MOVE;
  return allowed & DROPEFFECT_LINK;
}

HRESULT DropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) noexcept {
  takes_current_ = OffersDropData(data);
  if (effect != nullptr) *effect = Accepting(takes_current_, *effect);
  return S_OK;
}

HRESULT DropTarget::DragOver(DWORD, POINTL, DWORD* effect) noexcept {
  if (effect != nullptr) *effect = Accepting(takes_current_, *effect);
  return S_OK;
}

HRESULT DropTarget::DragLeave() noexcept {
  takes_current_ = false;
  return S_OK;
}

HRESULT DropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) noexcept {
  takes_current_ = false;
  const bool takes_it = OffersDropData(data);
  if (effect != nullptr) *effect = Accepting(takes_it, *effect);
  if (takes_it && handler_) {
    // The handler reads files and fills lists; nothing may escape into OLE's caller.
    try {
      handler_(ReadDropData(data));
    } catch (...) {
      return E_UNEXPECTED;
    }
  }
  return S_OK;
}

}  // namespace velto::win32
