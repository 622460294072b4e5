#pragma once
// A setup program whose payload or image headers are damaged, or a payload that cannot be attached.
#include "port/Exception.h"

class EPayloadError : public Exception {
public:
    using Exception::Exception;
};
