// A console program carrying the executable's resources, so that they can be read back without
// the real program. Run under Windows (or Wine) it loads them the way the system does and exits
// 0 when every check holds; each failure prints a line and makes the exit code 1.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

const int kIconSizes[] = {16, 32, 48};
int g_failures = 0;

// Counts and prints a check that does not hold.
void expect(bool ok, const char *what) {
  if (!ok) {
    std::printf("FAIL: %s\n", what);
    ++g_failures;
  }
}

// Loads the image of exactly `size` pixels from the icon group and checks its size; true when
// the group has such an image and the system accepts it.
bool loadsIconOfSize(HMODULE self, int size) {
  HRSRC group = FindResourceA(self, "DEFAULT_ICON", MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
  if (!group) return false;
  HGLOBAL groupData = LoadResource(self, group);
  if (!groupData) return false;
  int id = LookupIconIdFromDirectoryEx(static_cast<PBYTE>(LockResource(groupData)), TRUE, size,
                                       size, LR_DEFAULTCOLOR);
  if (id == 0) return false;
  HRSRC image = FindResourceA(self, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(3));  // RT_ICON
  if (!image) return false;
  HGLOBAL imageData = LoadResource(self, image);
  if (!imageData) return false;
  HICON icon = CreateIconFromResourceEx(static_cast<PBYTE>(LockResource(imageData)),
                                        SizeofResource(self, image), TRUE, 0x00030000, size,
                                        size, LR_DEFAULTCOLOR);
  if (!icon) return false;
  ICONINFO info{};
  bool sized = false;
  if (GetIconInfo(icon, &info)) {
    BITMAP bm{};
    sized = GetObjectA(info.hbmColor, sizeof bm, &bm) == sizeof bm && bm.bmWidth == size &&
            bm.bmHeight == size;
    // Only the handles are released here; a failure to release cannot change the result.
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
  }
  DestroyIcon(icon);
  return sized;
}

// True when comctl32.dll comes from the side-by-side assembly of Common Controls 6, which only the
// manifest's dependency selects. Its path is asked rather than DllGetVersion, which gives 5.81
// for both copies under Wine.
bool loadsCommonControls6() {
  HMODULE comctl = LoadLibraryA("comctl32.dll");
  if (!comctl) return false;
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(comctl, path, sizeof path);
  if (n == 0 || n >= sizeof path) return false;
  CharLowerBuffA(path, n);
  return std::strstr(path, "microsoft.windows.common-controls_6595b64144ccf1df_6.0.") != nullptr;
}

}  // namespace

int main() {
  HMODULE self = GetModuleHandleA(nullptr);
  for (int size : kIconSizes) {
    char what[64];
    std::snprintf(what, sizeof what, "icon DEFAULT_ICON has a %dx%d image", size, size);
    expect(loadsIconOfSize(self, size), what);
  }
  expect(LoadImageA(self, "DEFAULT_ICON", IMAGE_ICON, 0, 0, LR_DEFAULTSIZE) != nullptr,
         "LoadImageA loads DEFAULT_ICON");
  expect(loadsCommonControls6(), "the manifest selects Common Controls 6");
  if (g_failures == 0) std::printf("resources load\n");
  return g_failures == 0 ? 0 : 1;
}
