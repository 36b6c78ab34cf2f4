#pragma once
// The errors the class-library layer raises. Callers that must not fail catch ui::Error.
#include <windows.h>

#include <stdexcept>
#include <string>

namespace ui {

class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A bitmap or canvas operation that cannot be done (a row outside the picture, no memory for pixels).
class GraphicsError : public Error {
public:
    using Error::Error;
};

// A named resource that the module does not carry.
class ResourceNotFound : public Error {
public:
    explicit ResourceNotFound(const std::string& name) : Error("Resource " + name + " not found") {}
};

// A failed COM call, with its result code.
class OleError : public Error {
public:
    explicit OleError(HRESULT code);
    HRESULT Code() const { return code_; }

private:
    HRESULT code_;
};

} // namespace ui
