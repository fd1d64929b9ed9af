#pragma once
// The rows of the Section window's grid as text, and the editing commands on
// them: add, insert, remove, move, the checks a cell must pass and the text
// the section file is written as. Pure: no widget, no disk except WriteSectionFile.
//
// Rows are numbered as the grid numbers them: row 0 is the heading, data rows
// are 1..RowCount(). Every command that rewrites rows checks them all first and
// changes nothing when one is bad.

#include "model/file_io.h"
#include "model/show_model.h"
#include "player/effect_chain.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

/// Columns: the drawing's name, then A..R.
inline constexpr int kSectionColumns = 19;
/// Column O, point draw: the file keeps it in one byte.
inline constexpr int kPointDrawColumn = 15;

/// The heading row: "drawing name", then "A".."R".
QStringList SectionGridHeadings();
/// The row a fresh window shows: empty name, A 50, B..J 0, K 257, L 20, M 0, N 30, O 0, P 85, Q 0, R 0.
QStringList DefaultSectionRow();
/// The placeholder "New section" writes: as the default row but A 0 and K 0.
QStringList NewSectionPlaceholderRow();
/// A record's cells as text (name, A..N, O, P, Q, R).
QStringList RowCells(const TSectionRecord& record);

class SectionGrid {
public:
    /// One data row: the default row.
    SectionGrid();

    int RowCount() const { return int(rows_.size()); }
    /// Cells of data row `row` (1-based).
    const QStringList& Row(int row) const { return rows_[std::size_t(row - 1)]; }
    QString Cell(int col, int row) const;
    /// Sets a cell as typed; the checks come at the next command or save.
    void SetCell(int col, int row, const QString& text);

    /// Replaces every row; an empty list leaves one placeholder row (the grid always has a data row).
    void SetRows(std::vector<QStringList> rows);
    /// The grid cut to the "New section" placeholder row.
    void ResetToPlaceholder();

    /// Fills the placeholder row, or appends.
    void Add(const QStringList& cells);
    /// Inserts at `row` (the placeholder rule first); the rows from `row` on move one lower,
    /// normalised. An error message when a cell to be moved is bad: nothing changes.
    std::optional<QString> Insert(int row, const QStringList& cells);
    /// Removes `row`: the only row is emptied; rows below move up, normalised.
    /// An error message when a cell to be moved is bad: nothing changes.
    std::optional<QString> Remove(int row);
    /// Swaps `row` with the row above (row >= 2) or below (row below the last). False when refused.
    bool MoveUp(int row);
    bool MoveDown(int row);
    /// Moves a row to another place (a drag in the grid).
    void MoveRow(int from, int to);

    /// Every cell saveable: no "|" or line break anywhere, integers in A..R (empty counts as 0), O within 0..255.
    /// The message names the row.
    std::optional<QString> Check() const;
    /// Why `text` cannot stand in cell (col, row) by the rules of Check, or nullopt.
    std::optional<QString> CellProblem(int col, int row, const QString& text) const;
    /// The file text: one line per row, cells joined by "|", lines ended by CR LF.
    QByteArray FileText() const;

private:
    static bool NormaliseInto(const QStringList& in, QStringList& out, QString& error);
    /// Rows become `next` followed by rows firstKept.. (1-based) normalised;
    /// a row that cannot be normalised leaves the rows unchanged.
    std::optional<QString> ReplaceRows(std::vector<QStringList> next, int firstKept);
    std::vector<QStringList> rows_;
};

/// The cells of a new row: the drawing's name, A from `playTimeText` ("0" when empty or 0),
/// B..R from the live controls and P from the send-speed bar. nullopt and the message when A is not an integer or the
/// name cannot be stored in a section file.
std::optional<QStringList> NewRowCells(const QString& name, const QString& playTimeText,
                                       const EffectParameters& live, std::int32_t P, QString* error);

/// Why a drawing name cannot be a section row's first field ("|" or a line break
/// would not read back), or nullopt when it can.
std::optional<QString> SectionDrawingNameProblem(const QString& name);

/// Saves the grid's rows atomically; the model's failure message when the file cannot be written.
FileResult WriteSectionFile(const QString& path, const SectionGrid& grid);

/// The file name for a section name: ".sec" appended unless the extension already is one (any case).
QString SectionFileName(const QString& name);
/// The file name Find looks for: `extension` (".ddr", ".sec") appended unless already there (any case).
QString WithExtension(const QString& name, const QString& extension);
