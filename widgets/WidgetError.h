#pragma once
// A window or drawing resource the system refused to the widgets; the message says which.
#include "port/Exception.h"

class EWidgetError : public Exception {
public:
    using Exception::Exception;
};
