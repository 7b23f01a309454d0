#include "ProjectSearch.h"

#include "SynEditSearch.h"
#include "TextEncoding.h"

#include <QRegularExpression>

namespace {

// So that a match inside a minified line shows with what stands around it.
constexpr int ExcerptBefore = 60;
constexpr int ExcerptLength = 200;

ProjectMatch matchAt(int file, int line, QStringView text, qsizetype start, qsizetype length)
{
    const qsizetype from = std::max<qsizetype>(0, start - ExcerptBefore);
    return {file,
            line,
            int(start + 1),
            int(length),
            text.mid(from, std::max<qsizetype>(ExcerptLength, start - from + length)).toString(),
            int(start - from)};
}

// Calls visit with each line of every file: its file, its number and its text.
template <typename Visit>
void forEachProjectLine(const FileTable &files, Visit visit)
{
    for (int file = 0; file < files.size(); ++file) {
        int line = 0;
        forEachLine(files[file].Text, [&](QStringView text) { visit(file, ++line, text); });
    }
}

QRegularExpression expressionFor(const ProjectQuery &query)
{
    QString pattern = query.text;
    // Whole words: no letter, digit or "_" right before or after the match.
    if (query.wholeWord)
        pattern = QStringLiteral("(?<![\\p{L}\\p{N}_])(?:") + pattern + QStringLiteral(")(?![\\p{L}\\p{N}_])");
    QRegularExpression::PatternOptions options = QRegularExpression::UseUnicodePropertiesOption;
    if (!query.matchCase)
        options |= QRegularExpression::CaseInsensitiveOption;
    return QRegularExpression(pattern, options);
}

} // namespace

ProjectSearchResult searchProject(const FileTable &files, const ProjectQuery &query)
{
    ProjectSearchResult result;
    if (query.text.isEmpty())
        return result;
    if (query.regularExpression) {
        const QRegularExpression expression = expressionFor(query);
        if (!expression.isValid()) {
            result.error = expression.errorString();
            return result;
        }
        forEachProjectLine(files, [&](int file, int line, QStringView text) {
            for (auto it = expression.globalMatch(text); it.hasNext();) {
                const QRegularExpressionMatch match = it.next();
                // An empty match marks nothing a user could see.
                if (match.capturedLength() > 0)
                    result.matches.append(matchAt(file, line, text, match.capturedStart(), match.capturedLength()));
            }
        });
        return result;
    }
    TSynEditSearch engine;
    engine.SetSensitive(query.matchCase);
    engine.SetWhole(query.wholeWord);
    engine.SetPattern(query.text);
    forEachProjectLine(files, [&](int file, int line, QStringView text) {
        const int found = engine.FindAllInLine(text);
        for (int i = 0; i < found; ++i)
            result.matches.append(matchAt(file, line, text, engine.Result(i) - 1, query.text.size()));
    });
    return result;
}
