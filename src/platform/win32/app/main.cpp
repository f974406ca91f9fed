// velto.exe: the search bar on Windows. Hands the Win32 host to the core's start-up sequence;
// everything the program does lives in the core.
#include <windows.h>

#include "main/start_up.h"
#include "win32_start_up_host.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int show_command) {
  velto::win32::Win32StartUpHost host(instance, arguments, show_command);
  return velto::StartUp(host).Run();
}
