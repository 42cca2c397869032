#pragma once

#include <exception>

// Thrown where a cancelled operation stops early. Not a RadioError: the radio did nothing wrong.
class CancellationError : public std::exception {
public:
    const char *what() const noexcept override;
};
