#pragma once
// Large buffers written once from start to end: memory taken in huge pages costs a page fault
// every 2 MiB instead of every 4 KiB, which for plain copying costs more than the work itself.

#include <QtGlobal>

class THugePages {
public:
    // Asks for huge pages for the whole 2 MiB pages inside [data, data + size), before the
    // buffer is first written; buffers under 4 MiB are left alone.
    static void Advise(void* data, qsizetype size);
};
