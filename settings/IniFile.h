#pragma once
// An INI file through the system's profile API, read by the rules of TIniReading (settings/IniReading.h), for
// the files the installation writes into and removes from: the system's profile API keeps their encoding. A file
// name without a directory is looked for in the Windows directory, as the profile API does.
// Self-contained: no other toolkit file is needed.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "port/Exception.h"
#include "settings/IniReading.h"

class EIniFileException : public Exception {
public:
    using Exception::Exception;
};

class TIniFile : public TIniReading {
public:
    explicit TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

    const std::string& FileName() const { return fileName_; }

    std::optional<std::string> ReadOptionalString(const std::string& section, const std::string& key) const override;
    std::vector<std::string> ReadSection(const std::string& section) const override;
    // Whether the file has the section, even one without keys (letter case aside).
    bool SectionExists(const std::string& section) const;

    // Raises EIniFileException naming the key and the file when the profile API refuses.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    // Deleting forgives: a missing file, section or key, or a refusal, leaves things as they are.
    void DeleteKey(const std::string& section, const std::string& key);
    void EraseSection(const std::string& section);
    // Makes the profile API write what it still holds for this file.
    void UpdateFile();

private:
    std::string fileName_;
};
