#pragma once
// install.cfg's "Install Scope": whose the installation is. "machine" installs for every user and needs an
// administrator, "user" for the running user alone and needs none, "ask" lets the user choose. The value is
// compared without regard to letter case; a missing key is neither and keeps the setup's earlier behaviour.
#include <optional>
#include <string_view>

enum class InstallScope { Machine, User, Ask };

// The scope a value names; nothing for any other text.
std::optional<InstallScope> ParseInstallScope(std::string_view value);
