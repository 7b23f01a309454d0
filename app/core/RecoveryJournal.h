#pragma once

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QThreadPool>
#include <QTimer>

class EditorPane;
class ProjectController;
struct JournalEntry;

// Keeps a journal of every file of the open project that is not saved, in a folder of the
// settings folder, so that a crash or a killed process loses at most the last second of typing.
// Journals are written and removed on a thread of their own, in the order they were asked for,
// from a snapshot that shares the editor's lines. Each run writes journals of its own names, so a
// journal an earlier run left behind is never overwritten before the user has decided on it.
class RecoveryJournal : public QObject
{
    Q_OBJECT

public:
    // How long after an edit the journal is written: well inside two seconds, even for a large
    // file whose write takes a moment.
    static constexpr int WriteDelayMs = 1000;

    RecoveryJournal(QString folder, const ProjectController &projects, const EditorPane &editor);
    // Waits for the journals being written or removed.
    ~RecoveryJournal() override;

    const QString &folder() const { return m_folder; }

    // The active file's text changed.
    void textChanged();
    // The files or their marks changed (the project flows say so): the journals of files saved, closed or removed go at once;
    // a file newly unsaved gets one soon.
    void sync();
    // Writes the journals that are due now, instead of after the delay.
    void writeDue();
    // Removes journals of an earlier run once everything asked before is done, so work restored
    // from them is in this run's journals first.
    void removeAfterWrites(const QStringList &paths);
    // Blocks until every write and removal asked for is done.
    void waitForWrites();

private:
    QString journalPath();
    void write(const QString &fileName);

    QString m_folder;
    const ProjectController &m_projects;
    const EditorPane &m_editor;
    QString m_session;
    int m_serial = 0;
    QHash<QString, QString> m_journals; // a file's name: the path of its journal
    QSet<QString> m_due; // files whose text changed since their journal was written
    QTimer m_timer;
    QThreadPool m_worker;
};
