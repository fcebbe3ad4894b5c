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
//   e2e_driver minimize              minimize the main window as its title-bar button does
//   e2e_driver shown                 print "shown" while the main window is visible, else
//                                    "hidden"
//   e2e_driver tray-click            press and release the left button on the tray icon
//   e2e_driver checked CAPTION       print 1 when the check box or radio button is ticked, else 0
//   e2e_driver browse PATH           in the open browse-for-folder dialog, expand the tree down
//                                    to PATH ("C:\folder\sub"), select it, print the status
//                                    line, and press OK
//   e2e_driver rows                  print each row of the list on the page shown, its
//                                    first three columns: "caption|location|description"
//   e2e_driver rows X Y              print each row of the visible list view whose top left
//                                    corner is at X, Y of the main window's client area: its
//                                    columns' texts separated by " | "
//   e2e_driver resources             print, for the main window's process, its handle count,
//                                    GDI objects, USER objects, private bytes and working set
//                                    in bytes: "HANDLES GDI USER PRIVATE WORKING"
//   e2e_driver make-shortcut LINK TARGET [ARGUMENTS]
//                                    write a shortcut with the shell's link object
//   e2e_driver tasks                 print "path|program|arguments" for each program a
//                                    scheduled task starts; exit 1 when the scheduler lists none
//   e2e_driver make-task PATH PROGRAM [ARGUMENTS]
//                                    register a task that starts the program at logon
//   e2e_driver task-xml PATH         print the task's definition as the scheduler exports it
//   e2e_driver delete-task PATH      delete the scheduled task
// Exit code 0 on success, 1 when the window or control is not found, 2 on bad usage.
#include <windows.h>

#include <commctrl.h>
#include <psapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "startup_entries_verbs.h"

namespace {

constexpr char kFormClass[] = "NexolantForm";
constexpr char kTitle[] = "Nexolant";

// A kernel handle closed on every way out of its scope.
class OwnedHandle {
 public:
  explicit OwnedHandle(HANDLE handle)
      : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
  ~OwnedHandle() {
    if (handle_) {
      CloseHandle(handle_);
    }
  }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;

  HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  HANDLE handle_;
};

// The visible main window: the form titled "Nexolant" with a caption bar (the splash window
// has none); with E2E_WINDOW set, the form of that title (a dialog of the program).
HWND MainWindow() {
  const char* title = std::getenv("E2E_WINDOW");
  HWND hwnd = nullptr;
  while ((hwnd = FindWindowExA(nullptr, hwnd, kFormClass, title ? title : kTitle)) != nullptr) {
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

// Waits for the condition, looking ten times a second, for up to that many seconds of wall time.
template <class Condition>
bool WaitFor(int seconds, Condition condition) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start >= static_cast<DWORD>(seconds) * 1000) {
      return false;
    }
    Sleep(100);
  }
  return true;
}

int Wait(int seconds) {
  HWND hwnd = nullptr;
  if (WaitFor(seconds, [&hwnd] { return (hwnd = MainWindow()) != nullptr; })) {
    RECT rect;
    GetWindowRect(hwnd, &rect);
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
    return 0;
  }
  std::fprintf(stderr, "no main window after %d s\n", seconds);
  return 1;
}

HWND ControlByCaption(const std::string& caption) {
  const HWND main = MainWindow();
  Search search;
  search.caption = caption;
  if (main) {
    EnumChildWindows(main, &ByCaption, reinterpret_cast<LPARAM>(&search));
  }
  if (!search.found) {
    std::fprintf(stderr, "no control \"%s\"\n", caption.c_str());
  }
  return search.found;
}

bool IsButton(HWND hwnd) {
  char className[64] = "";
  GetClassNameA(hwnd, className, sizeof className);
  return lstrcmpiA(className, "Button") == 0;
}

// A sent message waits for the window's handler; a posted one returns at once.
void Deliver(bool wait, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (wait) {
    SendMessageA(hwnd, message, wParam, lParam);
  } else {
    PostMessageA(hwnd, message, wParam, lParam);
  }
}

int Click(const std::string& caption, bool wait) {
  const HWND control = ControlByCaption(caption);
  if (!control) {
    return 1;
  }
  const auto send = [wait](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Deliver(wait, hwnd, message, wParam, lParam);
  };
  if (IsButton(control)) {
    send(control, BM_CLICK, 0, 0);
  } else {
    RECT client;
    GetClientRect(control, &client);
    const LPARAM at = MAKELPARAM(client.right / 2, client.bottom / 2);
    send(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    send(control, WM_LBUTTONUP, 0, at);
  }
  return 0;
}

int Checked(const std::string& caption) {
  const HWND control = ControlByCaption(caption);
  if (!control) {
    return 1;
  }
  std::printf("%d\n", SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
  return 0;
}

// Memory in another process, for the list and tree messages that pass pointers.
class RemoteBuffer {
 public:
  RemoteBuffer(HWND window, std::size_t size) : size_(size) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    process_ =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process_) {
      address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
  }
  ~RemoteBuffer() {
    if (address_) {
      VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    if (process_) {
      CloseHandle(process_);
    }
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  bool Valid() const { return address_ != nullptr; }
  char* At(std::size_t offset) const { return static_cast<char*>(address_) + offset; }
  void Write(std::size_t offset, const void* data, std::size_t size) const {
    WriteProcessMemory(process_, At(offset), data, size, nullptr);
  }
  std::string ReadText(std::size_t offset) const {
    std::vector<char> text(size_ - offset + 1, '\0');
    ReadProcessMemory(process_, At(offset), text.data(), size_ - offset, nullptr);
    return text.data();
  }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  std::size_t size_;
};

constexpr std::size_t kTextOffset = 256;
constexpr std::size_t kTextSize = 1024;

std::string ItemText(HWND tree, HTREEITEM item) {
  const RemoteBuffer buffer(tree, kTextOffset + kTextSize);
  if (!buffer.Valid()) {
    return {};
  }
  TVITEMA request{};
  request.mask = TVIF_TEXT;
  request.hItem = item;
  request.pszText = buffer.At(kTextOffset);
  request.cchTextMax = static_cast<int>(kTextSize);
  buffer.Write(0, &request, sizeof request);
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(buffer.At(0)));
  return buffer.ReadText(kTextOffset);
}

std::string Upper(std::string text) {
  CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

// A tree item shows a drive as "C:" or with a label, "System (C:)"; a folder by its name.
bool ItemNames(const std::string& text, const std::string& component) {
  const std::string item = Upper(text);
  const std::string name = Upper(component);
  if (name.size() == 2 && name[1] == ':') {
    return item == name || item.find("(" + name + ")") != std::string::npos;
  }
  return item == name;
}

HWND BrowseDialog() {
  const HWND main = MainWindow();
  DWORD processId = 0;
  GetWindowThreadProcessId(main, &processId);
  HWND hwnd = nullptr;
  while ((hwnd = FindWindowExA(nullptr, hwnd, "#32770", nullptr)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == processId && IsWindowVisible(hwnd) &&
        FindWindowExA(hwnd, nullptr, WC_TREEVIEWA, nullptr) != nullptr) {
      return hwnd;
    }
  }
  return nullptr;
}

std::vector<std::string> StaticTexts(HWND dialog) {
  std::vector<std::string> texts;
  HWND child = nullptr;
  while ((child = FindWindowExA(dialog, child, "Static", nullptr)) != nullptr) {
    texts.push_back(TextOf(child));
  }
  return texts;
}

int Browse(const std::string& path) {
  HWND dialog = nullptr;
  if (!WaitFor(30, [&dialog] { return (dialog = BrowseDialog()) != nullptr; })) {
    std::fprintf(stderr, "no browse dialog\n");
    return 1;
  }
  const HWND tree = FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
  auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  std::size_t start = 0;
  while (start < path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string::npos) {
      end = path.size();
    }
    const std::string component = path.substr(start, end - start);
    start = end + 1;
    if (component.empty()) {
      continue;
    }
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    auto child = reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
    while (child && !ItemNames(ItemText(tree, child), component)) {
      child = reinterpret_cast<HTREEITEM>(
          SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)));
    }
    if (!child) {
      std::fprintf(stderr, "no tree item \"%s\"\n", component.c_str());
      return 1;
    }
    item = child;
  }
  SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  for (const std::string& text : StaticTexts(dialog)) {
    std::printf("%s\n", text.c_str());
  }
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  return 0;
}

// The list on the page shown.
BOOL CALLBACK FindList(HWND hwnd, LPARAM found) {
  char className[64] = "";
  GetClassNameA(hwnd, className, sizeof className);
  if (lstrcmpiA(className, WC_LISTVIEWA) == 0 && IsWindowVisible(hwnd)) {
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
  }
  return TRUE;
}

// Prints each row of list: its first columns' texts joined by separator.
int PrintRows(HWND list, int columns, const char* separator) {
  const RemoteBuffer buffer(list, kTextOffset + kTextSize);
  if (!buffer.Valid()) {
    std::fprintf(stderr, "cannot reach the list's process\n");
    return 1;
  }
  const auto count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < count; ++row) {
    std::string line;
    for (int column = 0; column < columns; ++column) {
      LVITEMA request{};
      request.iSubItem = column;
      request.pszText = buffer.At(kTextOffset);
      request.cchTextMax = static_cast<int>(kTextSize);
      buffer.Write(0, &request, sizeof request);
      SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(buffer.At(0)));
      if (column > 0) {
        line += separator;
      }
      line += buffer.ReadText(kTextOffset);
    }
    std::printf("%s\n", line.c_str());
  }
  return 0;
}

HWND ShownList() {
  const HWND main = MainWindow();
  HWND list = nullptr;
  if (main) {
    EnumChildWindows(main, &FindList, reinterpret_cast<LPARAM>(&list));
  }
  if (!list) {
    std::fprintf(stderr, "no list shown\n");
  }
  return list;
}

int Rows() {
  const HWND list = ShownList();
  return list ? PrintRows(list, 3, "|") : 1;
}

// The tick of each row of the list shown, as its state image: 1 ticked, 0 unticked.
int Ticks() {
  const HWND list = ShownList();
  if (!list) {
    return 1;
  }
  const auto count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < count; ++row) {
    const auto state =
        static_cast<UINT>(SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK));
    std::printf("%d\n", (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2) ? 1 : 0);
  }
  return 0;
}

void PostKey(HWND hwnd, WPARAM key) {
  PostMessageA(hwnd, WM_KEYDOWN, key, 1);
  PostMessageA(hwnd, WM_KEYUP, key, 1 | (3u << 30));
}

// Selects row of the list shown with the keyboard, as a user does: Home, then Down.
HWND SelectRow(int row) {
  const HWND list = ShownList();
  if (list) {
    PostKey(list, VK_HOME);
    for (int k = 0; k < row; ++k) {
      PostKey(list, VK_DOWN);
    }
  }
  return list;
}

// Space on a row: its tick changes.
int ToggleRow(int row) {
  const HWND list = SelectRow(row);
  if (!list) {
    return 1;
  }
  PostKey(list, VK_SPACE);
  return 0;
}

// The menu of a row, opened from the keyboard, and its item of that access key chosen.
int MenuChoice(int row, char key) {
  const HWND list = SelectRow(row);
  if (!list) {
    return 1;
  }
  PostMessageA(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), -1);
  HWND menu = nullptr;
  const auto opened = [&menu] {
    menu = FindWindowA("#32768", nullptr);
    return menu && IsWindowVisible(menu);
  };
  if (!WaitFor(30, opened)) {
    std::fprintf(stderr, "no menu opened\n");
    return 1;
  }
  PostMessageA(menu, WM_CHAR, static_cast<WPARAM>(key), 1);
  return 0;
}

// A click a few pixels below the column headers, on the first row.
int ClickFirstRow() {
  const HWND list = ShownList();
  if (!list) {
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
  const OwnedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) {
    return 1;
  }
  int count = 0;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot.get(), &entry); more;
       more = Process32Next(snapshot.get(), &entry)) {
    if (lstrcmpiA(entry.szExeFile, name.c_str()) == 0) {
      ++count;
    }
  }
  std::printf("%d\n", count);
  return 0;
}

// Wine answers GetProcessHandleCount with 0; its system-wide handle list has the real count.
DWORD HandleCount(HANDLE process, DWORD processId) {
  DWORD count = 0;
  if (GetProcessHandleCount(process, &count) && count != 0) {
    return count;
  }
  constexpr NTSTATUS kLengthMismatch = static_cast<NTSTATUS>(0xC0000004);
  std::vector<char> buffer(1 << 20);
  NTSTATUS status;
  while ((status = NtQuerySystemInformation(SystemHandleInformation, buffer.data(),
                                            static_cast<ULONG>(buffer.size()), nullptr)) ==
         kLengthMismatch) {
    buffer.resize(buffer.size() * 2);
  }
  if (status < 0) {
    return count;
  }
  const auto* table = reinterpret_cast<const SYSTEM_HANDLE_INFORMATION*>(buffer.data());
  const SYSTEM_HANDLE_ENTRY* entries = table->Handle;
  for (ULONG index = 0; index < table->Count; ++index) {
    if (entries[index].OwnerPid == processId) {
      ++count;
    }
  }
  return count;
}

// The counters that grow when a program leaks: kernel handles, GDI and USER objects, memory.
int Resources() {
  const HWND main = MainWindow();
  if (!main) {
    std::fprintf(stderr, "no main window\n");
    return 1;
  }
  DWORD processId = 0;
  GetWindowThreadProcessId(main, &processId);
  const OwnedHandle process(
      OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
  if (!process) {
    std::fprintf(stderr, "cannot open process %lu\n", processId);
    return 1;
  }
  const DWORD handles = HandleCount(process.get(), processId);
  const DWORD gdi = GetGuiResources(process.get(), GR_GDIOBJECTS);
  const DWORD user = GetGuiResources(process.get(), GR_USEROBJECTS);
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (!GetProcessMemoryInfo(process.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                            sizeof memory)) {
    std::fprintf(stderr, "no memory counters\n");
    return 1;
  }
  // Both are the commit charge; Wine fills only the second for another process.
  const SIZE_T privateBytes = memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage;
  std::printf("%lu %lu %lu %llu %llu\n", handles, gdi, user,
              static_cast<unsigned long long>(privateBytes),
              static_cast<unsigned long long>(memory.WorkingSetSize));
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
  return PrintRows(search.found, columns, " | ");
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "wait" && argc == 3) {
    return Wait(std::atoi(argv[2]));
  }
  if (command == "click" && argc == 3) {
    return Click(argv[2], true);
  }
  if (command == "post-click" && argc == 3) {
    return Click(argv[2], false);
  }
  if (command == "checked" && argc == 3) {
    return Checked(argv[2]);
  }
  if (command == "browse" && argc == 3) {
    return Browse(argv[2]);
  }
  if (command == "rows" && argc == 2) {
    return Rows();
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
  if (command == "minimize" && argc == 2) {
    return Minimize();
  }
  if (command == "shown" && argc == 2) {
    return Shown();
  }
  if (command == "tray-click" && argc == 2) {
    return TrayClick();
  }
  if (command == "resources" && argc == 2) {
    return Resources();
  }
  if (command == "ticks" && argc == 2) {
    return Ticks();
  }
  if (command == "toggle-row" && argc == 3) {
    return ToggleRow(std::atoi(argv[2]));
  }
  if (command == "menu" && argc == 4) {
    return MenuChoice(std::atoi(argv[2]), argv[3][0]);
  }
  if (command == "rows" && argc == 4) {
    return Rows(std::atoi(argv[2]), std::atoi(argv[3]));
  }
  using namespace nexolant::e2e;
  const std::string last = argc == 5 ? argv[4] : "";
  if (command == "make-shortcut" && (argc == 4 || argc == 5)) {
    return MakeShortcutVerb(argv[2], argv[3], last);
  }
  if (command == "tasks" && argc == 2) {
    return ListTasksVerb();
  }
  if (command == "make-task" && (argc == 4 || argc == 5)) {
    return MakeTaskVerb(argv[2], argv[3], last);
  }
  if (command == "task-xml" && argc == 3) {
    return TaskXmlVerb(argv[2]);
  }
  if (command == "delete-task" && argc == 3) {
    return DeleteTaskVerb(argv[2]);
  }
  std::fprintf(
      stderr,
      "usage: e2e_driver wait SECONDS | click CAPTION | post-click CAPTION | "
      "checked CAPTION | browse PATH | rows | rows X Y | text-at X Y | list | close | "
      "count NAME.exe | minimize | shown | tray-click | click-first-row | answer CAPTION | "
      "resources | ticks | toggle-row N | menu N KEY | make-shortcut LINK TARGET [ARGUMENTS] | "
      "tasks | make-task PATH PROGRAM [ARGUMENTS] | task-xml PATH | delete-task PATH\n");
  return 2;
}
