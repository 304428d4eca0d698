#include <cstring>

#include "ui/form_model.h"
#include "ui/unit_cursor.h"
#include "ui/unit_kinds.h"
#include "values/block.h"

namespace {

constexpr int32_t kIdSize = 4;
constexpr int32_t kFileHeaderSize = 6;  // reserved, type 2, image count
constexpr int32_t kEntrySize = 16;      // size, colours, hot spot, byte count, offset
constexpr uint16_t kCursorFileType = 2;

uint16_t readWord(const unsigned char *p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

uint32_t readLong(const unsigned char *p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// A copy of a standard cursor, null for 0 or an id the system does not have.
HCURSOR standardCursor(uint32_t id) {
  if (id == 0) return nullptr;
  const HCURSOR shared = LoadCursorA(nullptr, MAKEINTRESOURCEA(id));
  if (shared == nullptr) return nullptr;
  return CopyCursor(shared);
}

// The first image of a .cur file, null when the file is not one or its image is unreadable.
HCURSOR cursorFromFile(const unsigned char *data, int32_t length) {
  if (length < kFileHeaderSize + kEntrySize) return nullptr;
  if (readWord(data) != 0 || readWord(data + 2) != kCursorFileType || readWord(data + 4) == 0)
    return nullptr;
  const unsigned char *entry = data + kFileHeaderSize;
  const uint32_t size = readLong(entry + 8);
  const uint32_t offset = readLong(entry + 12);
  if (offset > static_cast<uint32_t>(length) || size > static_cast<uint32_t>(length) - offset ||
      size == 0)
    return nullptr;
  // A cursor resource is the hot spot followed by the image.
  const int32_t resourceSize = static_cast<int32_t>(size) + kIdSize;
  unsigned char *resource = static_cast<unsigned char *>(allocateBlock(resourceSize));
  std::memcpy(resource, entry + 4, kIdSize);
  std::memcpy(resource + kIdSize, data + offset, size);
  const HICON cursor = CreateIconFromResourceEx(resource, static_cast<DWORD>(resourceSize), FALSE,
                                                0x00030000, 0, 0, LR_DEFAULTCOLOR);
  releaseBlock(resource);
  return cursor;
}

}  // namespace

// Gives the cursor or null; see the header.
void *makeUnitCursor(const unsigned char *data, int32_t length) {
  if (data == nullptr || length <= 0) return nullptr;
  if (length == kIdSize) return standardCursor(readLong(data));
  return cursorFromFile(data, length);
}

// Destroys the cursor; a failure leaves nothing to do.
void releaseUnitCursor(void *cursor) {
  if (cursor != nullptr) DestroyCursor(static_cast<HCURSOR>(cursor));
}

// Gives true after setting the record's own cursor.
bool showUnitCursor(const UnitHeader *unit) {
  if (unit == nullptr) return false;
  WindowTemplate *window = findWindowTemplate(g_runtime.templates, unit->windowId);
  if (window == nullptr) return false;
  const UnitRecord *record = findUnit(window, unit->unitId);
  if (record == nullptr || record->cursor == nullptr) return false;
  SetCursor(static_cast<HCURSOR>(record->cursor));
  return true;
}
