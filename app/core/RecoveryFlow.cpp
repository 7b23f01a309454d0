#include "RecoveryFlow.h"

#include "JournalFile.h"
#include "NativePath.h"
#include "ProjectController.h"
#include "RecoveryJournal.h"

namespace {

QString rowName(const JournalEntry &entry)
{
    const QString project = entry.projectName.isEmpty() ? QString() : QStringLiteral("  (") + entry.projectName + u')';
    return displayPath(entry.fileName) + project;
}

} // namespace

void RecoveryFlow::offerRecovery()
{
    QList<FoundJournal> readable;
    QStringList unreadable;
    for (FoundJournal &journal : findJournals(m_journal.folder())) {
        if (journal.readable)
            readable.append(std::move(journal));
        else
            unreadable.append(displayPath(journal.path) + QStringLiteral(": ") + journal.error);
    }
    QString text;
    if (!unreadable.isEmpty())
        text = QStringLiteral("These recovery journals cannot be read; they are kept:\n") + unreadable.join(u'\n');
    if (readable.isEmpty()) {
        if (!text.isEmpty())
            m_projects.prompts().error(text);
        return;
    }
    QList<RecoveryRow> rows;
    for (const FoundJournal &journal : std::as_const(readable))
        rows.append({rowName(journal.entry), journal.entry.text});
    text = QStringLiteral("The editor was not closed properly last time. The unsaved changes of these files were "
                          "kept:")
        + (text.isEmpty() ? QString() : QStringLiteral("\n\n") + text);
    switch (m_projects.prompts().recoverFiles(text, rows)) {
    case RecoveryAnswer::Later: return;
    case RecoveryAnswer::Discard: {
        QStringList paths;
        for (const FoundJournal &journal : std::as_const(readable))
            paths.append(journal.path);
        m_journal.removeAfterWrites(paths);
        return;
    }
    case RecoveryAnswer::Restore: restore(readable); return;
    }
}

void RecoveryFlow::restore(const QList<FoundJournal> &journals)
{
    // One project is open at a time: the work of the first file's project is restored, the rest
    // is offered again at the next start.
    const QString project = journals.first().entry.projectFile;
    if (!project.isEmpty()
        && (m_projects.project().FileName.isEmpty() || m_projects.project().projectFilePath() != project)) {
        if (!m_projects.TryCloseProject() || !m_projects.LoadProject(project))
            return;
    }
    QList<JournalEntry> entries;
    QStringList paths;
    for (const FoundJournal &journal : journals) {
        if (journal.entry.projectFile == project) {
            entries.append(journal.entry);
            paths.append(journal.path);
        }
    }
    m_projects.restoreFiles(entries);
    m_journal.sync();
    m_journal.writeDue();
    m_journal.removeAfterWrites(paths);
    if (paths.size() < journals.size())
        m_projects.prompts().information(
            QStringLiteral("Unsaved work of other projects was kept as well; it is offered again at the next start."));
}
