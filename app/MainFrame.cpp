#include "MainFrame.h"

#include "ComponentText.h"
#include "EditorWidget.h"
#include "FileBrowserPane.h"
#include "Named.h"
#include "PaneToolBar.h"
#include "ProjectController.h"
#include "ProjectListDelegate.h"
#include "WindowMessages.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QVBoxLayout *stack(QWidget *parent)
{
    auto *layout = new QVBoxLayout(parent);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return layout;
}

// A coloured caption strip at the top of a pane.
QLabel *captionBar(const QString &text, const char *background)
{
    auto *label = new QLabel(text);
    label->setStyleSheet(QStringLiteral("QLabel { background: %1; color: white; font-weight: bold; padding: 2px 4px; }")
                             .arg(QLatin1String(background)));
    return label;
}

QLabel *nameBarLabel(const char *name, const char *colour)
{
    auto *label = named(new QLabel, name);
    label->setFixedHeight(16);
    label->setStyleSheet(
        QStringLiteral("QLabel { background: purple; color: %1; font-weight: bold; padding-left: 4px; }")
            .arg(QLatin1String(colour)));
    return label;
}

void buildProjectFiles(MainFrame &f)
{
    f.pnlProjectFiles = named(new QWidget, "pnlProjectFiles");
    QVBoxLayout *layout = stack(f.pnlProjectFiles);
    layout->addWidget(named(captionBar(QStringLiteral("Project Files"), "teal"), "Label1"));
    f.dxtlProject = named(new QTreeWidget, "dxtlProject");
    f.dxtlProject->setHeaderHidden(true);
    f.dxtlProject->setColumnCount(1);
    QTreeWidget *list = f.dxtlProject;
    columnTitle(list, "dxcModelName", QStringLiteral("Model"),
                [list](const QString &title) { list->setHeaderLabels({title}); });
    f.dxtlProject->setItemDelegate(new ProjectListDelegate(f.dxtlProject));
    f.dxtlProject->setStyleSheet(QStringLiteral("QTreeWidget { background: #F0F0FF; }"));
    layout->addWidget(f.dxtlProject, 1);
    f.ToolBar3 = paneToolBar("ToolBar3");
    layout->addWidget(f.ToolBar3);
}

// A list of the file's functions or classes that floats over the editor pane, hidden at first.
std::pair<QWidget *, QListWidget *> declarationPane(QWidget *editorPane, const char *name, const char *title,
                                                    const char *titleName, const char *listName, const char *hint)
{
    auto *pane = named(new QFrame(editorPane), name);
    pane->setFrameShape(QFrame::Box);
    pane->resize(MainFrame::DeclarationPaneSize);
    QVBoxLayout *layout = stack(pane);
    layout->addWidget(named(captionBar(QString::fromUtf8(title), "purple"), titleName));
    auto *list = named(new QListWidget, listName);
    list->setToolTip(QString::fromUtf8(hint));
    list->setStyleSheet(QStringLiteral("QListWidget { color: navy; font-weight: bold; }"));
    layout->addWidget(list, 1);
    pane->hide();
    return {pane, list};
}

void buildEditorPane(MainFrame &f)
{
    f.pnlEditor = named(new QWidget, "pnlEditor");
    QVBoxLayout *layout = stack(f.pnlEditor);
    auto *nameBar = new QHBoxLayout;
    nameBar->setSpacing(0);
    f.lblFileNameYellow = nameBarLabel("lblFileNameYellow", "yellow");
    f.lblFileNameYellow->setFixedWidth(119);
    nameBar->addWidget(f.lblFileNameYellow);
    f.lblFileName = nameBarLabel("lblFileName", "white");
    nameBar->addWidget(f.lblFileName, 1);
    layout->addLayout(nameBar);
    f.ToolBar2 = paneToolBar("ToolBar2");
    f.ToolBar2->addWidget(named(new QLabel(QStringLiteral("Syntax Highlighting:")), "Panel7"));
    f.cbHighlighter = named(new QComboBox, "cbHighlighter");
    f.cbHighlighter->addItems({QStringLiteral("<none>"), QStringLiteral("PHP"), QStringLiteral("HTML"),
                               QStringLiteral("JavaScript"), QStringLiteral("CSS"), QStringLiteral("SQL"),
                               QStringLiteral("<custom>")});
    f.ToolBar2->addWidget(f.cbHighlighter);
    layout->addWidget(f.ToolBar2);
    f.mFile = new EditorWidget;
    layout->addWidget(f.mFile, 1);
    f.sbEditor = named(new QStatusBar, "sbEditor");
    f.sbEditor->setSizeGripEnabled(false);
    layout->addWidget(f.sbEditor);
    f.pnlEditor->hide();
    std::tie(f.pnlFunctions, f.lbFunctions) =
        declarationPane(f.pnlEditor, "pnlFunctions", "Functions in Current File", "Label3", "lbFunctions",
                        "Double-click Function to Locate");
    std::tie(f.pnlClasses, f.lbClasses) = declarationPane(f.pnlEditor, "pnlClasses", "Classes in Current File",
                                                          "Label4", "lbClasses", "Double-click Class to Locate");
}

QWidget *buildMessages()
{
    auto *panel = named(new QWidget, "pnlMessages");
    for (const WindowMessage &message : windowMessages()) {
        auto *label = new QLabel(QString::fromUtf8(message.text), panel);
        label->setObjectName(QStringLiteral("lblMessage%1").arg(message.number));
    }
    panel->hide();
    return panel;
}

void buildMenus(MainFrame &f, QMainWindow *window)
{
    QMenuBar *bar = window->menuBar();
    const auto menu = [&](const QString &title, const char *name) {
        QMenu *m = named(bar->addMenu(title), name);
        return m;
    };
    f.File1 = menu(QStringLiteral("&File"), "File1");
    f.Edit1 = menu(QStringLiteral("&Edit"), "Edit1");
    f.View1 = menu(QStringLiteral("&View"), "View1");
    f.Project1 = menu(QStringLiteral("&Run"), "Project1");
    f.Tools1 = menu(QStringLiteral("&Tools"), "Tools1");
    f.Help1 = menu(QStringLiteral("&Help"), "Help1");
}

} // namespace

MainFrame MainFrame::build(QMainWindow *window)
{
    MainFrame f;
    buildMenus(f, window);

    auto *central = new QWidget;
    QVBoxLayout *centralLayout = stack(central);
    f.pnlWork = named(new QWidget, "pnlWork");
    centralLayout->addWidget(f.pnlWork, 1);
    f.pnlPreview = named(new QWidget, "pnlPreview");
    f.pnlPreview->hide();
    centralLayout->addWidget(f.pnlPreview, 1);
    f.eProjectPath = named(new QLineEdit(central), "eProjectPath");
    f.eProjectPath->hide();
    f.pnlMessages = buildMessages();
    using Kind = ComponentText::Kind;
    f.OpenProjectDialog =
        new ComponentText(window, "OpenProjectDialog", Kind::FileDialog, {}, ProjectFilters{}.project);
    f.OpenFileDialog = new ComponentText(window, "OpenFileDialog", Kind::FileDialog, {}, ProjectFilters{}.open);
    f.SaveDialog1 = new ComponentText(window, "SaveDialog1", Kind::FileDialog, {}, ProjectFilters{}.save);
    f.pnlMessages->setParent(central);

    QVBoxLayout *work = stack(f.pnlWork);
    f.ToolBar1 = paneToolBar("ToolBar1");
    f.ToolBar1->setIconSize(QSize(22, 22));
    work->addWidget(f.ToolBar1);

    f.Splitter1 = named(new QSplitter(Qt::Horizontal), "Splitter1");
    f.Splitter1->setChildrenCollapsible(false);
    work->addWidget(f.Splitter1, 1);

    f.pnlProject = named(new QSplitter(Qt::Vertical), "pnlProject");
    f.pnlProject->setHandleWidth(4);
    f.pnlProject->setChildrenCollapsible(false);
    f.pnlProject->setMinimumWidth(MinimumPaneSize);
    buildProjectFiles(f);
    f.pnlFiles = new FileBrowserPane;
    f.pnlProject->addWidget(f.pnlProjectFiles);
    f.pnlProject->addWidget(f.pnlFiles);
    f.pnlProject->handle(1)->setObjectName(QStringLiteral("Splitter2"));
    f.pnlProject->setStretchFactor(0, 1);
    f.pnlProject->setStretchFactor(1, 0);
    f.Splitter1->addWidget(f.pnlProject);

    // The editor pane is hidden while no file is active; its place stays empty.
    auto *editorArea = new QWidget;
    editorArea->setMinimumWidth(MinimumPaneSize);
    buildEditorPane(f);
    stack(editorArea)->addWidget(f.pnlEditor);
    f.Splitter1->addWidget(editorArea);
    f.Splitter1->setStretchFactor(0, 0);
    f.Splitter1->setStretchFactor(1, 1);

    f.StatusBar1 = named(new QStatusBar, "StatusBar1");
    f.statusText = new QLabel;
    f.StatusBar1->addWidget(f.statusText, 1);
    window->setStatusBar(f.StatusBar1);
    window->setCentralWidget(central);

    f.setLeftPaneWidth(LeftPaneWidth);
    f.setFileBrowserHeight(FileBrowserHeight);
    return f;
}

QString MainFrame::message(int number) const
{
    const auto *label = pnlMessages->findChild<QLabel *>(QStringLiteral("lblMessage%1").arg(number));
    return label ? label->text() : QString();
}

// A hidden pane has no place in its splitter, so the frame keeps the size it last had.

int MainFrame::leftPaneWidth() const
{
    return pnlProject->isHidden() ? keptLeftPaneWidth : Splitter1->sizes().value(0);
}

void MainFrame::setLeftPaneWidth(int width)
{
    const QList<int> sizes = Splitter1->sizes();
    const int total = std::max(sizes.value(0) + sizes.value(1), width + MinimumPaneSize);
    Splitter1->setSizes({width, total - width});
    keptLeftPaneWidth = width;
}

int MainFrame::fileBrowserHeight() const
{
    return pnlFiles->isHidden() ? keptFileBrowserHeight : pnlProject->sizes().value(1);
}

void MainFrame::setFileBrowserHeight(int height)
{
    const QList<int> sizes = pnlProject->sizes();
    const int total = std::max(sizes.value(0) + sizes.value(1), height + MinimumPaneSize);
    pnlProject->setSizes({total - height, height});
    keptFileBrowserHeight = height;
}
