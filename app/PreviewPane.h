#pragma once

#include <QObject>

class ProjectController;
class QShortcut;
class QWidget;
struct MainFrame;

// The preview pane (pnlPreview): it takes the work area's place until ClosePreview (its Close
// button or Esc, from anywhere in the window) brings the work area back with the file that was
// active, its caret and scroll position as they were.
class PreviewPane : public QObject
{
    Q_OBJECT

public:
    PreviewPane(const MainFrame &frame, ProjectController &projects, QWidget *window);

    void enterPreview();
    void ClosePreview();
    bool isShown() const;

signals:
    void closed();

private:
    const MainFrame &m_frame;
    ProjectController &m_projects;
    QShortcut *m_closeKey;
    int m_returnFile = -1;
};
