#pragma once
// Waiting and transfer steps on a tty descriptor opened non-blocking. The waits sleep in poll(),
// so a thread waiting for bytes uses no CPU, and a device that hung up (a USB adapter pulled,
// the far end of a pseudo-terminal closed) wakes them at once with a failure.
#include <cstddef>
#include <cstdint>

enum class WaitResult { Ready, TimedOut, Failed };

// Waits at most timeoutMs for input (0: only looks). Failed when the device hung up with nothing left.
WaitResult WaitReadable(int fd, int64_t timeoutMs);
// Waits at most timeoutMs for room in the transmit queue.
WaitResult WaitWritable(int fd, int64_t timeoutMs);

// What is there now, without waiting: the number of bytes (0 when none), -1 on a failure.
long ReadNow(int fd, char* buffer, size_t count);
// What fits now, without waiting: the number of bytes (0 when the queue is full), -1 on a failure.
long WriteNow(int fd, const char* data, size_t count);
