#include "CompletionData.h"

#include "CharClasses.h"
#include "DiskFiles.h"

bool DataFile::refresh(const QString &path)
{
    const DiskEntry entry = diskEntry(path);
    if (!entry.isFile || (path == m_path && entry.size == m_size && entry.modifiedNs == m_modified))
        return false;
    QByteArray bytes;
    ReadFailure failure;
    if (!readDiskFile(path, MaxSize, &bytes, &failure))
        return false;
    m_path = path;
    m_size = entry.size;
    m_modified = entry.modifiedNs;
    m_lines = dataFileLines(bytes);
    return true;
}

CompletionLists completionLists(const QStringList &keywords, const QStringList &functions)
{
    CompletionLists lists;
    lists.insertList = keywords + functions;
    lists.itemList.reserve(lists.insertList.size());
    for (const QString &keyword : keywords)
        lists.itemList.append(keyword + QStringLiteral(" (PHP keyword)"));
    for (const QString &function : functions)
        lists.itemList.append(function + QStringLiteral(" (PHP function)"));
    return lists;
}

namespace {

bool startsWithAsciiNoCase(QStringView text, QStringView prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (qsizetype i = 0; i < prefix.size(); ++i)
        if (asciiLowerCase(text[i].unicode()) != asciiLowerCase(prefix[i].unicode()))
            return false;
    return true;
}

} // namespace

QList<int> matchingItems(const QStringList &items, QStringView filter)
{
    QList<int> rows;
    for (int i = 0; i < int(items.size()); ++i)
        if (startsWithAsciiNoCase(items[i], filter))
            rows.append(i);
    return rows;
}

QString WordBeforeCaret(QStringView line, int caretChar)
{
    const qsizetype end = caretChar - 1;
    if (end < 0 || end > line.size())
        return {};
    qsizetype start = end;
    while (start > 0 && line[start - 1] > u' ' && !isEndOfToken(line[start - 1]))
        --start;
    return line.sliced(start, end - start).toString();
}

QPoint proposalPosition(QSize size, QPoint caretLineTop, int lineHeight, const QRect &workArea)
{
    QPoint at(caretLineTop.x(), caretLineTop.y() + lineHeight);
    if (at.x() + size.width() > workArea.right() + 1)
        at.rx() = std::max(workArea.left(), at.x() - size.width());
    if (at.y() + size.height() > workArea.bottom() + 1)
        at.ry() = caretLineTop.y() - size.height();
    return at;
}

ProposalKeyAction proposalKeyAction(int key, Qt::KeyboardModifiers modifiers, QStringView text)
{
    const bool ctrl = modifiers & Qt::ControlModifier;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab: return {ProposalKey::Accept};
    case Qt::Key_Backspace: return {ProposalKey::Backspace};
    case Qt::Key_Escape: return {ProposalKey::Close};
    case Qt::Key_Up: return {ProposalKey::Select, ctrl ? FirstRow : -1};
    case Qt::Key_Down: return {ProposalKey::Select, ctrl ? LastRow : 1};
    case Qt::Key_PageUp: return {ProposalKey::Select, -10};
    case Qt::Key_PageDown: return {ProposalKey::Select, 10};
    case Qt::Key_Home: return {ProposalKey::Select, FirstRow};
    case Qt::Key_End: return {ProposalKey::Select, LastRow};
    case Qt::Key_Left:
    case Qt::Key_Right: return {ProposalKey::CloseAndPass};
    default: break;
    }
    if (text.size() != 1)
        return {text.isEmpty() ? ProposalKey::Ignore : ProposalKey::Close};
    const char16_t c = text.front().unicode();
    if (isCommandChord(modifiers) || c < u' ' || c > u'z')
        return {ProposalKey::Close};
    if (c == u' ')
        return {ProposalKey::AcceptAndType};
    if (isEndOfToken(QChar(c)))
        return {ProposalKey::CloseAndType};
    return {ProposalKey::Filter};
}
