#pragma once
// One archive of a set as its scan entry describes it, and the list of them that an expansion fills
// and an application may edit before the archives are expanded.
#include <cstdint>
#include <string>
#include <vector>

struct TSegArc {
    std::string Template;
    std::string Path;  // the directory part of Template: where the entries go
    std::uint16_t Sequence = 0;
    std::uint8_t ScanByte = 0;
    // The names to expand; once expanded, the paths written.
    std::vector<std::string> Files;
};

// Owns its entries by value; removing one frees it.
class TSegArcList {
public:
    using iterator = std::vector<TSegArc>::iterator;
    using const_iterator = std::vector<TSegArc>::const_iterator;

    void ClearArcs() { arcs_.clear(); }
    void Add(TSegArc arc) { arcs_.push_back(std::move(arc)); }
    iterator Remove(iterator at) { return arcs_.erase(at); }

    std::size_t Count() const { return arcs_.size(); }
    bool Empty() const { return arcs_.empty(); }
    TSegArc& operator[](std::size_t i) { return arcs_.at(i); }
    const TSegArc& operator[](std::size_t i) const { return arcs_.at(i); }
    iterator begin() { return arcs_.begin(); }
    iterator end() { return arcs_.end(); }
    const_iterator begin() const { return arcs_.begin(); }
    const_iterator end() const { return arcs_.end(); }
    // Exposed for reordering by an event handler.
    std::vector<TSegArc>& Items() { return arcs_; }

private:
    std::vector<TSegArc> arcs_;
};
