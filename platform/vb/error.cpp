#include "platform/vb/error.h"

namespace vb {

std::string errorDescription(int number)
{
    switch (number) {
    case ErrOverflow: return "Overflow";
    case ErrSubscriptOutOfRange: return "Subscript out of range";
    case ErrDivisionByZero: return "Division by zero";
    case ErrTypeMismatch: return "Type mismatch";
    case ErrFileNotFound: return "File not found";
    case ErrBadRecordNumber: return "Bad record number";
    case ErrPathNotFound: return "Path not found";
    case ErrInvalidPropertyValue: return "Invalid property value";
    case ErrInvalidPicture: return "Invalid picture";
    default: return "Application-defined or object-defined error";
    }
}

RuntimeError::RuntimeError(int n, const std::string& what)
    : std::runtime_error(what.empty() ? errorDescription(n) : what), number(n)
{
}

} // namespace vb
