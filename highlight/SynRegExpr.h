#pragma once

#include <QRegularExpression>
#include <QString>
#include <QStringView>

// The four regular-expression operations the multi-language highlighter needs: set the
// expression (compiled when it changes), search a text for the first match, and read the match's
// 1-based position and length. The syntax is Perl-like. An expression that does not compile is
// raised as an error (ErrorString()) when it is set, and then finds nothing.
class SynRegExpr
{
public:
    void SetExpression(const QString &expression, bool caseSensitive = true);
    const QString &Expression() const { return m_expression; }
    bool IsValid() const { return m_regex.isValid(); }
    // Why the expression does not compile, empty when it does.
    QString ErrorString() const;

    // True when the expression matches somewhere in text. An expression that does not compile, or
    // a match of no characters, finds nothing: either would stall the scan of a line.
    bool Exec(QStringView text);
    int MatchPos() const { return m_position; }
    int MatchLen() const { return m_length; }

private:
    bool FindLiteral(QStringView text);

    QString m_expression;
    QRegularExpression m_regex;
    // The text an expression of plain and escaped literal characters stands for, searched without
    // running the engine; null for any other expression.
    QString m_literal;
    Qt::CaseSensitivity m_case = Qt::CaseSensitive;
    int m_position = 0;
    int m_length = 0;
};
