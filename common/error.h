#pragma once

#include <stdexcept>
#include <string>

namespace kalvex {

// Every failure the user is to see travels as an Error whose what() is the
// exact text to show.
class Error : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A failed open, write or close of a file.
class IoError : public Error {
  public:
    using Error::Error;
};

}  // namespace kalvex
