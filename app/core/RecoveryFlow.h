#pragma once

#include <QList>

struct FoundJournal;
class ProjectController;
class RecoveryJournal;

// At start: the work an earlier run left unsaved when it ended without closing (a crash, a lost
// power supply, a killed process) is offered in one question: restore it into its project,
// discard it, or decide later. Nothing is removed before the user decides, and a journal that
// cannot be read is named and kept.
class RecoveryFlow
{
public:
    RecoveryFlow(ProjectController &projects, RecoveryJournal &journal) : m_projects(projects), m_journal(journal) { }

    void offerRecovery();

private:
    void restore(const QList<FoundJournal> &journals);

    ProjectController &m_projects;
    RecoveryJournal &m_journal;
};
