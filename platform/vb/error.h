#pragma once
// The runtime's trappable errors, carried with their classic numbers so
// callers can react to a specific one (e.g. 380 from a refused property).

#include <stdexcept>
#include <string>

namespace vb {

enum ErrorNumber : int {
    ErrOverflow = 6,
    ErrSubscriptOutOfRange = 9,
    ErrDivisionByZero = 11,
    ErrTypeMismatch = 13,
    ErrBadRecordNumber = 63,
    ErrFileNotFound = 53,
    ErrPathNotFound = 76,
    ErrInvalidPropertyValue = 380,
    ErrInvalidPicture = 481,
};

struct RuntimeError : std::runtime_error {
    int number;
    explicit RuntimeError(int n, const std::string& what = std::string());
};

// Default German-free description for a number ("Overflow", ...).
std::string errorDescription(int number);

} // namespace vb
