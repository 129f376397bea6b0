#pragma once

#include <stdexcept>
#include <string>

// A run-time failure of a handler: a picture that cannot be loaded, a number
// outside the 32-bit range, an arithmetic overflow. Thrown where it happens and
// caught only at the boundary of a handler that traps failures; every other
// handler lets it pass to its caller's trap (or to the event dispatcher guard).
class RuntimeFailure : public std::runtime_error {
public:
    explicit RuntimeFailure(const std::string &what) : std::runtime_error(what) {}
};
