// A grid for the window-free rules' tests: headings and rows of texts, some rows selected.
#pragma once

#include <string>
#include <vector>

#include "common/GridText.h"

class RowsSource : public GridTextSource {
public:
    RowsSource(std::vector<std::string> headings, std::vector<std::vector<std::string>> rows)
        : headings_(std::move(headings)), rows_(std::move(rows))
    {
    }
    int ColumnCount() const override { return static_cast<int>(headings_.size()); }
    int RowCount() const override { return static_cast<int>(rows_.size()); }
    void ColumnTitle(int column, VornString& out) const override { out = headings_[column].c_str(); }
    void CellText(int row, int column, VornString& out) const override
    {
        ++cellReads;
        const std::vector<std::string>& cells = rows_[row];
        out = static_cast<size_t>(column) < cells.size() ? cells[column].c_str() : "";
    }
    bool IsRowSelected(int) const override { return false; }

    mutable long cellReads = 0;

private:
    std::vector<std::string> headings_;
    std::vector<std::vector<std::string>> rows_;
};
