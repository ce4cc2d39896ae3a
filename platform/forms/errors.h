#pragma once
// Exceptions the form layer raises, with the library's English messages.
#include <string>

#include "platform/text/text.h"

class EStringListError : public Exception {
public:
    using Exception::Exception;
};
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};
class EGridError : public Exception {
public:
    using Exception::Exception;
};

// "List index out of bounds (%d)"
std::string ListIndexError(int index);
