#include "RadioLink/CancellationError.h"

const char *CancellationError::what() const noexcept {
    return "operation cancelled";
}
