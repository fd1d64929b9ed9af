#pragma once
// The items of one sequence track as the Sequence window's grid holds them:
// rows of two texts (file name, play time), row 0 being the grid's header.
// A fresh track shows one row with an empty name and "0"; a track opened
// from a file with no items shows the header alone.
//
// GUI thread; no widgets here, the window mirrors the rows into its grid.

#include <QString>

#include <optional>
#include <vector>

struct TrackGridRow {
    QString FileName;
    QString PlayTime;
    friend bool operator==(const TrackGridRow&, const TrackGridRow&) = default;
};

/// The time cell for the play-time field's text: "0" when blank or 0, else the
/// number re-printed; nullopt (with the conversion message in `error`) when
/// the text is not a whole number.
std::optional<QString> PlayTimeCell(const QString& fieldText, QString* error = nullptr);

class TrackGrid {
public:
    /// One row with an empty name and "0".
    TrackGrid();

    /// Item rows (the header not counted).
    int RowCount() const { return int(rows_.size()); }
    /// Row 1..RowCount().
    const TrackGridRow& Row(int row) const { return rows_[std::size_t(row - 1)]; }
    const std::vector<TrackGridRow>& Rows() const { return rows_; }
    void SetRows(std::vector<TrackGridRow> rows) { rows_ = std::move(rows); }
    /// A cell edited in place: column 0 the name, 1 the time.
    void SetCell(int col, int row, const QString& text);
    /// Back to one row with an empty name and "0".
    void Reset();

    /// Fills the single blank row, else appends; returns the row that took the item.
    int Add(const TrackGridRow& item);
    /// Fills the single blank row, else puts the item at `current` (1..RowCount) and moves
    /// the rows from there one down. Returns the row that took the item, 0 when nothing
    /// happened; `shifted` tells whether rows moved (the window then says so).
    int Insert(int current, const TrackGridRow& item, bool* shifted = nullptr);
    /// Removes row `current` (1..RowCount); a single row is emptied instead. Returns
    /// whether a row went away (the window then says so).
    bool Remove(int current);
    /// Swaps `current` with the row above; true when it moved.
    bool MoveUp(int current);
    /// Swaps `current` with the row below; true when it moved.
    bool MoveDown(int current);
    /// A row dragged in the grid from `from` to `to` (grid rows, 1..RowCount).
    void MoveRow(int from, int to);

private:
    bool SingleBlankRow() const;
    std::vector<TrackGridRow> rows_;
};
