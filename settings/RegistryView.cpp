#include "settings/RegistryView.h"

namespace {

REGSAM current = 0;

}  // namespace

REGSAM RegistryView()
{
    return current;
}

TRegistryViewScope::TRegistryViewScope(REGSAM chosen) : before_(current)
{
    current = chosen;
}

TRegistryViewScope::~TRegistryViewScope()
{
    current = before_;
}
