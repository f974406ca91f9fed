// velto: the search bar "ヴェルト" for Linux desktops. Hands the Linux host to the core's
// start-up sequence; everything the program does lives in the core.
#include "main/start_up.h"
#include "platform/qt/linux_start_up_host.h"

int main(int argc, char** argv) {
  velto::LinuxStartUpHost host(argc, argv);
  return velto::StartUp(host).Run();
}
