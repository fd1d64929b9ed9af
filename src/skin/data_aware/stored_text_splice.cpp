#include "skin/data_aware/stored_text_splice.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

/// For each position of `shown` (and its end), where it starts in `stored`;
/// nothing when the two do not correspond. A CR LF shown as one line break
/// takes two stored characters; any other character stands for one.
std::optional<std::vector<qsizetype>> StoredPositions(const QString& stored, const QString& shown)
{
    std::vector<qsizetype> at;
    at.reserve(size_t(shown.size()) + 1);
    qsizetype s = 0;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (s >= stored.size())
            return std::nullopt;
        at.push_back(s);
        const bool crLf = stored.at(s) == u'\r' && s + 1 < stored.size() && stored.at(s + 1) == u'\n';
        s += crLf && shown.at(i) != u'\r' ? 2 : 1;
    }
    if (s != stored.size())
        return std::nullopt;
    at.push_back(s);
    return at;
}

}  // namespace

QString SpliceEdit(const QString& stored, const QString& shown, const QString& edited)
{
    if (edited == shown)
        return stored;
    const auto at = StoredPositions(stored, shown);
    if (!at)
        return edited;
    const qsizetype most = std::min(shown.size(), edited.size());
    qsizetype prefix = 0;
    while (prefix < most && shown.at(prefix) == edited.at(prefix))
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < most - prefix && shown.at(shown.size() - 1 - suffix) == edited.at(edited.size() - 1 - suffix))
        ++suffix;
    const qsizetype from = (*at)[size_t(prefix)];
    const qsizetype to = (*at)[size_t(shown.size() - suffix)];
    return stored.left(from) + edited.mid(prefix, edited.size() - prefix - suffix) + stored.mid(to);
}
