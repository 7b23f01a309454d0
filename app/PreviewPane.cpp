#include "PreviewPane.h"

#include "EditorWidget.h"
#include "MainFrame.h"
#include "ProjectController.h"

#include <QShortcut>

PreviewPane::PreviewPane(const MainFrame &frame, ProjectController &projects, QWidget *window)
    : QObject(window),
      m_frame(frame),
      m_projects(projects),
      m_closeKey(new QShortcut(QKeySequence(Qt::Key_Escape), window))
{
    // The window sees Esc before its controls, and only while the preview is shown.
    m_closeKey->setEnabled(false);
    connect(m_closeKey, &QShortcut::activated, this, &PreviewPane::ClosePreview);
}

bool PreviewPane::isShown() const
{
    return m_projects.previewing();
}

void PreviewPane::enterPreview()
{
    m_returnFile = m_projects.activeFile();
    m_projects.StoreEditorState();
    m_projects.setPreviewing(true);
    m_frame.pnlWork->hide();
    m_frame.pnlPreview->show();
    m_closeKey->setEnabled(true);
}

void PreviewPane::ClosePreview()
{
    m_frame.pnlPreview->hide();
    m_frame.pnlWork->show();
    m_projects.setPreviewing(false);
    m_closeKey->setEnabled(false);
    const int file = m_returnFile < m_projects.project().Files.size() ? m_returnFile : -1;
    m_projects.focusRow(file + 1);
    if (file >= 0)
        m_frame.mFile->setFocus();
    emit closed();
}
