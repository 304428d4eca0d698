#include "tests/ui/form_builder.h"

#include "ui/form_writer.h"

// Gives the unit with every other field empty.
TestUnit testUnit(uint32_t id, uint32_t kind) {
  TestUnit u{};
  u.id = id;
  u.kind = kind;
  u.name = "";
  u.tag = "";
  return u;
}

namespace {

// Appends one record with its length word.
void writeRecord(FormWriter *w, const TestUnit &u) {
  const int32_t lengthAt = w->length;
  writeWord(w, 0);
  writeWord(w, u.kind);
  writeWord(w, u.sharedBindings);
  writeZeros(w, 16);
  writeZeroEnded(w, u.name);
  writeZeroEnded(w, "");
  writeWord(w, 0);
  writeInt(w, u.left);
  writeInt(w, u.top);
  writeInt(w, u.width);
  writeInt(w, u.height);
  writeWord(w, 0);
  writeWord(w, u.parent);
  writeInt(w, u.memberCount);
  for (int32_t i = 0; i < u.memberCount; ++i) writeWord(w, u.members[i]);
  writeCounted(w, u.cursor, u.cursorLength);
  writeZeroEnded(w, u.tag);
  writeWord(w, 0);
  writeWord(w, u.flags);
  writeInt(w, u.tabOrder);
  writeInt(w, u.bindingCount);
  for (int32_t i = 0; i < u.bindingCount; ++i) {
    writeInt(w, u.bindings[i].event);
    writeWord(w, u.bindings[i].reference);
  }
  writeZeros(w, 20);
  writeBytes(w, u.kindData, u.kindDataLength);
  patchWord(w, lengthAt, static_cast<uint32_t>(w->length - lengthAt - 4));
}

}  // namespace

// Lays out the window map and each window's template with its id and offset arrays.
int32_t buildForm(const TestWindow *windows, int32_t windowCount, unsigned char *out,
                  int32_t capacity) {
  FormWriter w = makeFormWriter(out, capacity);
  writeInt(&w, 8 * windowCount);
  for (int32_t i = 0; i < windowCount; ++i) writeWord(&w, windows[i].id);
  writeZeros(&w, 4 * windowCount);
  for (int32_t i = 0; i < windowCount; ++i) {
    const TestWindow &window = windows[i];
    writeZeros(&w, 8 + 8);
    writeInt(&w, window.unitCount);
    const int32_t sizeAt = w.length;
    writeWord(&w, 0);
    const int32_t blockStart = w.length;
    for (int32_t u = 0; u < window.unitCount; ++u) writeWord(&w, window.units[u].id);
    const int32_t offsetsAt = w.length;
    writeZeros(&w, 4 * window.unitCount);
    const int32_t recordsStart = w.length;
    for (int32_t u = 0; u < window.unitCount; ++u) {
      patchWord(&w, offsetsAt + 4 * u, static_cast<uint32_t>(w.length - recordsStart));
      writeRecord(&w, window.units[u]);
    }
    patchWord(&w, sizeAt, static_cast<uint32_t>(w.length - blockStart));
  }
  return w.failed ? 0 : w.length;
}
