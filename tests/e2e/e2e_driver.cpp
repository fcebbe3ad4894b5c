// Drives a running Nexolant from outside, as a user would, for the end-to-end tests and
// `make run`:
//   e2e_driver wait SECONDS          wait for the visible main window; print its frame
//                                    rectangle (left top right bottom)
//   e2e_driver click CAPTION         click the visible child window with that text
//   e2e_driver text-at X Y           print the text of the visible child window whose top
//                                    left corner is at X, Y of the main window's client area
//   e2e_driver list                  print each visible child window of the main window:
//                                    class, client-area rectangle and text
//   e2e_driver close                 ask the main window to close (WM_CLOSE)
//   e2e_driver count NAME.exe        print how many processes run that executable
//   e2e_driver minimize              minimize the main window as its title-bar button does
//   e2e_driver shown                 print "shown" while the main window is visible, else
//                                    "hidden"
//   e2e_driver tray-click            press and release the left button on the tray icon
//   e2e_driver rows X Y              print each row of the visible list view whose top left
//                                    corner is at X, Y of the main window's client area: its
//                                    columns' texts separated by " | "
// Exit code 0 on success, 1 when the window or control is not found, 2 on bad usage.
#include <windows.h>

#include <tlhelp32.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr char kFormClass[] = "NexolantForm";
constexpr char kTitle[] = "Nexolant";

// The visible main window: the form titled "Nexolant" with a caption bar (the splash window
// has none).
HWND MainWindow() {
  HWND hwnd = nullptr;
  while ((hwnd = FindWindowExA(nullptr, hwnd, kFormClass, kTitle)) != nullptr) {
    if (IsWindowVisible(hwnd) && (GetWindowLongA(hwnd, GWL_STYLE) & WS_CAPTION) == WS_CAPTION) {
      return hwnd;
    }
  }
  return nullptr;
}

std::string TextOf(HWND hwnd) {
  char text[512] = "";
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

struct Search {
  std::string caption;
  POINT at{-1, -1};
  HWND parent = nullptr;
  HWND found = nullptr;
};

BOOL CALLBACK ByCaption(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  if (IsWindowVisible(hwnd) && TextOf(hwnd) == search->caption) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK ByPosition(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  RECT rect;
  GetWindowRect(hwnd, &rect);
  POINT corner{rect.left, rect.top};
  ScreenToClient(search->parent, &corner);
  if (IsWindowVisible(hwnd) && corner.x == search->at.x && corner.y == search->at.y &&
      !TextOf(hwnd).empty()) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

int Wait(int seconds) {
  for (int tick = 0; tick < seconds * 10; ++tick) {
    if (const HWND hwnd = MainWindow()) {
      RECT rect;
      GetWindowRect(hwnd, &rect);
      std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
      return 0;
    }
    Sleep(100);
  }
  std::fprintf(stderr, "no main window after %d s\n", seconds);
  return 1;
}

int Click(const std::string& caption) {
  const HWND main = MainWindow();
  Search search;
  search.caption = caption;
  if (main) {
    EnumChildWindows(main, &ByCaption, reinterpret_cast<LPARAM>(&search));
  }
  if (!search.found) {
    std::fprintf(stderr, "no control \"%s\"\n", caption.c_str());
    return 1;
  }
  char className[64] = "";
  GetClassNameA(search.found, className, sizeof className);
  if (lstrcmpiA(className, "Button") == 0) {
    SendMessageA(search.found, BM_CLICK, 0, 0);
  } else {
    RECT client;
    GetClientRect(search.found, &client);
    const LPARAM at = MAKELPARAM(client.right / 2, client.bottom / 2);
    SendMessageA(search.found, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(search.found, WM_LBUTTONUP, 0, at);
  }
  return 0;
}

int TextAt(int x, int y) {
  const HWND main = MainWindow();
  Search search;
  search.parent = main;
  search.at = {x, y};
  if (main) {
    EnumChildWindows(main, &ByPosition, reinterpret_cast<LPARAM>(&search));
  }
  if (!search.found) {
    std::fprintf(stderr, "no control at %d, %d\n", x, y);
    return 1;
  }
  std::printf("%s\n", TextOf(search.found).c_str());
  return 0;
}

BOOL CALLBACK PrintChild(HWND hwnd, LPARAM parent) {
  if (IsWindowVisible(hwnd)) {
    char className[64] = "";
    GetClassNameA(hwnd, className, sizeof className);
    RECT rect;
    GetWindowRect(hwnd, &rect);
    MapWindowPoints(nullptr, reinterpret_cast<HWND>(parent), reinterpret_cast<POINT*>(&rect), 2);
    std::printf("%s %ld %ld %ld %ld \"%s\"\n", className, rect.left, rect.top, rect.right,
                rect.bottom, TextOf(hwnd).c_str());
  }
  return TRUE;
}

int List() {
  const HWND main = MainWindow();
  if (!main) {
    std::fprintf(stderr, "no main window\n");
    return 1;
  }
  EnumChildWindows(main, &PrintChild, reinterpret_cast<LPARAM>(main));
  return 0;
}

int Close() {
  const HWND main = MainWindow();
  if (!main) {
    std::fprintf(stderr, "no main window\n");
    return 1;
  }
  PostMessageA(main, WM_CLOSE, 0, 0);
  return 0;
}

int Count(const std::string& name) {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) {
    return 1;
  }
  int count = 0;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (lstrcmpiA(entry.szExeFile, name.c_str()) == 0) {
      ++count;
    }
  }
  CloseHandle(snapshot);
  std::printf("%d\n", count);
  return 0;
}

int Minimize() {
  const HWND main = MainWindow();
  if (!main) {
    std::fprintf(stderr, "no main window\n");
    return 1;
  }
  PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  return 0;
}

int Shown() {
  std::printf("%s\n", MainWindow() ? "shown" : "hidden");
  return 0;
}

// The icon's mouse messages reach the program's hidden tray window with message 45140.
int TrayClick() {
  const HWND tray = FindWindowA("NexolantTrayIcon", nullptr);
  if (!tray) {
    std::fprintf(stderr, "no tray window\n");
    return 1;
  }
  PostMessageA(tray, 45140, 0, WM_LBUTTONDOWN);
  PostMessageA(tray, 45140, 0, WM_LBUTTONUP);
  return 0;
}

BOOL CALLBACK ListViewAt(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  char className[64] = "";
  GetClassNameA(hwnd, className, sizeof className);
  RECT rect;
  GetWindowRect(hwnd, &rect);
  POINT corner{rect.left, rect.top};
  ScreenToClient(search->parent, &corner);
  if (IsWindowVisible(hwnd) && lstrcmpiA(className, WC_LISTVIEWA) == 0 &&
      corner.x == search->at.x && corner.y == search->at.y) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

// Memory in another process for the list view to read the request from and write the text
// to, since list view messages carry pointers that are not carried across processes.
class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE process, SIZE_T size)
      : process_(process),
        address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
  ~RemoteBuffer() {
    if (address_) {
      VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  char* get() const { return static_cast<char*>(address_); }

 private:
  HANDLE process_;
  void* address_;
};

int Rows(int x, int y) {
  const HWND main = MainWindow();
  Search search;
  search.parent = main;
  search.at = {x, y};
  if (main) {
    EnumChildWindows(main, &ListViewAt, reinterpret_cast<LPARAM>(&search));
  }
  if (!search.found) {
    std::fprintf(stderr, "no list view at %d, %d\n", x, y);
    return 1;
  }
  const HWND header = reinterpret_cast<HWND>(SendMessageA(search.found, LVM_GETHEADER, 0, 0));
  const int columns = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
  const int rows = static_cast<int>(SendMessageA(search.found, LVM_GETITEMCOUNT, 0, 0));
  DWORD processId = 0;
  GetWindowThreadProcessId(search.found, &processId);
  const HANDLE process =
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
  if (!process) {
    std::fprintf(stderr, "cannot open the list's process\n");
    return 1;
  }
  constexpr SIZE_T kTextSize = 512;
  int status = 0;
  {
    const RemoteBuffer remote(process, sizeof(LVITEMA) + kTextSize);
    for (int row = 0; row < rows && remote.get() && status == 0; ++row) {
      std::string line;
      for (int column = 0; column < columns; ++column) {
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = remote.get() + sizeof(LVITEMA);
        item.cchTextMax = kTextSize;
        char text[kTextSize] = "";
        if (!WriteProcessMemory(process, remote.get(), &item, sizeof item, nullptr) ||
            SendMessageA(search.found, LVM_GETITEMTEXTA, row,
                         reinterpret_cast<LPARAM>(remote.get())) < 0 ||
            !ReadProcessMemory(process, item.pszText, text, sizeof text - 1, nullptr)) {
          status = 1;
          break;
        }
        line += (column > 0 ? " | " : "") + std::string(text);
      }
      std::printf("%s\n", line.c_str());
    }
    status = remote.get() ? status : 1;
  }
  CloseHandle(process);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "wait" && argc == 3) {
    return Wait(std::atoi(argv[2]));
  }
  if (command == "click" && argc == 3) {
    return Click(argv[2]);
  }
  if (command == "text-at" && argc == 4) {
    return TextAt(std::atoi(argv[2]), std::atoi(argv[3]));
  }
  if (command == "list" && argc == 2) {
    return List();
  }
  if (command == "close" && argc == 2) {
    return Close();
  }
  if (command == "count" && argc == 3) {
    return Count(argv[2]);
  }
  if (command == "minimize" && argc == 2) {
    return Minimize();
  }
  if (command == "shown" && argc == 2) {
    return Shown();
  }
  if (command == "tray-click" && argc == 2) {
    return TrayClick();
  }
  if (command == "rows" && argc == 4) {
    return Rows(std::atoi(argv[2]), std::atoi(argv[3]));
  }
  std::fprintf(stderr,
               "usage: e2e_driver wait SECONDS | click CAPTION | text-at X Y | list | close | "
               "count NAME.exe | minimize | shown | tray-click | rows X Y\n");
  return 2;
}
