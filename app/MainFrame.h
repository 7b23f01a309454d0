#pragma once

#include <QSize>
#include <QString>

class ComponentText;
class EditorWidget;
class FileBrowserPane;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMainWindow;
class QMenu;
class QSplitter;
class QStatusBar;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QWidget;

// The panes of the main window, built once; each widget carries its component name as its
// object name, which is how the translator and the tests find it.
struct MainFrame {
    QWidget *pnlWork = nullptr;
    QToolBar *ToolBar1 = nullptr;
    QSplitter *Splitter1 = nullptr;

    QSplitter *pnlProject = nullptr; // the left pane, split by Splitter2
    QWidget *pnlProjectFiles = nullptr;
    QTreeWidget *dxtlProject = nullptr;
    QToolBar *ToolBar3 = nullptr;
    FileBrowserPane *pnlFiles = nullptr;

    QWidget *pnlEditor = nullptr;
    QLabel *lblFileNameYellow = nullptr;
    QLabel *lblFileName = nullptr;
    QToolBar *ToolBar2 = nullptr;
    QComboBox *cbHighlighter = nullptr;
    EditorWidget *mFile = nullptr;
    QStatusBar *sbEditor = nullptr;
    QWidget *pnlFunctions = nullptr; // the function and class lists, floating over
    QListWidget *lbFunctions = nullptr; // the editor pane when shown
    QWidget *pnlClasses = nullptr;
    QListWidget *lbClasses = nullptr;

    QStatusBar *StatusBar1 = nullptr;
    QLabel *statusText = nullptr;
    QWidget *pnlPreview = nullptr;
    QLineEdit *eProjectPath = nullptr;
    QWidget *pnlMessages = nullptr; // hidden labels holding the window's messages
    // The file choosers' titles and filters, as the window's language has them.
    ComponentText *OpenProjectDialog = nullptr;
    ComponentText *OpenFileDialog = nullptr;
    ComponentText *SaveDialog1 = nullptr;

    QMenu *File1 = nullptr;
    QMenu *Edit1 = nullptr;
    QMenu *View1 = nullptr;
    QMenu *Project1 = nullptr; // the Run menu
    QMenu *Tools1 = nullptr;
    QMenu *Help1 = nullptr;

    static constexpr int LeftPaneWidth = 200;
    static constexpr int FileBrowserHeight = 250;
    static constexpr int MinimumPaneSize = 100;
    static constexpr QSize DeclarationPaneSize{250, 300};

    static MainFrame build(QMainWindow *window);

    // The current caption of lblMessage<number>: the window's messages live in hidden labels so
    // that they are translated with it.
    QString message(int number) const;

    // The sizes the left pane and the file browser had when last set or shown.
    int keptLeftPaneWidth = LeftPaneWidth;
    int keptFileBrowserHeight = FileBrowserHeight;

    // The left pane's width and the file browser's height, as the placement store keeps them;
    // a hidden pane answers the size it will get when shown again.
    int leftPaneWidth() const;
    void setLeftPaneWidth(int width);
    int fileBrowserHeight() const;
    void setFileBrowserHeight(int height);
};
