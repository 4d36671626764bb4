#pragma once
// A busy cursor for the lifetime of an object: slow commands create one on the stack, so the
// cursor comes back on every way out, errors included. Instances nest.

class TCursorHourGlass {
public:
    TCursorHourGlass();
    ~TCursorHourGlass();
    TCursorHourGlass(const TCursorHourGlass&) = delete;
    TCursorHourGlass& operator=(const TCursorHourGlass&) = delete;
};
