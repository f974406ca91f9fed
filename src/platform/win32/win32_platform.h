#pragma once
// The system services of the core over the Win32 API.
#include <windows.h>

#include <array>
#include <memory>

#include "platform/win32/import_module_loader.h"
#include "platform/win32/notice_window.h"
#include "platform/win32/system_library.h"
#include "ports/platform.h"
#include "settings/file_path.h"

namespace velto::win32 {

class Win32Platform final : public Platform {
 public:
  Win32Platform();

  // The window that owns shell calls and message boxes of each role (null: none yet).
  void SetOwnerWindow(WindowRole role, HWND window);

  FilePath ProgramFolder() const override { return folder_; }
  std::string CommandLine() const override;
  void OpenWithShell(WindowRole owner, const std::string& address) override;
  bool OpenWithCommand(WindowRole owner, const std::string& command,
                       const std::string& address) override;
  MessageAnswer ShowMessage(WindowRole owner, const std::string& text, const std::string& caption,
                            MessageButtons buttons) override;
  void ShowNotice(WindowRole owner, const std::string& text, const std::string& caption) override;
  EngineSources& Engines() override;
  std::optional<std::vector<bool>> ChooseEngines(WindowRole owner,
                                                 const EngineChoice& choice) override;

 private:
  HWND Owner(WindowRole role) const;
  // The shell's call that opens an address, loaded at the first page opened.
  HINSTANCE ShellOpen(WindowRole owner, const std::wstring& address);

  FilePath folder_;
  // Kept for the rest of the program: the shell may go on working after its call returns.
  std::unique_ptr<SystemLibrary> shell_;
  std::array<HWND, 2> owners_{};
  NoticeWindow notice_;
  // velto-import.dll, loaded at the first import and kept: the program seldom imports twice.
  std::unique_ptr<ImportModule> import_;
};

}  // namespace velto::win32
