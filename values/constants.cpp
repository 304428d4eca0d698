#include "values/constants.h"

#include <cstdint>

#ifndef TIMECAL_ENDPOINT_URL
#error "TIMECAL_ENDPOINT_URL must name the time endpoint"
#endif

namespace {

// The literals lie one after another in a single read-only record, so one address range
// tells releaseBlock what it must not free. The byte set comes first to keep it aligned
// without padding between the members.
struct ConstantPool {
  ByteSetHeader emptyByteSet;
  char emptyText[1];
  char unitYear[3];
  char unitMonth[3];
  char unitDay[3];
  char unitHour[3];
  char unitMinute[3];
  char unitSecond[3];
  char serverTimeUrl[sizeof TIMECAL_ENDPOINT_URL];
};

const ConstantPool constantPool = {
    {1, 0},
    "",
    "\xC4\xEA",  // 年
    "\xD4\xC2",  // 月
    "\xC8\xD5",  // 日
    "\xCA\xB1",  // 时
    "\xB7\xD6",  // 分
    "\xC3\xEB",  // 秒
    TIMECAL_ENDPOINT_URL,
};

}  // namespace

const ByteSetHeader *const emptyByteSet = &constantPool.emptyByteSet;
const char *const emptyText = constantPool.emptyText;
const char *const kUnitYear = constantPool.unitYear;
const char *const kUnitMonth = constantPool.unitMonth;
const char *const kUnitDay = constantPool.unitDay;
const char *const kUnitHour = constantPool.unitHour;
const char *const kUnitMinute = constantPool.unitMinute;
const char *const kUnitSecond = constantPool.unitSecond;
const char *const serverTimeUrl = constantPool.serverTimeUrl;

const void *const constantPoolStart = &constantPool;
const void *const constantPoolEnd = &constantPool + 1;

// Compares addresses as numbers: pointers into different objects have no order in C++.
bool isConstant(const void *p) {
  const uintptr_t address = reinterpret_cast<uintptr_t>(p);
  return address >= reinterpret_cast<uintptr_t>(constantPoolStart) &&
         address < reinterpret_cast<uintptr_t>(constantPoolEnd);
}
