// Finds a top-level window by its caption and reports or drives it, for tests that meet the
// program's windows as a user would.
//
//   window_probe [--timeout MS] [--class NAME] CAPTION ACTION...
//
// It first waits (up to --timeout, default 10000 ms) for a visible top-level window with that
// caption (and class), then runs the actions in order:
//   dump          the window and every window inside it, one line each (below)
//   click ID      presses the child button with control id ID (BM_CLICK, waits until handled)
//   command ID    posts WM_COMMAND (ID, BN_CLICKED) to the window, as its button would
//   close         posts WM_CLOSE to the window
//   key VK        brings the window to the front and types the virtual key VK (SendInput)
//   postkey VK    posts WM_KEYDOWN and WM_KEYUP for VK to the window
//   keys VK+VK..  brings the window to the front and types the keys as one chord (SendInput),
//                 e.g. keys 0x12+0x73 for Alt+F4
//   syscommand SC posts WM_SYSCOMMAND SC to the window, as its system menu would
//   closebox      writes "closebox X Y": a point of the title bar's close button on the screen,
//                 for a test to click with the X server's own mouse
//   sleep MS      waits
//   gone          waits (up to --timeout) until the window no longer exists
// Numbers are decimal or 0x hex. Exit code: 0 done, 1 the window did not appear or go in
// time, 2 wrong arguments, 3 an action failed (no such child, the window did not answer).
//
// dump lines, texts in the ANSI code page byte for byte, with \\ \" \r \n \t and \xNN for other
// control bytes escaped:
//   window hwnd=0x.. class="#32770" text="..." rect=L,T,R,B client=W,H style=0x.. exstyle=0x..
//   child hwnd=0x.. parent=0x.. class="Button" id=1 text="OK" rect=L,T,R,B style=0x.. ...
// A child's rect is in the client coordinates of the top-level window; the window's is on
// the screen.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr UINT kAnswerTimeoutMs = 5000;

struct Options {
  DWORD timeoutMs = 10000;
  const char *className = nullptr;
  const char *caption = nullptr;
  int firstAction = 0;
};

bool parseNumber(const char *text, long *out) {
  char *end = nullptr;
  *out = std::strtol(text, &end, 0);
  return end != text && *end == '\0';
}

void writeEscaped(const char *text) {
  std::fputc('"', stdout);
  for (const unsigned char *p = reinterpret_cast<const unsigned char *>(text); *p; ++p) {
    switch (*p) {
      case '\\': std::fputs("\\\\", stdout); break;
      case '"': std::fputs("\\\"", stdout); break;
      case '\r': std::fputs("\\r", stdout); break;
      case '\n': std::fputs("\\n", stdout); break;
      case '\t': std::fputs("\\t", stdout); break;
      default:
        if (*p < 0x20 || *p == 0x7F) std::printf("\\x%02X", *p);
        else std::fputc(*p, stdout);
    }
  }
  std::fputc('"', stdout);
}

// Gives the window's text through WM_GETTEXT, which reaches another process's controls too;
// an empty text when the window does not answer in time.
void windowText(HWND window, char *out, int capacity) {
  out[0] = '\0';
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, static_cast<WPARAM>(capacity),
                           reinterpret_cast<LPARAM>(out), SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                           &copied))
    out[0] = '\0';
  out[capacity - 1] = '\0';
}

void writeCommon(HWND window) {
  char className[256] = "";
  if (GetClassNameA(window, className, sizeof className) == 0) className[0] = '\0';
  char text[8192];
  windowText(window, text, sizeof text);
  std::printf(" class=");
  writeEscaped(className);
  std::printf(" id=%ld text=", static_cast<long>(GetDlgCtrlID(window)));
  writeEscaped(text);
}

void writeFlags(HWND window) {
  std::printf(" style=0x%08lX exstyle=0x%08lX visible=%d enabled=%d\n",
              static_cast<unsigned long>(GetWindowLongPtrA(window, GWL_STYLE)),
              static_cast<unsigned long>(GetWindowLongPtrA(window, GWL_EXSTYLE)),
              IsWindowVisible(window) ? 1 : 0, IsWindowEnabled(window) ? 1 : 0);
}

BOOL CALLBACK writeChild(HWND child, LPARAM topLevel) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, reinterpret_cast<HWND>(topLevel), reinterpret_cast<POINT *>(&r), 2);
  std::printf("child hwnd=0x%llX parent=0x%llX", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(child)),
              static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(GetParent(child))));
  writeCommon(child);
  std::printf(" rect=%ld,%ld,%ld,%ld", r.left, r.top, r.right, r.bottom);
  writeFlags(child);
  return TRUE;
}

void dump(HWND window) {
  RECT r{}, client{};
  GetWindowRect(window, &r);
  GetClientRect(window, &client);
  std::printf("window hwnd=0x%llX", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)));
  writeCommon(window);
  std::printf(" rect=%ld,%ld,%ld,%ld client=%ld,%ld", r.left, r.top, r.right, r.bottom,
              client.right, client.bottom);
  writeFlags(window);
  EnumChildWindows(window, writeChild, reinterpret_cast<LPARAM>(window));
}

HWND findWindow(const Options &o) {
  HWND window = FindWindowA(o.className, o.caption);
  return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

// Gives the window once it is there and visible; null after the timeout.
HWND waitForWindow(const Options &o) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (HWND window = findWindow(o)) return window;
    if (GetTickCount() - start >= o.timeoutMs) return nullptr;
    Sleep(50);
  }
}

bool waitUntilGone(HWND window, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (IsWindow(window)) {
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(50);
  }
  return true;
}

// Presses the keys of "VK+VK..." in order and lets them go in reverse; false for a bad list.
bool typeChord(HWND window, const char *list) {
  constexpr int kMaxKeys = 4;
  WORD vks[kMaxKeys];
  int count = 0;
  for (const char *p = list; *p != '\0' && count < kMaxKeys;) {
    char *end = nullptr;
    const long vk = std::strtol(p, &end, 0);
    if (end == p || vk <= 0 || vk > 0xFE) return false;
    vks[count++] = static_cast<WORD>(vk);
    p = *end == '+' ? end + 1 : end;
    if (*end != '+' && *end != '\0') return false;
  }
  if (count == 0) return false;
  SetForegroundWindow(window);  // may be refused; the keys then go where the focus is
  INPUT keys[2 * kMaxKeys] = {};
  for (int k = 0; k < count; ++k) {
    keys[k].type = keys[2 * count - 1 - k].type = INPUT_KEYBOARD;
    keys[k].ki.wVk = keys[2 * count - 1 - k].ki.wVk = vks[k];
    keys[2 * count - 1 - k].ki.dwFlags = KEYEVENTF_KEYUP;
  }
  return SendInput(2 * count, keys, sizeof(INPUT)) == static_cast<UINT>(2 * count);
}

// Finds the close button by asking the window what lies under points of its title bar and
// writes the middle of it; false when there is none.
bool writeCloseBox(HWND window) {
  RECT r;
  if (!GetWindowRect(window, &r)) return false;
  const int y = r.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
  int right = -1;
  for (int x = r.right - 1; x > r.left; --x) {
    DWORD_PTR hit = 0;
    if (!SendMessageTimeoutA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG,
                             kAnswerTimeoutMs, &hit))
      return false;
    if (hit == HTCLOSE && right < 0) right = x;
    if (hit != HTCLOSE && right >= 0) {
      std::printf("closebox %d %d\n", (x + 1 + right) / 2, y);
      return true;
    }
  }
  return false;
}

bool typeKey(HWND window, WORD vk) {
  SetForegroundWindow(window);  // may be refused; the key then goes where the focus is
  INPUT keys[2] = {};
  keys[0].type = keys[1].type = INPUT_KEYBOARD;
  keys[0].ki.wVk = keys[1].ki.wVk = vk;
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  return SendInput(2, keys, sizeof(INPUT)) == 2;
}

bool parseOptions(int argc, char **argv, Options *o) {
  int i = 1;
  for (; i < argc && std::strncmp(argv[i], "--", 2) == 0; i += 2) {
    if (i + 1 >= argc) return false;
    long value = 0;
    if (std::strcmp(argv[i], "--timeout") == 0 && parseNumber(argv[i + 1], &value) && value >= 0)
      o->timeoutMs = static_cast<DWORD>(value);
    else if (std::strcmp(argv[i], "--class") == 0)
      o->className = argv[i + 1];
    else
      return false;
  }
  if (i >= argc) return false;
  o->caption = argv[i];
  o->firstAction = i + 1;
  return true;
}

// Runs one action; gives the exit code it calls for (0 to go on). *used counts its arguments.
int runAction(HWND window, const Options &o, int argc, char **argv, int i, int *used) {
  const char *action = argv[i];
  *used = 1;
  if (std::strcmp(action, "dump") == 0) {
    dump(window);
    return 0;
  }
  if (std::strcmp(action, "close") == 0) return PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 3;
  if (std::strcmp(action, "gone") == 0) return waitUntilGone(window, o.timeoutMs) ? 0 : 1;
  if (std::strcmp(action, "closebox") == 0) return writeCloseBox(window) ? 0 : 3;
  if (std::strcmp(action, "keys") == 0) {
    if (i + 1 >= argc) return 2;
    *used = 2;
    return typeChord(window, argv[i + 1]) ? 0 : 3;
  }

  long value = 0;
  if (i + 1 >= argc || !parseNumber(argv[i + 1], &value)) return 2;
  *used = 2;
  if (std::strcmp(action, "sleep") == 0) {
    Sleep(static_cast<DWORD>(value));
    return 0;
  }
  if (std::strcmp(action, "click") == 0) {
    HWND button = GetDlgItem(window, static_cast<int>(value));
    DWORD_PTR result = 0;
    return button != nullptr && SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG,
                                                    kAnswerTimeoutMs, &result)
               ? 0
               : 3;
  }
  if (std::strcmp(action, "command") == 0) {
    HWND button = GetDlgItem(window, static_cast<int>(value));
    return PostMessageA(window, WM_COMMAND, MAKEWPARAM(value, BN_CLICKED),
                        reinterpret_cast<LPARAM>(button))
               ? 0
               : 3;
  }
  if (std::strcmp(action, "key") == 0) return typeKey(window, static_cast<WORD>(value)) ? 0 : 3;
  if (std::strcmp(action, "syscommand") == 0)
    return PostMessageA(window, WM_SYSCOMMAND, static_cast<WPARAM>(value), 0) ? 0 : 3;
  if (std::strcmp(action, "postkey") == 0) {
    const bool posted = PostMessageA(window, WM_KEYDOWN, static_cast<WPARAM>(value), 1) &&
                        PostMessageA(window, WM_KEYUP, static_cast<WPARAM>(value), 0xC0000001);
    return posted ? 0 : 3;
  }
  return 2;
}

}  // namespace

int main(int argc, char **argv) {
  // Texts go out byte for byte: no newline translation.
  _setmode(_fileno(stdout), _O_BINARY);
  Options o;
  if (!parseOptions(argc, argv, &o)) {
    std::fputs("usage: window_probe [--timeout MS] [--class NAME] CAPTION ACTION...\n", stderr);
    return 2;
  }
  HWND window = waitForWindow(o);
  if (window == nullptr) {
    std::fprintf(stderr, "window_probe: no visible window \"%s\" within %lu ms\n", o.caption,
                 static_cast<unsigned long>(o.timeoutMs));
    return 1;
  }
  for (int i = o.firstAction; i < argc;) {
    int used = 1;
    const int code = runAction(window, o, argc, argv, i, &used);
    std::fflush(stdout);
    if (code != 0) {
      std::fprintf(stderr, "window_probe: action \"%s\" failed (%d)\n", argv[i], code);
      return code;
    }
    i += used;
  }
  return 0;
}
