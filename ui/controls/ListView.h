#pragma once
// A report-style list with columns, rows kept in the order they are added, whole-row selection, optional check
// boxes and a shared small-icon list.
#include "ui/Window.h"

#include <commctrl.h>

#include <vector>

class TListView : public TWindow {
public:
    TListView(TWindow& parent, int id);

    // width: in units.
    void AddColumn(const std::string& caption, int width);
    // The list is only borrowed: it is the system's and is never destroyed here.
    void SetSmallImages(HIMAGELIST images);

    // Switching check boxes off and on keeps each row's check.
    void SetCheckboxes(bool on);
    bool Checkboxes() const;

    // Adds a row with a caption, one sub-item and an icon; returns its index.
    int AddItem(const std::string& caption, const std::string& subItem, int imageIndex, bool checked);
    int Count() const;
    std::string ItemText(int index, int column) const;
    bool Checked(int index) const;
    void SetChecked(int index, bool checked);
    void Clear();
    void ScaleChanged() override;

private:
    // A row's check while the check boxes are off lives in its item data.
    bool StoredCheck(int index) const;
    void StoreCheck(int index, bool checked);

    std::vector<int> columnWidths_;  // units
};
