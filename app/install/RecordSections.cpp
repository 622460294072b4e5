#include "app/install/RecordSections.h"

#include "config/TextFields.h"

void TRecordSections::Set(const std::string& section, const std::string& key, const std::string& value)
{
    TSection& target = SectionNamed(section);
    const auto [at, added] = target.KeyIndex.emplace(UpperCase(key), target.Keys.size());
    if (added)
        target.Keys.emplace_back(key, value);
    else
        target.Keys[at->second].second = value;
}

std::string TRecordSections::Text() const
{
    std::string text(kUtf8Mark);
    for (const TSection& section : sections_) {
        text.append("[").append(section.Name).append("]\r\n");
        for (const auto& [key, value] : section.Keys) text.append(key).append("=").append(value).append("\r\n");
    }
    return text;
}

TRecordSections::TSection& TRecordSections::SectionNamed(const std::string& name)
{
    const auto [at, added] = sectionIndex_.emplace(UpperCase(name), sections_.size());
    if (added) sections_.push_back({name, {}, {}});
    return sections_[at->second];
}
