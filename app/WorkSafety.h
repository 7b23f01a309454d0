#pragma once

#include "DiskWatch.h"
#include "RecoveryJournal.h"

#include <QObject>

class EditorModel;
class EditorPane;
class ProjectController;

// Keeps work from being lost: the recovery journal follows every edit and every change of the
// files' marks, the open files are watched on disk and looked at again whenever the program
// becomes active, and at start the work an earlier run left unsaved is offered back.
class WorkSafety : public QObject
{
    Q_OBJECT

public:
    WorkSafety(const QString &recoveryFolder, ProjectController &projects, const EditorPane &editor,
               const EditorModel &model, QObject *parent = nullptr);

    // At start, once the last project is open.
    void offerRecovery();
    RecoveryJournal &journal() { return m_journal; }

private:
    ProjectController &m_projects;
    RecoveryJournal m_journal;
    DiskWatch m_watch;
};
