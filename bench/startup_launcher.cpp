// Starts Windows programs in turn and times each one's start-up from the outside and from within
// its own process: from CreateProcess, and from the process's creation time (GetProcessTimes),
// to the moment its window is shown and painted. Then closes the window and waits for the end.
//
// usage: startup_launcher.exe RUNS NAME COMMAND_LINE [NAME COMMAND_LINE]...
// prints, per run: NAME wall_ms in_process_ms idle_ms painted_at_idle
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Search {
  DWORD process;
  HWND window;
};

// The visible top-level window of that process, if it has one yet.
HWND MainWindowOf(DWORD process) {
  Search search{process, nullptr};
  EnumWindows(
      [](HWND window, LPARAM found) -> BOOL {
        auto& wanted = *reinterpret_cast<Search*>(found);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != wanted.process || !IsWindowVisible(window) || GetWindow(window, GW_OWNER)) {
          return TRUE;
        }
        wanted.window = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.window;
}

// Shown, and neither the window nor any of its controls has anything left to paint.
bool Painted(HWND window) {
  if (!window || GetUpdateRect(window, nullptr, FALSE)) {
    return false;
  }
  BOOL pending = FALSE;
  EnumChildWindows(
      window,
      [](HWND child, LPARAM found) -> BOOL {
        if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
          *reinterpret_cast<BOOL*>(found) = TRUE;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&pending));
  return !pending;
}

double Milliseconds(ULONGLONG hundreds_of_ns) {
  return static_cast<double>(hundreds_of_ns) / 1e4;
}

ULONGLONG Ticks(const FILETIME& time) {
  return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

ULONGLONG Now() {
  FILETIME now;
  GetSystemTimePreciseAsFileTime(&now);
  return Ticks(now);
}

bool TimeOne(const char* name, std::wstring command_line) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child{};
  const ULONGLONG launched = Now();
  if (!CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &child)) {
    std::fprintf(stderr, "cannot start %s\n", name);
    return false;
  }
  WaitForInputIdle(child.hProcess, 30000);
  const ULONGLONG idle = Now();
  HWND window = MainWindowOf(child.dwProcessId);
  const bool painted_at_idle = Painted(window);
  for (int tries = 0; !Painted(window) && tries < 30000; ++tries) {
    Sleep(1);
    window = MainWindowOf(child.dwProcessId);
  }
  const ULONGLONG painted = Now();
  FILETIME created, exited, kernel, user;
  GetProcessTimes(child.hProcess, &created, &exited, &kernel, &user);
  std::printf("%s %.2f %.2f %.2f %d\n", name, Milliseconds(painted - launched),
              Milliseconds(painted - Ticks(created)), Milliseconds(idle - launched),
              painted_at_idle ? 1 : 0);
  std::fflush(stdout);
  PostMessageW(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(child.hProcess, 30000) != WAIT_OBJECT_0) {
    TerminateProcess(child.hProcess, 1);
  }
  CloseHandle(child.hThread);
  CloseHandle(child.hProcess);
  return window != nullptr;
}

}  // namespace

int main() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (count < 4 || count % 2 != 0) {
    std::fprintf(stderr, "usage: startup_launcher RUNS NAME COMMAND_LINE...\n");
    return 2;
  }
  const int runs = _wtoi(arguments[1]);
  std::vector<std::pair<std::string, std::wstring>> programs;
  for (int i = 2; i < count; i += 2) {
    const std::wstring name = arguments[i];
    programs.emplace_back(std::string(name.begin(), name.end()), arguments[i + 1]);
  }
  for (int run = 0; run < runs; ++run) {
    for (const auto& [name, command_line] : programs) {
      if (!TimeOne(name.c_str(), command_line)) {
        return 1;
      }
    }
  }
  return 0;
}
