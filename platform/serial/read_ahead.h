#pragma once
// Bytes the device had beyond what a read asked for. Reading whatever is there in one system call
// and handing it out from here lets a caller take an answer byte by byte at the cost of a copy.
#include <array>
#include <cstddef>

class ReadAhead {
public:
    // Moves up to count of the oldest bytes into bytes; the number moved.
    size_t Take(char* bytes, size_t count);
    bool Empty() const { return begin_ == end_; }
    void Clear() { begin_ = end_ = 0; }
    // Reads what the device has now, without waiting, behind the bytes still held: the number of
    // bytes read (0 when none or when the buffer is full), -1 on a failure.
    long Fill(int fd);

private:
    std::array<char, 4096> bytes_{};
    size_t begin_ = 0;
    size_t end_ = 0;
};
