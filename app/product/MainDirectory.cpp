#include "app/product/MainDirectory.h"

#include "config/TextFields.h"
#include "settings/Registry.h"

bool IsRegistryReference(const std::string& mainDirectory)
{
    return mainDirectory.starts_with("HKEY_");
}

std::string ResolveMainDirectory(const std::string& mainDirectory, const std::string& base)
{
    if (!IsRegistryReference(mainDirectory)) return base + mainDirectory;

    std::string fields = mainDirectory;
    const std::string root = SplitFirst(fields, ',');
    std::string key = SplitFirst(fields, ',');
    const std::string name = SplitFirst(fields, ',');
    const std::string fallback = base + fields;
    if (!key.starts_with('\\')) key.insert(0, 1, '\\');

    TRegistry registry(root == "HKEY_LOCAL_MACHINE" ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER);
    if (!registry.OpenKeyReadOnly(key)) return fallback;
    const std::string value = registry.ReadString(name);
    return value.empty() ? fallback : value;
}
