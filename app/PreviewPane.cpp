#include "PreviewPane.h"

#include "DiskFiles.h"
#include "EditorWidget.h"
#include "JpegPicture.h"
#include "MainFrame.h"
#include "Named.h"
#include "ProjectController.h"

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEngineView>

#include <functional>

namespace {

// A bar drawn over its background picture; without one (missing or broken) it is a plain bar.
class PictureBar : public QWidget
{
public:
    explicit PictureBar(QImage picture) : m_picture(std::move(picture)) { }

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (m_picture.isNull())
            return;
        QPainter painter(this);
        painter.drawImage(rect(), m_picture);
    }

private:
    QImage m_picture;
};

QImage barPicture(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? decodeJpeg(file.readAll()) : QImage();
}

// A local path (absolute, or a file: URL) is a local file; anything else a URL as typed.
QUrl addressUrl(const QString &text)
{
    if (QFileInfo(text).isAbsolute())
        return QUrl::fromLocalFile(text);
    return QUrl::fromUserInput(text);
}

} // namespace

PreviewPane::PreviewPane(const MainFrame &frame, ProjectController &projects, const SysOptions &options,
                         QString dataDir, QWidget *window)
    : QObject(window),
      m_frame(frame),
      m_dataDir(std::move(dataDir)),
      m_projects(projects),
      m_flow(projects, options, &m_server),
      m_closeKey(new QShortcut(QKeySequence(Qt::Key_Escape), window))
{
    // The window sees Esc before its controls, and only while the preview is shown.
    m_closeKey->setEnabled(false);
    connect(m_closeKey, &QShortcut::activated, this, &PreviewPane::ClosePreview);
    // The built-in server serves one project; it goes with it.
    connect(&projects, &ProjectController::projectClosed, this, [this] { m_server.stop(); });
    buildPane();
}

void PreviewPane::buildPane()
{
    QWidget *pane = m_frame.pnlPreview;
    m_layout = new QVBoxLayout(pane);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);

    auto *titleBar = named(new QHBoxLayout, "Panel1");
    m_title = named(new QLabel(QStringLiteral("Preview")), "lblTitle");
    m_title->setStyleSheet(
        QStringLiteral("QLabel { background: navy; color: white; font-weight: bold; padding: 2px 4px; }"));
    titleBar->addWidget(m_title, 1);
    auto *close = named(new QToolButton, "SpeedButton1");
    close->setText(QStringLiteral("Close"));
    connect(close, &QToolButton::clicked, this, &PreviewPane::ClosePreview);
    titleBar->addWidget(close);
    m_layout->addLayout(titleBar);

    auto *controls = named(new PictureBar(barPicture(m_dataDir + QStringLiteral("preview-bar.jpg"))), "ControlBar1");
    auto *row = named(new QHBoxLayout(controls), "Panel2");
    row->setContentsMargins(0, 0, 0, 0);
    auto *buttons = named(new QToolBar, "ToolBar4");
    // The bar's picture shows through the buttons' row.
    buttons->setStyleSheet(QStringLiteral("QToolBar { background: transparent; border: none; }"));
    // Buttons of the pane's own, not commands of the window: they act on the browser alone.
    const auto button = [&](const char *name, const char *text, std::function<void()> handler) {
        auto *tool = named(new QToolButton, name);
        tool->setText(QString::fromLatin1(text));
        tool->setToolTip(QString::fromLatin1(text));
        connect(tool, &QToolButton::clicked, this, std::move(handler));
        buttons->addWidget(tool);
    };
    button("btnBack", "Back", [this] { btnBackClick(); });
    button("btnForward", "Forward", [this] { btnForwardClick(); });
    button("btnRefresh", "Refresh", [this] {
        if (m_browser)
            m_browser->reload();
    });
    button("btnStop", "Stop", [this] {
        if (m_browser)
            m_browser->stop();
    });
    row->addWidget(buttons);
    auto *addressRow = new QWidget;
    auto *addressLayout = new QHBoxLayout(addressRow);
    addressLayout->setContentsMargins(0, 0, 0, 0);
    addressLayout->addWidget(named(new QLabel(QStringLiteral("  Address:")), "pnlAddress"));
    m_address = named(new QLineEdit, "eAdresa");
    connect(m_address, &QLineEdit::returnPressed, this, &PreviewPane::eAdresaKeyPress);
    addressLayout->addWidget(m_address, 1);
    row->addWidget(addressRow, 1);
    auto *go = named(new QToolButton, "btnGo");
    go->setText(QStringLiteral("Go!"));
    go->setToolTip(QStringLiteral("Go!"));
    connect(go, &QToolButton::clicked, this, &PreviewPane::eAdresaKeyPress);
    row->addWidget(go);
    m_layout->addWidget(controls);
    m_layout->addStretch(1);
}

QWebEngineView *PreviewPane::createBrowser()
{
    if (!m_browser) {
        m_browser = named(new QWebEngineView(m_frame.pnlPreview), "browser");
        m_layout->removeItem(m_layout->itemAt(m_layout->count() - 1)); // the stretch kept its place
        m_layout->addWidget(m_browser, 1);
        connect(m_browser, &QWebEngineView::loadFinished, this, &PreviewPane::browserDocumentComplete);
    }
    return m_browser;
}

bool PreviewPane::isShown() const
{
    return m_projects.previewing();
}

void PreviewPane::ShowPreview(bool asFile)
{
    m_returnFile = m_projects.activeFile();
    const PreviewStart start = m_flow.ShowPreview(asFile);
    if (start.show == PreviewStart::Nothing)
        return;
    if (start.show == PreviewStart::ExternalViewer) {
        ClosePreview();
        return;
    }
    enterPreview();
    m_frame.statusText->setText(m_projects.message(11));
    showPage(start.title, start.address);
}

void PreviewPane::enterPreview()
{
    showPane();
    m_projects.setPreviewing(true);
    m_closeKey->setEnabled(true);
}

void PreviewPane::showPane()
{
    m_returnFile = m_projects.activeFile();
    m_projects.StoreEditorState();
    m_frame.pnlWork->hide();
    m_frame.pnlPreview->show();
}

void PreviewPane::showPage(const QString &title, const QString &address)
{
    m_title->setText(title);
    m_address->setText(address);
    eAdresaKeyPress();
}

void PreviewPane::DisplayHelp1Click(const QString &helpFile)
{
    if (!isRegularFile(helpFile)) {
        m_projects.prompts().error(QStringLiteral("Sorry, help file (vlmpman.html) could not be found.\r\n"
                                                  "Please visit homepage to acces user doucmentation!"));
        return;
    }
    showPane();
    showPage(QStringLiteral("Help"), helpFile);
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

void PreviewPane::eAdresaKeyPress()
{
    QWebEngineView *view = createBrowser();
    view->load(addressUrl(m_address->text()));
    view->setFocus();
}

void PreviewPane::btnBackClick()
{
    if (!m_browser || !m_browser->history()->canGoBack()) {
        m_projects.prompts().information(QStringLiteral("Can not go back!"));
        return;
    }
    m_browser->back();
}

void PreviewPane::btnForwardClick()
{
    if (!m_browser || !m_browser->history()->canGoForward()) {
        m_projects.prompts().information(QStringLiteral("Can not go forward!"));
        return;
    }
    m_browser->forward();
}

void PreviewPane::browserDocumentComplete(bool ok)
{
    if (!ok)
        return; // navigation failures are the browser's to show
    m_address->setText(m_browser->url().toString());
    m_browser->setFocus();
}
