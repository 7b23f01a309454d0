#include "PrintRows.h"

#include <optional>

namespace {

// The row starts when every row can end on one of breaks; nothing when one cannot.
std::optional<QList<int>> rowStartsAt(QStringView line, int maxColumns, QStringView breaks)
{
    QList<int> starts{0};
    int start = 0;
    while (line.size() - start > maxColumns) {
        int end = start + maxColumns;
        while (end > start && !breaks.contains(line[end - 1]))
            --end;
        if (end == start)
            return std::nullopt;
        starts.append(end);
        start = end;
    }
    return starts;
}

} // namespace

QList<int> printRowStarts(QStringView line, int maxColumns)
{
    if (maxColumns < 1)
        maxColumns = 1;
    for (QStringView breaks : {u"\t ,-", u").;"})
        if (auto starts = rowStartsAt(line, maxColumns, breaks))
            return *starts;
    QList<int> starts{0};
    for (int start = maxColumns; start < line.size(); start += maxColumns)
        starts.append(start);
    return starts;
}
