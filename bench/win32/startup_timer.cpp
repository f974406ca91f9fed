// Times GUI programs' start-up: from CreateProcess until the program's window (by class) is
// visible and answers a message, then closes it. The programs take turns, round by round, so a
// slow spell of the machine falls on all of them alike; one round first warms the prefix up and
// is not counted. Prints, for each program in order, the median and the runs in milliseconds.
//   startup_timer RUNS EXE CLASS ARGUMENTS [EXE CLASS ARGUMENTS ...]   (ARGUMENTS may be "")
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Program {
  std::wstring command;
  const wchar_t* window_class;
  std::vector<double> times;
};

std::optional<double> TimeOneStart(Program& program, const LARGE_INTEGER& frequency) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  std::wstring command = program.command;
  LARGE_INTEGER begin{};
  QueryPerformanceCounter(&begin);
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info))
    return std::nullopt;
  HWND window = nullptr;
  for (int i = 0; i < 20000 && (window == nullptr || !IsWindowVisible(window)); ++i) {
    window = FindWindowW(program.window_class, nullptr);
    if (window == nullptr || !IsWindowVisible(window)) Sleep(1);
  }
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
  LARGE_INTEGER end{};
  QueryPerformanceCounter(&end);
  PostMessageW(window, WM_CLOSE, 0, 0);
  WaitForSingleObject(info.hProcess, 10000);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return static_cast<double>(end.QuadPart - begin.QuadPart) * 1000.0 /
         static_cast<double>(frequency.QuadPart);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 5 || (argc - 2) % 3 != 0) return 2;
  const int runs = _wtoi(argv[1]);
  std::vector<Program> programs;
  for (int i = 2; i + 2 < argc; i += 3) {
    std::wstring command = L"\"" + std::wstring(argv[i]) + L"\"";
    if (argv[i + 2][0] != L'\0') command += std::wstring(L" ") + argv[i + 2];
    programs.push_back({command, argv[i + 1], {}});
  }
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  for (int round = -1; round < runs; ++round) {
    for (Program& program : programs) {
      const std::optional<double> time = TimeOneStart(program, frequency);
      if (!time) return 1;
      if (round >= 0) program.times.push_back(*time);
    }
  }
  for (const Program& program : programs) {
    std::vector<double> sorted = program.times;
    std::sort(sorted.begin(), sorted.end());
    std::printf("median %.1f ms; runs", sorted[sorted.size() / 2]);
    for (double t : program.times) std::printf(" %.1f", t);
    std::printf("\n");
  }
  return 0;
}
