#pragma once
// An OLE drop target for one window: it takes text and file lists and hands each drop to its
// handler. The object is owned by the search bar window, which revokes the registration when its
// window is destroyed; COM's reference count is kept but never frees the object.
#include <windows.h>
// after windows.h
#include <oleidl.h>

#include <functional>

#include "main/drop_data.h"

namespace velto::win32 {

class DropTarget final : public IDropTarget {
 public:
  using Handler = std::function<void(const DropData&)>;

  explicit DropTarget(Handler handler) : handler_(std::move(handler)) {}
  ~DropTarget() { Revoke(); }
  DropTarget(const DropTarget&) = delete;
  DropTarget& operator=(const DropTarget&) = delete;

  // Registers the target for `window` (OLE must be initialized); undone by Revoke or on
  // destruction.
  bool Register(HWND window);
  void Revoke();

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) noexcept override;
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() noexcept override { return --references_; }

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point,
                                      DWORD* effect) noexcept override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) noexcept override;
  HRESULT STDMETHODCALLTYPE DragLeave() noexcept override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point,
                                 DWORD* effect) noexcept override;

 private:
  static DWORD Accepting(bool takes_it, DWORD allowed);

  Handler handler_;
  HWND window_ = nullptr;
  ULONG references_ = 1;  // the owner's
  bool takes_current_ = false;
};

}  // namespace velto::win32
