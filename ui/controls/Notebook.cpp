#include "ui/controls/Notebook.h"

TNotebook::TNotebook(TWindow& parent, int id) : TPanel(parent, id) {}

TPanel& TNotebook::AddPage(const std::string& name, int id)
{
    auto page = std::make_unique<TPanel>(*this, id, name);
    page->SetBounds(0, 0, Width(), Height());
    page->SetVisible(pages_.empty());
    pages_.push_back(std::move(page));
    if (pageIndex_ < 0) pageIndex_ = 0;
    return *pages_.back();
}

void TNotebook::SetPageIndex(int index)
{
    if (index < 0 || index >= PageCount() || index == pageIndex_) return;
    if (OnPageShowing) OnPageShowing(index);
    pages_[static_cast<size_t>(index)]->Show();
    if (pageIndex_ >= 0) pages_[static_cast<size_t>(pageIndex_)]->Hide();
    pageIndex_ = index;
    if (OnPageChanged) OnPageChanged();
}

void TNotebook::SetBounds(int left, int top, int width, int height)
{
    TPanel::SetBounds(left, top, width, height);
    for (auto& page : pages_) page->SetBounds(0, 0, width, height);
}
