// How a property's value crosses readProperty and writeProperty, by its PropertyType code, and
// the value form the kinds store and give.
#pragma once
#include <cstdint>

#include "ui/window.h"

constexpr int32_t kTypeInteger = 1001;
constexpr int32_t kTypeBoolean = 1003;
constexpr int32_t kTypeText = 1005;
constexpr int32_t kTypeChoice = 1006;
constexpr int32_t kTypePicture = 1009;
constexpr int32_t kTypeIcon = 1010;
constexpr int32_t kTypeCursor = 1011;
constexpr int32_t kTypeSound = 1012;
constexpr int32_t kTypeFont = 1013;
constexpr int32_t kTypeTextColour = 1014;
constexpr int32_t kTypeColour = 1015;
constexpr int32_t kTypeBackgroundColour = 1017;
constexpr int32_t kTypeBindingText = 1018;
constexpr int32_t kTypeBindingField = 1020;

enum class TypeClass : uint8_t { integer, choice, wide, boolean, bytes, font, text };

// The conversion class of a PropertyType code; unknown codes are texts.
TypeClass classifyPropertyType(int32_t type);

enum class ValueForm : uint8_t { none, integer, wide, bytes };

// A value as a kind stores it. Bytes and texts are a view (bytes may be null when length is
// 0; a text's view holds no terminator); the viewer copies what it keeps.
struct KindValue {
  ValueForm form;  // none: the kind has no such property
  int32_t integer;
  uint64_t wide;
  const unsigned char *bytes;
  int32_t length;
};

KindValue noValue();
KindValue integerValue(int32_t value);
KindValue wideValue(uint64_t value);
KindValue bytesValue(const void *bytes, int32_t length);
// A view of a zero-ended text; null is the empty text.
KindValue textValue(const char *text);

// The written halves as the value a kind takes: a choice below 0 becomes 0, a boolean 1 for
// any non-zero value, a null Text or ByteSet an empty view. A font is a ByteSet of its whole
// data here; its members go through the font routines below.
KindValue valueFromWire(int32_t type, uintptr_t low, uint32_t high);
// The halves readProperty gives for a kind's value: texts and byte sets as new blocks the
// caller holds (null when empty), a boolean as 1 or 0. No value gives both halves 0.
PropertyValue valueToWire(int32_t type, const KindValue &value);

// Left and top are held to -32627..32627, width and height to 0..32627.
int32_t clampPosition(int32_t value);
int32_t clampSize(int32_t value);

constexpr int32_t kFontDataLength = 60;  // a LOGFONTA
constexpr int32_t kFontFaceLength = 32;

// Font members: 0 angle (tenths of a degree), 1 bold, 2 italic, 3 strike-out, 4 underline,
// 5 size (character height in pixels), 6 face name. The member of a 60-byte font, converted
// like a property of its own; an unknown member gives both halves 0.
PropertyValue fontMemberToWire(const unsigned char *font, int32_t member);
// Writes the member into the 60-byte font; false for an unknown member.
bool setFontMember(unsigned char *font, int32_t member, uintptr_t low);
