#include "platform/serial/read_ahead.h"

#include <algorithm>
#include <cstring>

#include "platform/serial/descriptor_io.h"

size_t ReadAhead::Take(char* bytes, size_t count) {
    const size_t taken = std::min(count, end_ - begin_);
    std::memcpy(bytes, bytes_.data() + begin_, taken);
    begin_ += taken;
    if (Empty()) Clear();
    return taken;
}

long ReadAhead::Fill(int fd) {
    // Bytes still held stay in front of the new ones.
    std::memmove(bytes_.data(), bytes_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
    const long n = ReadNow(fd, bytes_.data() + end_, bytes_.size() - end_);
    if (n > 0) end_ += static_cast<size_t>(n);
    return n;
}
