// Looks at MainWindow from outside its process, as a user sees it, and acts on it with real
// input. One command per run:
//   ready                nothing: it returns once Wine and its desktop are up
//   wait                 until the window captioned 时间校准 is visible (20 s at most)
//   inspect              prints the screen, the window and its children, top of the stack first
//   click-button         a left click in the middle of the button
//   click-close-box      a left click on the close box, found by hit-testing the title bar
//   key esc|space|tab|alt-f4
//   system-close         posts WM_SYSCOMMAND SC_CLOSE, as the system menu's Close does
// Texts are printed as hexadecimal code page 936 bytes. Exit code 0 on success.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

const char kCaption[] = "\xCA\xB1\xBC\xE4\xD0\xA3\xD7\xBC";  // 时间校准

HWND findMainWindow() { return FindWindowA(nullptr, kCaption); }

void printHex(const char *text) {
  if (*text == '\0') std::printf("-");
  for (const char *p = text; *p != '\0'; ++p) std::printf("%02X", static_cast<unsigned char>(*p));
}

void printRect(const RECT &r) { std::printf(" %ld %ld %ld %ld", r.left, r.top, r.right, r.bottom); }

int inspect(HWND window) {
  char text[512];
  RECT r;
  std::printf("screen %d %d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  std::printf("btnface %06lX\n", static_cast<unsigned long>(GetSysColor(COLOR_BTNFACE)));
  GetWindowRect(window, &r);
  std::printf("window");
  printRect(r);
  std::printf("\n");
  GetClientRect(window, &r);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT *>(&r), 2);
  std::printf("client");
  printRect(r);
  std::printf("\n");
  std::printf("style %08lX\n", static_cast<unsigned long>(GetWindowLongPtrA(window, GWL_STYLE)));
  std::printf("exstyle %08lX\n",
              static_cast<unsigned long>(GetWindowLongPtrA(window, GWL_EXSTYLE)));
  std::printf("owner %d\n", GetWindow(window, GW_OWNER) != nullptr ? 1 : 0);
  std::printf("visible %d\n", IsWindowVisible(window) ? 1 : 0);
  GetWindowTextA(window, text, sizeof text);
  std::printf("caption ");
  printHex(text);
  std::printf("\n");
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    char className[128];
    GetClassNameA(child, className, sizeof className);
    GetWindowTextA(child, text, sizeof text);
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT *>(&r), 2);
    std::printf("child %d %s %d %08lX", GetDlgCtrlID(child), className,
                IsWindowVisible(child) ? 1 : 0,
                static_cast<unsigned long>(GetWindowLongPtrA(child, GWL_STYLE)));
    printRect(r);
    std::printf(" ");
    printHex(text);
    std::printf("\n");
  }
  return 0;
}

// Sends one input event; false when the system refused it.
bool send(INPUT input) { return SendInput(1, &input, sizeof input) == 1; }

bool mouseAt(int x, int y, DWORD flags) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = static_cast<LONG>((x * 65536LL + 32768) / GetSystemMetrics(SM_CXSCREEN));
  input.mi.dy = static_cast<LONG>((y * 65536LL + 32768) / GetSystemMetrics(SM_CYSCREEN));
  input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | flags;
  return send(input);
}

int click(int x, int y) {
  const bool ok = mouseAt(x, y, 0) && (Sleep(50), mouseAt(x, y, MOUSEEVENTF_LEFTDOWN)) &&
                  (Sleep(50), mouseAt(x, y, MOUSEEVENTF_LEFTUP));
  return ok ? 0 : 1;
}

bool key(WORD vk, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return send(input);
}

struct NamedKeys {
  const char *name;
  WORD keys[2];
  int count;
};

const NamedKeys kKeys[] = {{"esc", {VK_ESCAPE, 0}, 1},
                           {"space", {VK_SPACE, 0}, 1},
                           {"tab", {VK_TAB, 0}, 1},
                           {"alt-f4", {VK_MENU, VK_F4}, 2}};

// Presses the keys in order and lets them go in reverse.
int press(const char *name) {
  for (const NamedKeys &k : kKeys) {
    if (std::strcmp(k.name, name) != 0) continue;
    bool ok = true;
    for (int i = 0; i < k.count; ++i) {
      ok = key(k.keys[i], false) && ok;
      Sleep(30);
    }
    for (int i = k.count - 1; i >= 0; --i) {
      ok = key(k.keys[i], true) && ok;
      Sleep(30);
    }
    return ok ? 0 : 1;
  }
  return 2;
}

int clickButton(HWND window) {
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    char className[64];
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "BUTTON") != 0) continue;
    RECT r;
    GetWindowRect(child, &r);
    return click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  return 1;
}

// Walks the title bar from the right until the window reports its close box there.
int clickCloseBox(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  for (int y = r.top + 2; y < r.top + 40; y += 2)
    for (int x = r.right - 2; x > r.right - 80; x -= 2) {
      const LRESULT hit = SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y));
      if (hit == HTCLOSE) {
        std::printf("close-box %d %d\n", x, y);
        return click(x, y);
      }
    }
  return 1;
}

}  // namespace

int main(int argc, char **argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  if (argc < 2) return 2;
  const char *command = argv[1];
  if (std::strcmp(command, "ready") == 0) return 0;
  HWND window = findMainWindow();
  if (std::strcmp(command, "wait") == 0) {
    for (int i = 0; i < 200 && (window == nullptr || !IsWindowVisible(window)); ++i) {
      Sleep(100);
      window = findMainWindow();
    }
    return window != nullptr && IsWindowVisible(window) ? 0 : 1;
  }
  if (window == nullptr) return 3;
  if (std::strcmp(command, "inspect") == 0) return inspect(window);
  if (std::strcmp(command, "click-button") == 0) return clickButton(window);
  if (std::strcmp(command, "click-close-box") == 0) return clickCloseBox(window);
  if (std::strcmp(command, "system-close") == 0)
    return PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0) ? 0 : 1;
  if (std::strcmp(command, "key") == 0 && argc == 3) return press(argv[2]);
  return 2;
}
