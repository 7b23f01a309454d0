#include "WorkSafety.h"

#include "EditorModel.h"
#include "ProjectController.h"
#include "RecoveryFlow.h"

#include <QGuiApplication>

WorkSafety::WorkSafety(const QString &recoveryFolder, ProjectController &projects, const EditorPane &editor,
                       const EditorModel &model, QObject *parent)
    : QObject(parent),
      m_projects(projects),
      m_journal(recoveryFolder, projects, editor),
      m_watch(projects)
{
    connect(&model, &EditorModel::Changed, &m_journal, &RecoveryJournal::textChanged);
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, &m_watch, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            m_watch.check();
    });
}

void WorkSafety::offerRecovery()
{
    RecoveryFlow(m_projects, m_journal).offerRecovery();
}
