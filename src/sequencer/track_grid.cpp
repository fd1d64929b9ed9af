#include "sequencer/track_grid.h"

#include <utility>

namespace {

// Rows that move keep their texts; a blank time becomes "0".
TrackGridRow Shifted(TrackGridRow row)
{
    if (row.PlayTime.isEmpty())
        row.PlayTime = QStringLiteral("0");
    return row;
}

}  // namespace

std::optional<QString> PlayTimeCell(const QString& fieldText, QString* error)
{
    const QString trimmed = fieldText.trimmed();
    if (trimmed.isEmpty())
        return QStringLiteral("0");
    bool ok = false;
    const int value = trimmed.toInt(&ok);
    if (!ok) {
        if (error)
            *error = QStringLiteral("'%1' is not a valid integer value").arg(fieldText);
        return std::nullopt;
    }
    return QString::number(value);
}

TrackGrid::TrackGrid()
{
    Reset();
}

void TrackGrid::Reset()
{
    rows_.assign(1, TrackGridRow{QString(), QStringLiteral("0")});
}

void TrackGrid::SetCell(int col, int row, const QString& text)
{
    if (row < 1 || row > RowCount())
        return;
    TrackGridRow& r = rows_[std::size_t(row - 1)];
    if (col == 0)
        r.FileName = text;
    else if (col == 1)
        r.PlayTime = text;
}

bool TrackGrid::SingleBlankRow() const
{
    return rows_.size() == 1 && rows_.front().FileName.trimmed().isEmpty();
}

int TrackGrid::Add(const TrackGridRow& item)
{
    if (SingleBlankRow()) {
        rows_.front() = item;
        return 1;
    }
    rows_.push_back(item);
    return RowCount();
}

int TrackGrid::Insert(int current, const TrackGridRow& item, bool* shifted)
{
    if (shifted)
        *shifted = false;
    if (SingleBlankRow()) {
        rows_.front() = item;
        return 1;
    }
    if (current < 1 || current > RowCount())
        return 0;
    for (std::size_t i = std::size_t(current - 1); i < rows_.size(); ++i)
        rows_[i] = Shifted(std::move(rows_[i]));
    rows_.insert(rows_.begin() + (current - 1), item);
    if (shifted)
        *shifted = true;
    return current;
}

bool TrackGrid::Remove(int current)
{
    if (current < 1 || current > RowCount())
        return false;
    if (rows_.size() == 1) {
        rows_.front() = {};
        return false;
    }
    for (std::size_t i = std::size_t(current); i < rows_.size(); ++i)
        rows_[i] = Shifted(std::move(rows_[i]));
    rows_.erase(rows_.begin() + (current - 1));
    return true;
}

bool TrackGrid::MoveUp(int current)
{
    if (current < 2 || current > RowCount())
        return false;
    std::swap(rows_[std::size_t(current - 1)], rows_[std::size_t(current - 2)]);
    return true;
}

bool TrackGrid::MoveDown(int current)
{
    if (current < 1 || current >= RowCount())
        return false;
    std::swap(rows_[std::size_t(current - 1)], rows_[std::size_t(current)]);
    return true;
}

void TrackGrid::MoveRow(int from, int to)
{
    if (from < 1 || from > RowCount() || to < 1 || to > RowCount() || from == to)
        return;
    TrackGridRow moved = std::move(rows_[std::size_t(from - 1)]);
    rows_.erase(rows_.begin() + (from - 1));
    rows_.insert(rows_.begin() + (to - 1), std::move(moved));
}
