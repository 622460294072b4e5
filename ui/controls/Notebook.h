#pragma once
// A stack of pages of which one is shown. Each page is a panel whose window text is the page's name.
#include "ui/controls/Panel.h"

#include <functional>
#include <memory>
#include <vector>

class TNotebook : public TPanel {
public:
    TNotebook(TWindow& parent, int id);

    // Raised when the page index changes, and only then: OnPageShowing with the new index while that page is
    // still hidden, so that it can be made complete before it takes input; OnPageChanged once it shows.
    std::function<void(int)> OnPageShowing;
    std::function<void()> OnPageChanged;

    TPanel& AddPage(const std::string& name, int id);
    TPanel& Page(int index) { return *pages_.at(static_cast<size_t>(index)); }
    int PageCount() const { return static_cast<int>(pages_.size()); }

    int PageIndex() const { return pageIndex_; }
    // An index outside the pages is ignored.
    void SetPageIndex(int index);

    void SetBounds(int left, int top, int width, int height) override;

private:
    std::vector<std::unique_ptr<TPanel>> pages_;
    int pageIndex_ = -1;
};
