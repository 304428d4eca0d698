#include "ui/property_types.h"

#include <cstring>

#include "values/byte_set.h"
#include "values/text.h"

// Gives the class of the code; every code not listed is text-like.
TypeClass classifyPropertyType(int32_t type) {
  switch (type) {
    case 1000:
    case 1001:
    case 1014:
    case 1015:
    case 1017: return TypeClass::integer;
    case 1006: return TypeClass::choice;
    case 1002:
    case 1004: return TypeClass::wide;
    case 1003: return TypeClass::boolean;
    case 1009:
    case 1010:
    case 1011:
    case 1012:
    case 1023:
    case 1024: return TypeClass::bytes;
    case 1013: return TypeClass::font;
    default: return TypeClass::text;
  }
}

// Gives the marker of a property the kind does not have.
KindValue noValue() { return KindValue{ValueForm::none, 0, 0, nullptr, 0}; }

// Gives a 32-bit value.
KindValue integerValue(int32_t value) {
  return KindValue{ValueForm::integer, value, 0, nullptr, 0};
}

// Gives a 64-bit value.
KindValue wideValue(uint64_t value) { return KindValue{ValueForm::wide, 0, value, nullptr, 0}; }

// Gives a view of length bytes; a negative length or null bytes is the empty view.
KindValue bytesValue(const void *bytes, int32_t length) {
  if (bytes == nullptr || length <= 0) return KindValue{ValueForm::bytes, 0, 0, nullptr, 0};
  return KindValue{ValueForm::bytes, 0, 0, static_cast<const unsigned char *>(bytes), length};
}

// Gives a view of the text without its terminator.
KindValue textValue(const char *text) { return bytesValue(text, textLength(text)); }

// Gives the value for the kind; see the header.
KindValue valueFromWire(int32_t type, uintptr_t low, uint32_t high) {
  const int32_t low32 = static_cast<int32_t>(static_cast<uint32_t>(low));
  switch (classifyPropertyType(type)) {
    case TypeClass::integer: return integerValue(low32);
    case TypeClass::choice: return integerValue(low32 < 0 ? 0 : low32);
    case TypeClass::wide:
      return wideValue(static_cast<uint32_t>(low) | static_cast<uint64_t>(high) << 32);
    case TypeClass::boolean: return integerValue(low32 != 0 ? 1 : 0);
    case TypeClass::bytes:
    case TypeClass::font: {
      const ByteSetHeader *set = reinterpret_cast<const ByteSetHeader *>(low);
      if (set == nullptr) return bytesValue(nullptr, 0);
      return bytesValue(byteSetBytes(set), set->length);
    }
    case TypeClass::text: break;
  }
  return textValue(reinterpret_cast<const char *>(low));
}

// Gives the halves for readProperty; see the header.
PropertyValue valueToWire(int32_t type, const KindValue &value) {
  PropertyValue wire = {0, 0};
  switch (value.form) {
    case ValueForm::none: return wire;
    case ValueForm::integer:
      if (classifyPropertyType(type) == TypeClass::boolean)
        wire.low = value.integer == 1 ? 1 : 0;
      else
        wire.low = static_cast<uint32_t>(value.integer);
      return wire;
    case ValueForm::wide:
      wire.low = static_cast<uint32_t>(value.wide);
      wire.high = static_cast<uint32_t>(value.wide >> 32);
      return wire;
    case ValueForm::bytes: break;
  }
  if (value.length <= 0) return wire;
  const TypeClass typeClass = classifyPropertyType(type);
  if (typeClass == TypeClass::bytes || typeClass == TypeClass::font)
    wire.low = reinterpret_cast<uintptr_t>(byteSetFromBytes(value.bytes, value.length));
  else
    wire.low = reinterpret_cast<uintptr_t>(textFromBytes(value.bytes, value.length));
  return wire;
}

// Gives value held to -32627..32627.
int32_t clampPosition(int32_t value) {
  if (value < -32627) return -32627;
  if (value > 32627) return 32627;
  return value;
}

// Gives value held to 0..32627.
int32_t clampSize(int32_t value) {
  if (value < 0) return 0;
  if (value > 32627) return 32627;
  return value;
}

namespace {

// Offsets of the LOGFONTA fields the members reach.
constexpr int32_t kHeightAt = 0;
constexpr int32_t kEscapementAt = 8;
constexpr int32_t kOrientationAt = 12;
constexpr int32_t kWeightAt = 16;
constexpr int32_t kItalicAt = 20;
constexpr int32_t kUnderlineAt = 21;
constexpr int32_t kStrikeOutAt = 22;
constexpr int32_t kFaceAt = 28;
constexpr int32_t kBoldWeight = 700;
constexpr int32_t kNormalWeight = 400;

int32_t readLong(const unsigned char *font, int32_t at) {
  int32_t value;
  std::memcpy(&value, font + at, sizeof value);
  return value;
}

void writeLong(unsigned char *font, int32_t at, int32_t value) {
  std::memcpy(font + at, &value, sizeof value);
}

// The length of the face name, at most 31 bytes, never ending inside a double-byte character.
int32_t faceLength(const char *face, int32_t limit) {
  int32_t n = 0;
  while (n < limit && face[n] != '\0') {
    const unsigned char c = static_cast<unsigned char>(face[n]);
    const bool lead = c >= 0x81 && c <= 0xFE;
    if (lead && (n + 1 >= limit || face[n + 1] == '\0')) break;
    n += lead ? 2 : 1;
  }
  return n;
}

}  // namespace

// Gives the member's halves; the face name as a new Text, null when empty.
PropertyValue fontMemberToWire(const unsigned char *font, int32_t member) {
  PropertyValue wire = {0, 0};
  switch (member) {
    case 0: wire.low = static_cast<uint32_t>(readLong(font, kEscapementAt)); break;
    case 1: wire.low = readLong(font, kWeightAt) >= kBoldWeight ? 1 : 0; break;
    case 2: wire.low = font[kItalicAt] != 0 ? 1 : 0; break;
    case 3: wire.low = font[kStrikeOutAt] != 0 ? 1 : 0; break;
    case 4: wire.low = font[kUnderlineAt] != 0 ? 1 : 0; break;
    case 5: {
      const int64_t height = readLong(font, kHeightAt);
      wire.low = static_cast<uint32_t>(height < 0 ? -height : height);
      break;
    }
    case 6: {
      const char *face = reinterpret_cast<const char *>(font + kFaceAt);
      const int32_t n = faceLength(face, kFontFaceLength - 1);
      if (n > 0) wire.low = reinterpret_cast<uintptr_t>(textFromBytes(face, n));
      break;
    }
    default: break;
  }
  return wire;
}

// Stores the member; false (font unchanged) for an unknown member.
bool setFontMember(unsigned char *font, int32_t member, uintptr_t low) {
  const int32_t low32 = static_cast<int32_t>(static_cast<uint32_t>(low));
  const unsigned char flag = low32 != 0 ? 1 : 0;
  switch (member) {
    case 0:
      writeLong(font, kEscapementAt, low32);
      writeLong(font, kOrientationAt, low32);
      return true;
    case 1: writeLong(font, kWeightAt, flag != 0 ? kBoldWeight : kNormalWeight); return true;
    case 2: font[kItalicAt] = flag; return true;
    case 3: font[kStrikeOutAt] = flag; return true;
    case 4: font[kUnderlineAt] = flag; return true;
    case 5: writeLong(font, kHeightAt, low32 < 0 ? low32 : -low32); return true;
    case 6: {
      const char *face = reinterpret_cast<const char *>(low);
      const int32_t n = face == nullptr ? 0 : faceLength(face, kFontFaceLength - 1);
      std::memset(font + kFaceAt, 0, kFontFaceLength);
      if (n > 0) std::memcpy(font + kFaceAt, face, n);
      return true;
    }
    default: return false;
  }
}
