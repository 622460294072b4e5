#pragma once
// The root of every exception the project throws, and the file errors of the platform layer.
#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
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
