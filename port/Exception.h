#pragma once
// The root of every exception the project throws, and the file errors of the platform layer.
#include <exception>
#include <string>
#include <utility>

// It keeps its message in a std::string of its own rather than deriving from std::runtime_error, whose
// message string would bring a second string implementation into setup.exe (app/entry/ThrowHelpers.cpp).
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// A file that cannot be opened or created; the message names it.
class EFOpenError : public Exception {
public:
    explicit EFOpenError(const std::string& path) : Exception("Cannot open file " + path) {}
};

class EFCreateError : public Exception {
public:
    explicit EFCreateError(const std::string& path) : Exception("Cannot create file " + path) {}
};

// Reading, writing, seeking or a directory operation failed.
class EInOutError : public Exception {
public:
    using Exception::Exception;
};

// A stream could not supply or take the bytes asked for.
class EReadError : public Exception {
public:
    using Exception::Exception;
};

class EWriteError : public Exception {
public:
    using Exception::Exception;
};
