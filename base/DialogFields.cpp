#include "DialogFields.h"

#include <QFileInfo>

SaveFileRow SaveFileRow::forProject(const QString &name, const QString &projectFilePath)
{
    return {name + QStringLiteral(" <") + projectFilePath + u'>', ProjectId};
}

SaveFileRow SaveFileRow::forFile(const QString &fileName, int index)
{
    return {QFileInfo(fileName).fileName() + QStringLiteral(" <") + fileName + u'>', index};
}

int saveMarkedRows(const QList<SaveFileRow> &rows, const QList<bool> &marked, const SaveRowFunction &save,
                   bool *allSaved)
{
    for (qsizetype row = rows.size() - 1; row >= 0; --row) {
        if (!marked.value(row))
            continue;
        const SaveOutcome outcome = save(rows[row].id);
        if (outcome == SaveOutcome::Stop)
            return int(row) + 1;
        if (outcome == SaveOutcome::NotSaved)
            *allSaved = false;
    }
    return 0;
}
