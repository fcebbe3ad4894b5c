// Drives a running Nexolant from outside, as a user would, for the end-to-end tests and
// `make run`:
//   e2e_driver wait SECONDS          wait for the visible main window; print its frame
//                                    rectangle (left top right bottom)
//   e2e_driver click CAPTION         click the visible child window with that text
//   e2e_driver post-click CAPTION    the same, without waiting for the click's handler
//   e2e_driver click-first-row       click the first row of the visible list view
//   e2e_driver answer CAPTION        print the text of the visible message box and press its
//                                    button with that text
//   e2e_driver text-at X Y           print the text of the visible child window whose top
//                                    left corner is at X, Y of the main window's client area
//   e2e_driver list                  print each visible child window of the main window:
//                                    class, client-area rectangle and text
//   e2e_driver close                 ask the main window to close (WM_CLOSE)
//   e2e_driver count NAME.exe        print how many processes run that executable
// Exit code 0 on success, 1 when the window or control is not found, 2 on bad usage.
#include <windows.h>

#include <commctrl.h>
#include <tlhelp32.h>

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

int PostClick(const std::string& caption) {
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
  PostMessageA(search.found, BM_CLICK, 0, 0);
  return 0;
}

BOOL CALLBACK VisibleList(HWND hwnd, LPARAM data) {
  char className[64] = "";
  GetClassNameA(hwnd, className, sizeof className);
  if (IsWindowVisible(hwnd) && lstrcmpiA(className, "SysListView32") == 0) {
    *reinterpret_cast<HWND*>(data) = hwnd;
    return FALSE;
  }
  return TRUE;
}

// A click a few pixels below the column headers, on the first row.
int ClickFirstRow() {
  const HWND main = MainWindow();
  HWND list = nullptr;
  if (main) {
    EnumChildWindows(main, &VisibleList, reinterpret_cast<LPARAM>(&list));
  }
  if (!list) {
    std::fprintf(stderr, "no visible list\n");
    return 1;
  }
  RECT header{};
  if (const HWND headerWindow = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0))) {
    GetClientRect(headerWindow, &header);
  }
  const LPARAM at = MAKELPARAM(20, header.bottom + 6);
  PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(list, WM_LBUTTONUP, 0, at);
  return 0;
}

BOOL CALLBACK PrintStatic(HWND hwnd, LPARAM) {
  char className[64] = "";
  GetClassNameA(hwnd, className, sizeof className);
  if (lstrcmpiA(className, "Static") == 0 && !TextOf(hwnd).empty()) {
    std::printf("%s\n", TextOf(hwnd).c_str());
  }
  return TRUE;
}

int Answer(const std::string& caption) {
  HWND box = nullptr;
  while ((box = FindWindowExA(nullptr, box, "#32770", nullptr)) != nullptr) {
    if (IsWindowVisible(box)) {
      break;
    }
  }
  if (!box) {
    std::fprintf(stderr, "no message box\n");
    return 1;
  }
  Search search;
  search.caption = caption;
  EnumChildWindows(box, &ByCaption, reinterpret_cast<LPARAM>(&search));
  if (!search.found) {
    std::fprintf(stderr, "no button \"%s\"\n", caption.c_str());
    return 1;
  }
  EnumChildWindows(box, &PrintStatic, 0);
  PostMessageA(search.found, BM_CLICK, 0, 0);
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

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "wait" && argc == 3) {
    return Wait(std::atoi(argv[2]));
  }
  if (command == "click" && argc == 3) {
    return Click(argv[2]);
  }
  if (command == "post-click" && argc == 3) {
    return PostClick(argv[2]);
  }
  if (command == "click-first-row" && argc == 2) {
    return ClickFirstRow();
  }
  if (command == "answer" && argc == 3) {
    return Answer(argv[2]);
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
  std::fprintf(stderr,
               "usage: e2e_driver wait SECONDS | click CAPTION | text-at X Y | list | close | "
               "count NAME.exe\n");
  return 2;
}
