// Errors the stand-in host reports to its user.
#pragma once

#include <stdexcept>
#include <string>

namespace host {

// A module file that cannot be loaded or whose records are unusable.
class LoadError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Bad input from the user: an argument, a scenario line, a file that cannot be read or written.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

} // namespace host
