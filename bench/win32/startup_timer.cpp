// Times a GUI program's start-up: from CreateProcess until its window (by class) is visible
// and answers a message, then closes it. Prints the median and the runs in milliseconds.
//   startup_timer EXE CLASS RUNS [ARGUMENTS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) return 2;
  const std::wstring exe = argv[1];
  const wchar_t* window_class = argv[2];
  const int runs = _wtoi(argv[3]);
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    std::wstring command = L"\"" + exe + L"\"";
    if (argc > 4) command += std::wstring(L" ") + argv[4];
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    LARGE_INTEGER begin{};
    QueryPerformanceCounter(&begin);
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
      return 1;
    HWND window = nullptr;
    for (int i = 0; i < 20000 && (window == nullptr || !IsWindowVisible(window)); ++i) {
      window = FindWindowW(window_class, nullptr);
      if (window == nullptr || !IsWindowVisible(window)) Sleep(1);
    }
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
    LARGE_INTEGER end{};
    QueryPerformanceCounter(&end);
    times.push_back(static_cast<double>(end.QuadPart - begin.QuadPart) * 1000.0 /
                    static_cast<double>(frequency.QuadPart));
    PostMessageW(window, WM_CLOSE, 0, 0);
    WaitForSingleObject(info.hProcess, 10000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
  std::vector<double> sorted = times;
  std::sort(sorted.begin(), sorted.end());
  std::printf("median %.1f ms; runs", sorted[sorted.size() / 2]);
  for (double t : times) std::printf(" %.1f", t);
  std::printf("\n");
  return 0;
}
