// The system's read-only literals, all inside one constant pool that releaseBlock ignores.
#pragma once
#include "values/byte_set.h"

extern const char *const emptyText;
extern const ByteSetHeader *const emptyByteSet;
extern const char *const serverTimeUrl;  // fixed at build time
extern const char *const kUnitYear;      // 年 C4 EA
extern const char *const kUnitMonth;     // 月 D4 C2
extern const char *const kUnitDay;       // 日 C8 D5
extern const char *const kUnitHour;      // 时 CA B1
extern const char *const kUnitMinute;    // 分 B7 D6
extern const char *const kUnitSecond;    // 秒 C3 EB

// Where the pool lies: its first byte and the byte after its last.
extern const void *const constantPoolStart;
extern const void *const constantPoolEnd;

// True when p points into the constant pool.
bool isConstant(const void *p);
