#include "player/section_grid.h"

#include "model/show_text.h"

#include <utility>

namespace {

bool StorableText(const QString& text)
{
    return !text.contains(u'|') && !text.contains(u'\n') && !text.contains(u'\r');
}

QStringList Sized(QStringList cells)
{
    while (cells.size() < kSectionColumns)
        cells << QString();
    while (cells.size() > kSectionColumns)
        cells.removeLast();
    return cells;
}

QString RowError(int row, const QString& message)
{
    return QStringLiteral("row %1: %2").arg(row).arg(message);
}

// Why a cell of column `col` cannot be saved as `t`, without the row.
std::optional<QString> CellTextProblem(int col, const QString& t)
{
    if (!StorableText(t))
        return QStringLiteral("a cell may not hold \"|\" or a line break");
    if (col == 0 || t.trimmed().isEmpty())
        return std::nullopt;
    const auto v = ParseInt32(t);
    if (!v)
        return NotAnIntegerMessage(t);
    if (col == kPointDrawColumn && (*v < 0 || *v > 255))
        return QStringLiteral("O (point draw) is kept in one byte: %1 is not in 0..255").arg(*v);
    return std::nullopt;
}

}  // namespace

QStringList SectionGridHeadings()
{
    QStringList h{QStringLiteral("drawing name")};
    for (char c = 'A'; c <= 'R'; ++c)
        h << QString(QChar(c));
    return h;
}

QStringList DefaultSectionRow()
{
    return {QString(), "50", "0", "0", "0", "0", "0", "0", "0", "0", "0", "257", "20", "0", "30", "0", "85", "0", "0"};
}

QStringList NewSectionPlaceholderRow()
{
    return {QString(), "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "20", "0", "30", "0", "85", "0", "0"};
}

QStringList RowCells(const TSectionRecord& r)
{
    QStringList c{r.FileName};
    for (std::int32_t v : {r.A, r.B, r.C, r.D, r.E, r.F, r.G, r.H, r.I, r.J, r.K, r.L, r.M, r.N})
        c << QString::number(v);
    c << QString::number(r.O) << QString::number(r.P) << QString::number(r.Q) << QString::number(r.R);
    return c;
}

SectionGrid::SectionGrid()
{
    rows_.push_back(DefaultSectionRow());
}

QString SectionGrid::Cell(int col, int row) const
{
    if (row < 1 || row > RowCount() || col < 0 || col >= kSectionColumns)
        return {};
    return rows_[std::size_t(row - 1)][col];
}

void SectionGrid::SetCell(int col, int row, const QString& text)
{
    if (row < 1 || row > RowCount() || col < 0 || col >= kSectionColumns)
        return;
    rows_[std::size_t(row - 1)][col] = text;
}

void SectionGrid::SetRows(std::vector<QStringList> rows)
{
    rows_.clear();
    for (auto& r : rows)
        rows_.push_back(Sized(std::move(r)));
    if (rows_.empty())
        rows_.push_back(Sized(QStringList{}));
}

void SectionGrid::ResetToPlaceholder()
{
    rows_.assign(1, NewSectionPlaceholderRow());
}

void SectionGrid::Add(const QStringList& cells)
{
    if (rows_.size() == 1 && rows_.front()[0].isEmpty())
        rows_.front() = Sized(cells);
    else
        rows_.push_back(Sized(cells));
}

bool SectionGrid::NormaliseInto(const QStringList& in, QStringList& out, QString& error)
{
    out = Sized(in);
    for (int col = 1; col < kSectionColumns; ++col) {
        const QString& t = out[col];
        if (t.trimmed().isEmpty()) {
            out[col] = QStringLiteral("0");
            continue;
        }
        const auto v = ParseInt32(t);
        if (!v) {
            error = NotAnIntegerMessage(t);
            return false;
        }
        out[col] = QString::number(*v);
    }
    return true;
}

std::optional<QString> SectionGrid::Insert(int row, const QStringList& cells)
{
    if (rows_.size() == 1 && rows_.front()[0].isEmpty()) {
        rows_.front() = Sized(cells);
        return std::nullopt;
    }
    if (row < 1 || row > RowCount())
        return std::nullopt;
    if (auto bad = Check())
        return bad;
    std::vector<QStringList> next(rows_.begin(), rows_.begin() + (row - 1));
    next.push_back(Sized(cells));
    return ReplaceRows(std::move(next), row);
}

std::optional<QString> SectionGrid::ReplaceRows(std::vector<QStringList> next, int firstKept)
{
    for (int r = firstKept; r <= RowCount(); ++r) {
        QStringList normal;
        QString error;
        if (!NormaliseInto(rows_[std::size_t(r - 1)], normal, error))
            return RowError(r, error);
        next.push_back(std::move(normal));
    }
    rows_ = std::move(next);
    return std::nullopt;
}

std::optional<QString> SectionGrid::Remove(int row)
{
    if (row < 1 || row > RowCount())
        return std::nullopt;
    if (rows_.size() == 1) {
        rows_.front() = Sized(QStringList{});
        return std::nullopt;
    }
    if (row == RowCount()) {
        rows_.pop_back();
        return std::nullopt;
    }
    if (auto bad = Check())
        return bad;
    std::vector<QStringList> next(rows_.begin(), rows_.begin() + (row - 1));
    return ReplaceRows(std::move(next), row + 1);
}

bool SectionGrid::MoveUp(int row)
{
    if (row < 2 || row > RowCount())
        return false;
    std::swap(rows_[std::size_t(row - 1)], rows_[std::size_t(row - 2)]);
    return true;
}

bool SectionGrid::MoveDown(int row)
{
    if (row < 1 || row >= RowCount())
        return false;
    std::swap(rows_[std::size_t(row - 1)], rows_[std::size_t(row)]);
    return true;
}

void SectionGrid::MoveRow(int from, int to)
{
    if (from < 1 || from > RowCount() || to < 1 || to > RowCount() || from == to)
        return;
    QStringList moved = std::move(rows_[std::size_t(from - 1)]);
    rows_.erase(rows_.begin() + (from - 1));
    rows_.insert(rows_.begin() + (to - 1), std::move(moved));
}

std::optional<QString> SectionGrid::Check() const
{
    for (int r = 1; r <= RowCount(); ++r) {
        const QStringList& cells = rows_[std::size_t(r - 1)];
        for (int col = 0; col < kSectionColumns; ++col) {
            if (auto problem = CellTextProblem(col, cells[col]))
                return RowError(r, *problem);
        }
    }
    return std::nullopt;
}

std::optional<QString> SectionGrid::CellProblem(int col, int row, const QString& text) const
{
    if (auto problem = CellTextProblem(col, text))
        return RowError(row, *problem);
    return std::nullopt;
}

QByteArray SectionGrid::FileText() const
{
    QByteArray text;
    for (const QStringList& cells : rows_) {
        text += cells.join(u'|').toUtf8();
        text += "\r\n";
    }
    return text;
}

std::optional<QStringList> NewRowCells(const QString& name, const QString& playTimeText,
                                       const EffectParameters& p, std::int32_t P, QString* error)
{
    auto fail = [&](const QString& message) -> std::optional<QStringList> {
        if (error)
            *error = message;
        return std::nullopt;
    };
    if (const std::optional<QString> problem = SectionDrawingNameProblem(name))
        return fail(*problem);
    QString a = QStringLiteral("0");
    if (!playTimeText.trimmed().isEmpty()) {
        const auto v = ParseInt32(playTimeText);
        if (!v)
            return fail(NotAnIntegerMessage(playTimeText));
        a = QString::number(*v);
    }
    QStringList c{name, a};
    for (std::int32_t v : {p.B, p.C, p.D, p.E, p.F, p.G, p.H, p.I, p.J, p.K, p.L, p.M, p.N})
        c << QString::number(v);
    c << QString::number(p.O) << QString::number(P) << QString::number(p.Q) << QString::number(p.R);
    return c;
}

std::optional<QString> SectionDrawingNameProblem(const QString& name)
{
    if (StorableText(name))
        return std::nullopt;
    return QStringLiteral("\"%1\" cannot be stored in a section: it holds \"|\" or a line break").arg(name);
}

FileResult WriteSectionFile(const QString& path, const SectionGrid& grid)
{
    if (auto bad = grid.Check())
        return FileResult::Failure(*bad);
    return SaveWholeFile(path, grid.FileText());
}

QString WithExtension(const QString& name, const QString& extension)
{
    if (name.toLower().endsWith(extension.toLower()))
        return name;
    return name + extension;
}

QString SectionFileName(const QString& name)
{
    return WithExtension(name, QStringLiteral(".sec"));
}
