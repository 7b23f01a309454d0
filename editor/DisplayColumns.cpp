#include "DisplayColumns.h"

#include <QString>

#include <algorithm>

namespace {

int advance(QChar c, int display, int tabWidth)
{
    if (c != u'\t' || tabWidth <= 1)
        return display + 1;
    return display + tabWidth - ((display - 1) % tabWidth);
}

} // namespace

int displayColumn(QStringView line, int column, int tabWidth)
{
    const qsizetype inLine = std::min<qsizetype>(column - 1, line.size());
    int display = 1;
    for (qsizetype i = 0; i < inLine; ++i)
        display = advance(line[i], display, tabWidth);
    return display + static_cast<int>(column - 1 - inLine);
}

int charColumnAt(QStringView line, int display, int tabWidth)
{
    int shown = 1;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const int next = advance(line[i], shown, tabWidth);
        if (display < next)
            return static_cast<int>(i) + 1;
        shown = next;
    }
    return static_cast<int>(line.size()) + 1 + std::max(0, display - shown);
}

QString expandTabs(QStringView text, int tabWidth, int startColumn)
{
    if (!text.contains(u'\t'))
        return text.toString();
    QString out;
    out.reserve(text.size() + 16);
    for (QChar c : text) {
        const int here = startColumn + static_cast<int>(out.size());
        if (c == u'\t')
            out.resize(out.size() + (advance(c, here, tabWidth) - here), u' '); // no string per tab
        else
            out.append(c);
    }
    return out;
}
