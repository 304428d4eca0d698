// Test helper: counts the blocks that are alive on the platform heap while it exists.
#pragma once
#include <cstddef>

#include "values/heap.h"

class HeapCounter {
 public:
  HeapCounter() : saved_(g_heapCalls) {
    s_saved = saved_;
    s_live = 0;
    g_heapCalls.allocate = [](size_t size) -> void * {
      void *block = s_saved.allocate(size);
      if (block != nullptr) ++s_live;
      return block;
    };
    g_heapCalls.release = [](void *block) {
      if (block != nullptr) --s_live;
      s_saved.release(block);
    };
  }
  ~HeapCounter() { g_heapCalls = saved_; }
  int live() const { return s_live; }

 private:
  HeapCalls saved_;
  static inline HeapCalls s_saved;
  static inline int s_live;
};
