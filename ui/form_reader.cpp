#include <cstring>

#include "ui/form_model.h"
#include "ui/form_templates.h"
#include "ui/stream_reader.h"
#include "values/block.h"

namespace {

constexpr int32_t kWindowMapEntry = 8;       // a window id and a reserved word
constexpr int32_t kReservedRecordHead = 16;  // after the shared bindings
constexpr int32_t kReservedRecordTail = 20;  // after the bindings

// Gives a heap copy of count bytes plus a zero byte (a Text when the bytes are one), or null
// for none.
unsigned char *copyBytes(const unsigned char *bytes, int32_t count) {
  if (count == 0) return nullptr;
  auto *copy = static_cast<unsigned char *>(allocateBlock(count + 1));
  std::memcpy(copy, bytes, static_cast<size_t>(count));
  copy[count] = 0;
  return copy;
}

// Gives the handler at reference bytes from codeStart; -1 gives none.
EventHandler bindHandler(uint32_t reference, uintptr_t codeStart) {
  if (reference == static_cast<uint32_t>(kNoHandlerReference)) return nullptr;
  return reinterpret_cast<EventHandler>(codeStart + reference);
}

// Gives the 32-bit ids of a counted list in place; false for a negative or oversized count.
bool readIdList(StreamReader *r, int32_t *count, const unsigned char **ids) {
  return readInt(r, count) && *count >= 0 && *count <= remainingBytes(*r) / 4 &&
         readBytes(r, 4 * *count, ids);
}

// Gives the bindings with their handlers bound; false for a count above kMaxBindings.
bool readBindings(StreamReader *r, uintptr_t codeStart, UnitRecord *out) {
  int32_t count;
  if (!readInt(r, &count) || count < 0 || count > kMaxBindings) return false;
  for (int32_t i = 0; i < count; ++i) {
    uint32_t reference;
    if (!readInt(r, &out->bindings[i].event) || !readWord(r, &reference)) return false;
    out->bindings[i].handler = bindHandler(reference, codeStart);
  }
  out->bindingCount = count;
  return true;
}

// Fills out from one record's bytes; the tag and cursor data are copied only once the whole
// record has been read, so a failed record holds no copies.
bool readUnitRecord(StreamReader *r, uint32_t id, uintptr_t codeStart, UnitRecord *out) {
  UnitRecord u{};
  u.id = id;
  const char *ignoredText;
  int32_t nameLength, ignoredLength, tagLength;
  const unsigned char *cursor;
  const char *tag;
  const bool ok =
      readWord(r, &u.kind) && readWord(r, &u.sharedBindings) &&
      skipBytes(r, kReservedRecordHead) && readZeroEnded(r, &u.name, &nameLength) &&
      readZeroEnded(r, &ignoredText, &ignoredLength) && skipBytes(r, 4) &&  // object slot
      readInt(r, &u.left) && readInt(r, &u.top) && readInt(r, &u.width) &&
      readInt(r, &u.height) && skipBytes(r, 4) &&  // cursor slot
      readWord(r, &u.parent) && readIdList(r, &u.memberCount, &u.members) &&
      readCounted(r, &cursor, &u.cursorDataLength) && readZeroEnded(r, &tag, &tagLength) &&
      skipBytes(r, 4) && readWord(r, &u.flags) && readInt(r, &u.tabOrder) &&
      readBindings(r, codeStart, &u) && skipBytes(r, kReservedRecordTail);
  if (!ok) return false;
  // The kind data is the rest of the record, possibly empty; taking exactly what is left
  // cannot fail.
  u.kindDataLength = remainingBytes(*r);
  readBytes(r, u.kindDataLength, &u.kindData);
  u.cursorData = copyBytes(cursor, u.cursorDataLength);
  u.tag = reinterpret_cast<char *>(copyBytes(reinterpret_cast<const unsigned char *>(tag),
                                             tagLength));
  *out = u;
  return true;
}

// Reads the unit block: the id array, the offset array, then each record through its offset.
// Records are added one by one, so on failure window->unitCount covers exactly the copies made.
bool readUnitBlock(StreamReader *block, int32_t count, uintptr_t codeStart,
                   WindowTemplate *window) {
  const unsigned char *ids, *offsets;
  StreamReader records;
  if (!readBytes(block, 4 * count, &ids) || !readBytes(block, 4 * count, &offsets) ||
      !readSubStream(block, remainingBytes(*block), &records))
    return false;
  StreamReader idList = makeStreamReader(ids, 4 * count);
  StreamReader offsetList = makeStreamReader(offsets, 4 * count);
  for (int32_t i = 0; i < count; ++i) {
    uint32_t id;
    int32_t offset, recordLength;
    StreamReader record;
    if (!readWord(&idList, &id) || !readInt(&offsetList, &offset) ||
        !seekTo(&records, offset) || !readInt(&records, &recordLength) ||
        !readSubStream(&records, recordLength, &record) ||
        !readUnitRecord(&record, id, codeStart, &window->units[i]))
      return false;
    window->unitCount = i + 1;
  }
  return true;
}

// Reads one window template; false when it ends early, its counts do not fit, or its first
// record is not a window's.
bool readWindowTemplate(StreamReader *r, uint32_t windowId, uintptr_t codeStart,
                        WindowTemplate *window) {
  const unsigned char *ignored;
  int32_t ignoredLength, unitCount, blockSize;
  StreamReader block;
  window->windowId = windowId;
  return skipBytes(r, 8) && readCounted(r, &ignored, &ignoredLength) &&
         readCounted(r, &ignored, &ignoredLength) && readInt(r, &unitCount) &&
         unitCount >= 1 && unitCount <= kMaxUnits && readInt(r, &blockSize) &&
         readSubStream(r, blockSize, &block) &&
         readUnitBlock(&block, unitCount, codeStart, window) &&
         window->units[0].kind == kKindWindow;
}

}  // namespace

// Reads the window map, then each window's template in the order of its ids. On failure out is
// left empty, holding no copies.
bool readFormDescription(const unsigned char *data, int32_t length, uintptr_t codeStart,
                         FormTemplates *out) {
  std::memset(out, 0, sizeof *out);
  StreamReader r = makeStreamReader(data, length);
  int32_t mapSize;
  const unsigned char *ids;
  if (length < 0 || !readInt(&r, &mapSize) || mapSize < 0 || mapSize % kWindowMapEntry != 0 ||
      mapSize / kWindowMapEntry > kMaxWindows)
    return false;
  const int32_t windowCount = mapSize / kWindowMapEntry;
  if (!readBytes(&r, 4 * windowCount, &ids) || !skipBytes(&r, 4 * windowCount)) return false;
  StreamReader idList = makeStreamReader(ids, 4 * windowCount);
  for (int32_t i = 0; i < windowCount; ++i) {
    uint32_t windowId = 0;
    out->windowCount = i + 1;
    if (!readWord(&idList, &windowId) ||
        !readWindowTemplate(&r, windowId, codeStart, &out->windows[i])) {
      clearFormTemplates(out);
      return false;
    }
  }
  return true;
}
