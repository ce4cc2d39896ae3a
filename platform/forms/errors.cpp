#include "platform/forms/errors.h"

std::string ListIndexError(int index) {
    return "List index out of bounds (" + std::to_string(index) + ")";
}
