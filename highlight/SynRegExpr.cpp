#include "SynRegExpr.h"

#include "SynCustomHighlighter.h"

namespace {

// The characters with a meaning of their own in an expression.
bool isSpecial(QChar c)
{
    return QStringView(u"^$.[]()|?+*{}\\").contains(c);
}

// The literal an expression matches, or a null string when it holds anything but literal
// characters and backslash-escaped punctuation.
QString literalOf(const QString &expression)
{
    QString literal(0, Qt::Uninitialized);
    for (qsizetype i = 0; i < expression.size(); ++i) {
        QChar c = expression[i];
        if (c == u'\\') {
            if (++i == expression.size() || expression[i].isLetterOrNumber())
                return {};
            c = expression[i];
        } else if (isSpecial(c)) {
            return {};
        }
        literal.append(c);
    }
    return literal;
}

} // namespace

void SynRegExpr::SetExpression(const QString &expression, bool caseSensitive)
{
    const auto options =
        caseSensitive ? QRegularExpression::NoPatternOption : QRegularExpression::CaseInsensitiveOption;
    if (expression == m_expression && m_regex.patternOptions() == options)
        return;
    m_expression = expression;
    m_regex = QRegularExpression(expression, options);
    m_literal = literalOf(expression);
    m_case = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (!m_regex.isValid())
        SynRaiseError(ErrorString());
}

bool SynRegExpr::FindLiteral(QStringView text)
{
    // Looking for the first character alone is far quicker than a general substring search, and
    // quicker still when that character has no case ("<", "?").
    const QChar first = m_literal.front();
    const Qt::CaseSensitivity firstCase = first.toUpper() == first.toLower() ? Qt::CaseSensitive : m_case;
    for (qsizetype at = text.indexOf(first, 0, firstCase); at >= 0; at = text.indexOf(first, at + 1, firstCase)) {
        if (text.mid(at).startsWith(m_literal, m_case)) {
            m_position = static_cast<int>(at) + 1;
            m_length = static_cast<int>(m_literal.size());
            return true;
        }
    }
    return false;
}

QString SynRegExpr::ErrorString() const
{
    if (m_regex.isValid())
        return {};
    return QStringLiteral("TRegExpr(comp): %1 at offset %2 of \"%3\"")
        .arg(m_regex.errorString())
        .arg(m_regex.patternErrorOffset())
        .arg(m_expression);
}

bool SynRegExpr::Exec(QStringView text)
{
    m_position = m_length = 0;
    if (!m_regex.isValid() || m_expression.isEmpty())
        return false;
    if (!m_literal.isNull())
        return FindLiteral(text);
    const QRegularExpressionMatch match = m_regex.match(text);
    if (!match.hasMatch() || match.capturedLength() == 0)
        return false;
    m_position = static_cast<int>(match.capturedStart()) + 1;
    m_length = static_cast<int>(match.capturedLength());
    return true;
}
