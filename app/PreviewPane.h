#pragma once

#include "PhpServer.h"
#include "PreviewFlow.h"

#include <QObject>

class ProjectController;
class QLabel;
class QLineEdit;
class QShortcut;
class QVBoxLayout;
class QWebEngineView;
class QWidget;
struct MainFrame;
struct SysOptions;

// The preview pane (pnlPreview): the title bar with Close, the browser buttons and the address
// row, and the browser, which is made the first time a page is shown so that starting the
// program neither loads nor waits for it. Preview and Run put it in the work area's place until
// ClosePreview (Close, or Esc from anywhere in the window) brings the work area back with the
// file that was active, its caret and scroll position as they were. With the external viewer
// the pane never shows.
class PreviewPane : public QObject
{
    Q_OBJECT

public:
    // dataDir: where the bar's picture is shipped.
    PreviewPane(const MainFrame &frame, ProjectController &projects, const SysOptions &options, QString dataDir,
                QWidget *window);

    // Preview Current File (asFile) or Run Project.
    void ShowPreview(bool asFile);
    void enterPreview();
    void ClosePreview();
    // Display Help: the help page in the pane (Esc leaves it open; its Close button closes it),
    // or an error when the page is missing.
    void DisplayHelp1Click(const QString &helpFile);
    bool isShown() const;

    // Enter in the address box and Go!: the browser goes to the text as it stands.
    void eAdresaKeyPress();
    void btnBackClick();
    void btnForwardClick();
    QWebEngineView *browser() const { return m_browser; }

signals:
    void closed();

private:
    void buildPane();
    // The work area gives way to the pane, which returns to the active file when it closes.
    void showPane();
    void showPage(const QString &title, const QString &address);
    QWebEngineView *createBrowser();
    void browserDocumentComplete(bool ok);

    const MainFrame &m_frame;
    QString m_dataDir;
    ProjectController &m_projects;
    PhpServer m_server;
    PreviewFlow m_flow;
    QShortcut *m_closeKey;
    QLabel *m_title = nullptr;
    QLineEdit *m_address = nullptr;
    QVBoxLayout *m_layout = nullptr;
    QWebEngineView *m_browser = nullptr;
    int m_returnFile = -1;
};
