// The main window's file and project commands: the file table shown in the project file list,
// activation of a file in the single editor, saving, and the project file.
#include "MainWindow.h"

#include "EditorModel.h"
#include "EditorWidget.h"
#include "FileNames.h"
#include "FilesMenu.h"
#include "ProjectListDelegate.h"
#include "PlacementStore.h"
#include "ProjectProperties.h"
#include "SaveFilesDialog.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTreeWidget>

namespace {

const QString OpenFilter = QStringLiteral(
    "Web-prg Files|*.php; *.php3; *.php4; *.inc; *.html; *.htm; *.css; *.js|PHP Files|*.php; *.php3; *.php4; "
    "*.inc|HTML Files|*.html; *.htm|All Files|*.*");
const QString SaveFilter = QStringLiteral(
    "All Files|*.*|Project Files|*.vlmp|HTML Files|*.html; *.htm|PHP Files|*.php; *.php3; *.php4; *.inc");
const QString ProjectFilter = QStringLiteral("Velmora PHP Editor Project|*.vlmp");

// The project list's picture of a file, by the first letters of its type.
QString fileIconName(const QString &fileType)
{
    const QString head = fileType.left(3).toUpper();
    if (head == u"PHP")
        return QStringLiteral("file-php");
    if (head == u"HTM" || head == u"CSS")
        return QStringLiteral("file-html");
    if (head.startsWith(u"JS"))
        return QStringLiteral("file-js");
    return QStringLiteral("file-other");
}

// Highlighter box items.
enum HighlighterItem { hiNone, hiPHP, hiHTML, hiJavaScript, hiCSS, hiSQL, hiCustom };

HighlighterItem highlighterItemFor(const QString &fileType, bool phpDefault)
{
    if (fileType == u"PHP" || fileType == u"INC")
        return hiPHP;
    if (fileType == u"HTML")
        return hiHTML;
    if (fileType == u"JS")
        return hiJavaScript;
    if (fileType == u"CSS")
        return hiCSS;
    if (fileType == u"SQL")
        return hiSQL;
    return phpDefault ? hiPHP : hiNone;
}

} // namespace

QString MainWindow::dataIconPath(const QString &name) const
{
    return m_files.dataDir() + QStringLiteral("icons/") + name + QStringLiteral(".svg");
}

QIcon MainWindow::dataIcon(const QString &name) const
{
    return QIcon(dataIconPath(name));
}

QString MainWindow::messageWith(int number, const QString &argument) const
{
    return m_frame.message(number).replace(QStringLiteral("%s"), argument);
}

// ---- The project file list

int MainWindow::focusedRow() const
{
    QTreeWidgetItem *item = m_frame.dxtlProject->currentItem();
    if (!item)
        return -1;
    QTreeWidgetItem *parent = item->parent();
    return parent ? parent->indexOfChild(item) + 1 : 0;
}

void MainWindow::RebuildFileList()
{
    m_loading = true;
    QTreeWidget *list = m_frame.dxtlProject;
    const QSignalBlocker quiet(list);
    list->clear();
    if (!m_project.Name.isEmpty()) {
        auto *root = new QTreeWidgetItem(list, {m_project.Name});
        root->setData(0, ProjectListDelegate::KindRole, ProjectListDelegate::ProjectRow);
        root->setIcon(0, dataIcon(QStringLiteral("project")));
        root->setToolTip(0, m_project.projectFilePath());
        for (int i = 0; i < m_project.Files.size(); ++i) {
            const ProjectFile &file = m_project.Files[i];
            auto *row = new QTreeWidgetItem(root, {fileCaption(i)});
            row->setToolTip(0, file.FileName);
            row->setIcon(0, dataIcon(fileIconName(file.FileType)));
            row->setData(0, ProjectListDelegate::KindRole, ProjectListDelegate::kindOfType(file.FileType));
            row->setData(0, ProjectListDelegate::ActiveRole, i == m_activeFile);
            QFont font = list->font();
            font.setBold(file.Modified);
            row->setFont(0, font);
        }
        root->setExpanded(true);
    }
    rebuildFilesMenu();
    m_loading = false;
}

QString MainWindow::fileCaption(int index) const
{
    const ProjectFile &file = m_project.Files[index];
    const QString name = nameOf(file.FileName);
    return file.Path == m_project.Options.Path ? name : name + QStringLiteral(" <") + file.FileName + u'>';
}

void MainWindow::rebuildFilesMenu()
{
    // Deleting the entries also takes them out of the View menu's copy.
    qDeleteAll(m_filesMenu->actions());
    for (int i = 0; i < m_project.Files.size(); ++i) {
        auto *entry = new FileMenuAction(fileCaption(i), m_filesMenu);
        entry->setObjectName(QStringLiteral("FI_%1").arg(i));
        connect(entry, &QAction::triggered, this, [this, i] { focusRow(i + 1); });
        m_filesMenu->addAction(entry);
    }
}

void MainWindow::focusRow(int row)
{
    QTreeWidget *list = m_frame.dxtlProject;
    QTreeWidgetItem *root = list->topLevelItem(0);
    if (!root)
        return;
    QTreeWidgetItem *item = row <= 0 ? root : root->child(std::min(row, root->childCount()) - 1);
    {
        const QSignalBlocker quiet(list);
        list->setCurrentItem(item);
    }
    dxtlProjectChangeNode();
}

void MainWindow::dxtlProjectChangeNode()
{
    // While the preview is shown the rows can be selected but activate nothing.
    if (m_loading || m_saving || m_previewing)
        return;
    hideDeclarationPanes();
    StoreEditorState();
    const int row = focusedRow();
    if (m_activeFile >= 0 && m_activeFile < m_project.Files.size())
        m_project.Files[m_activeFile].UndoList = m_frame.mFile->model()->TakeUndoHistory();
    if (row >= 1 && row <= m_project.Files.size()) {
        activateFile(row - 1);
        m_frame.dxtlProject->setToolTip(m_project.Files[row - 1].FileName);
    } else {
        m_activeFile = -1;
        m_frame.pnlEditor->hide();
        m_frame.dxtlProject->setToolTip(m_project.FileName);
    }
    if (QTreeWidgetItem *root = m_frame.dxtlProject->topLevelItem(0))
        for (int i = 0; i < root->childCount(); ++i)
            root->child(i)->setData(0, ProjectListDelegate::ActiveRole, i == m_activeFile);
    RefreshWindowState();
}

// ---- The active file

void MainWindow::activateFile(int index)
{
    m_activeFile = -1;  // putting the text in is no change of the file
    ProjectFile &file = m_project.Files[index];
    chooseHighlighterFor(file.FileType);
    EditorModel *model = m_frame.mFile->model();
    model->SetText(file.Text);
    ShowActiveFileName(index);
    m_activeFile = index;
    model->SetCaretXY({std::max(1, file.CaretX), std::max(1, file.CaretY)});
    model->SetTopLine(std::max(1, file.TopLine));
    model->SetLeftChar(std::max(1, file.LeftChar));
    model->SetUndoHistory(std::move(file.UndoList));
    m_frame.pnlEditor->show();
    m_frame.mFile->setFocus();
    UpdateCaretStatus();
}

void MainWindow::StoreEditorState()
{
    if (m_activeFile < 0 || m_activeFile >= m_project.Files.size() || m_frame.pnlEditor->isHidden())
        return;
    // The undo history stays in the editor while the file is shown; it moves back into the
    // entry when another file takes the editor.
    ProjectFile &file = m_project.Files[m_activeFile];
    const EditorModel *model = m_frame.mFile->model();
    file.Text = model->Text();
    file.CaretX = model->CaretX();
    file.CaretY = model->CaretY();
    file.TopLine = model->TopLine();
    file.LeftChar = model->LeftChar();
}

void MainWindow::chooseHighlighterFor(const QString &fileType)
{
    const HighlighterItem item = highlighterItemFor(fileType, m_options.PHPDefault);
    const QSignalBlocker quiet(m_frame.cbHighlighter);
    m_frame.cbHighlighter->setCurrentIndex(item);
    cbHighlighterChange(item);
}

void MainWindow::cbHighlighterChange(int item)
{
    SynMultiSyn &multi = m_highlighters.xhMulti;
    multi.SetEnabled(false);
    SynCustomHighlighter *chosen = nullptr;
    switch (item) {
    case hiPHP:
        multi.Scheme(0).SetHighlighter(&m_highlighters.xhPHP);
        chosen = &multi;
        break;
    case hiHTML:
    case hiCSS:
        chosen = &multi;
        break;
    default:  // the script, SQL and custom highlighters are not built yet: plain text
        break;
    }
    m_frame.mFile->model()->SetHighlighter(chosen);
    multi.SetEnabled(chosen == &multi);
}

void MainWindow::ShowActiveFileName(int index)
{
    const ProjectFile &file = m_project.Files[index];
    QString line = QStringLiteral("  > ") + file.FileName;
    if (file.LineFormat == LineEnds::Unix)
        line += QStringLiteral(" [UNIX format]");
    if (file.Modified)
        line += QStringLiteral(" (") + m_frame.message(5) + QStringLiteral("!)");
    m_frame.lblFileName->setText(line);
    m_frame.lblFileNameYellow->setText(QStringLiteral("> ") + nameOf(file.FileName));
}

void MainWindow::UpdateCaretStatus()
{
    const EditorModel *model = m_frame.mFile->model();
    m_frame.sbEditor->showMessage(QStringLiteral("Line: %1 Col: %2").arg(model->CaretY()).arg(model->CaretX()));
}

void MainWindow::mFileChange()
{
    if (m_activeFile < 0 || m_loading)
        return;
    ProjectFile &file = m_project.Files[m_activeFile];
    if (!file.Modified) {
        file.Modified = true;
        file.Saved = false;
        file.IsNew = false;
        m_project.Changed = true;
        ShowActiveFileName(m_activeFile);
        RebuildFileList();
        const QSignalBlocker quiet(m_frame.dxtlProject);
        m_frame.dxtlProject->setCurrentItem(m_frame.dxtlProject->topLevelItem(0)->child(m_activeFile));
        RefreshWindowState();
    }
    UpdateCaretStatus();
}

void MainWindow::markChanged()
{
    m_project.Changed = true;
}

// ---- New, add, save

void MainWindow::NewFile(NewFileKind kind)
{
    if (m_project.Name.isEmpty())
        return;
    StoreEditorState();
    m_project.Files.AddNewFile(m_project.Options.Path, kind);
    RebuildFileList();
    focusRow(m_project.Files.size());
}

void MainWindow::btnAddFileClick()
{
    if (m_project.Name.isEmpty())
        return;
    StoreEditorState();
    const QString folder = m_frame.eProjectPath->text().isEmpty() ? QDir::homePath() : m_frame.eProjectPath->text();
    const QString path = m_prompts->openFile(QString(), folder, OpenFilter);
    if (!path.isEmpty()) {
        QString error;
        if (m_project.Files.FindFile(path) != -1)
            m_prompts->error(messageWith(8, path));
        else if (!AddExistingFile(m_project.Files, path, &error))
            m_prompts->error(error);
        else
            markChanged();
    }
    RebuildFileList();
    focusRow(m_project.Files.size());
}

void MainWindow::AddFileToProject(const QString &path)
{
    if (m_project.Name.isEmpty())
        return;
    QString error;
    if (m_project.Files.FindFile(path) != -1) {
        activateWindow();
        m_prompts->error(messageWith(8, nameOf(path)));
    } else if (!AddExistingFile(m_project.Files, path, &error)) {
        m_prompts->error(error);
    } else {
        markChanged();
    }
    RebuildFileList();
    focusRow(m_project.Files.size());
}

bool MainWindow::writeFile(int index, const QString &fileName)
{
    m_saving = true;
    SaveError error;
    const bool written = WriteFileToDisk(m_project.Files[index], fileName, m_options.CreateBackups,
                                         m_project.Options.Path, &error);
    m_saving = false;
    if (!written)
        m_prompts->error(error.message(m_frame.message(13)));
    return written;
}

bool MainWindow::saveActiveFile(bool askName)
{
    ProjectFile &file = m_project.Files[m_activeFile];
    if (file.Path.isEmpty())
        file.Path = m_project.Options.Path;
    QString name = file.FileName;
    if (askName) {
        const QString title = askName && QFileInfo::exists(name)
                                  ? QStringLiteral("Save \"") + nameOf(name) + QStringLiteral("\" As:")
                                  : QStringLiteral("Save File ") + nameOf(name);
        name = m_prompts->saveFile(title, name, SaveFilter, file.FileType.toLower());
        if (name.isEmpty())
            return false;
    }
    return writeFile(m_activeFile, name);
}

void MainWindow::Save1Click()
{
    const int row = focusedRow();
    if (row == 0) {
        SaveProject(0);
        return;
    }
    StoreEditorState();
    if (m_activeFile < 0)
        return;
    saveActiveFile(!QFileInfo::exists(m_project.Files[m_activeFile].FileName));
    RebuildFileList();
    focusRow(row);
}

void MainWindow::SaveAs1Click()
{
    StoreEditorState();
    if (m_activeFile < 0)
        return;
    const int row = focusedRow();
    if (saveActiveFile(true)) {
        RebuildFileList();
        focusRow(row);
    }
}

void MainWindow::SaveModifiedFiles()
{
    for (int i = 0; i < m_project.Files.size(); ++i) {
        if (!m_project.Files[i].Saved) {
            focusRow(i + 1);
            Save1Click();
        }
    }
}

void MainWindow::btnSaveAllClick()
{
    const int row = focusedRow();
    SaveModifiedFiles();
    if (!m_project.Files.AllFilesSaved())
        return;
    if (m_project.FileName.isEmpty())
        SaveProjectAs1Click();
    else
        SaveProject(row);
    focusRow(row);
}

void MainWindow::setLineFormat(LineEnds format)
{
    if (m_activeFile < 0)
        return;
    ProjectFile &file = m_project.Files[m_activeFile];
    file.LineFormat = format;
    file.Saved = false;
    file.Modified = true;
    markChanged();
    ShowActiveFileName(m_activeFile);
    RefreshWindowState();
}

void MainWindow::btnRemoveFileClick()
{
    if (m_activeFile < 0)
        return;
    const ProjectFile &file = m_project.Files[m_activeFile];
    const QString question = messageWith(6, nameOf(file.FileName)) + u' '
                             + (file.Modified ? m_frame.message(12) : QString()) + u'?';
    if (!m_prompts->confirm(question))
        return;
    const int removed = m_activeFile;
    m_activeFile = -1;  // its undo history in the editor goes with it
    m_project.Files.remove(removed);
    RebuildFileList();
    focusRow(0);
    m_project.Changed = true;
    RefreshWindowState();
    focusRow(m_project.Files.size());
}

void MainWindow::btnFileUpDownClick(int step)
{
    const int target = m_activeFile + step;
    if (m_activeFile < 0 || target < 0 || target >= m_project.Files.size())
        return;
    StoreEditorState();
    m_project.Files.swap(m_activeFile, target);
    m_activeFile = target;
    m_project.Changed = true;
    RebuildFileList();
    focusRow(target + 1);
}

// ---- Projects

void MainWindow::NewProject1Click()
{
    if (m_project.Changed && !SaveChangedFilesDialog())
        return;
    m_loading = true;
    m_activeFile = -1;
    ResetProject(m_project, QDir::homePath() + u'/');
    m_loading = false;
    RebuildFileList();
    m_frame.pnlEditor->hide();
    focusRow(0);
    ProjectProperties1Click();
}

void MainWindow::ProjectProperties1Click()
{
    if (m_project.Name.isEmpty())
        return;
    const QString section = QStringLiteral("TForm_Properties");
    const QString asIsKey = QStringLiteral("cbxAsis.Checked");
    const PropertiesFields current{m_project.Name, m_project.Options.Path, fromCommaText(m_project.Description),
                                   m_project.Options.ServerURL,
                                   m_placement->readProperty(section, asIsKey, false).toBool()};
    const std::optional<PropertiesFields> chosen = m_prompts->projectProperties(current);
    if (!chosen)
        return;
    // Kept with the window placement in the settings folder, never beside whatever folder the
    // program happens to be working in.
    m_placement->writeProperty(section, asIsKey, chosen->asIs);
    m_placement->flush();
    m_project.Name = chosen->name;
    m_project.Options.Path = normalizedProjectPath(chosen->path);
    m_project.Options.ServerURL = normalizedServerUrl(chosen->url, chosen->asIs);
    m_project.Description = toCommaText(chosen->descriptionLines);
    if (!QDir().mkpath(m_project.Options.Path))
        m_prompts->error(QStringLiteral("Unable to create the folder %1").arg(m_project.Options.Path));
    m_project.Changed = true;
    RefreshWindowState();
}

void MainWindow::OpenProject1Click()
{
    if (m_project.Changed && !SaveChangedFilesDialog())
        return;
    const QString folder = m_frame.eProjectPath->text().isEmpty() ? QDir::homePath() : m_frame.eProjectPath->text();
    const QString path = m_prompts->openFile(QString(), folder, ProjectFilter);
    if (!path.isEmpty())
        LoadProject(path);
}

bool MainWindow::LoadProject(const QString &path)
{
    LoadedProject loaded = ::LoadProject(path);
    if (!loaded.valid) {
        m_prompts->error(m_frame.message(4));
        return false;
    }
    for (const QString &missing : loaded.missingFiles)
        m_prompts->error(m_frame.message(3) + u' ' + missing);
    m_history.add(path);
    BuildReopenMenu();
    m_activeFile = -1;
    m_project = std::move(loaded.project);
    RebuildFileList();
    m_frame.pnlEditor->hide();
    focusRow(loaded.lastRow);
    return true;
}

bool MainWindow::TryCloseProject()
{
    StoreEditorState();
    if ((m_project.Changed || !m_project.Files.AllFilesSaved()) && !SaveChangedFilesDialog())
        return false;
    m_frame.pnlEditor->hide();
    m_activeFile = -1;
    CloseProject(m_project);
    RebuildFileList();
    RefreshWindowState();
    return true;
}

void MainWindow::CloseProject1Click()
{
    if (!m_project.Name.isEmpty())
        TryCloseProject();
}

void MainWindow::SaveProjectAs1Click()
{
    if (m_project.Name.isEmpty())
        return;
    if (!m_project.Files.AllFilesSaved()) {
        m_prompts->information(m_frame.message(1));
        return;
    }
    if (m_project.FileName.isEmpty())
        m_project.FileName = m_project.Name;
    const QString chosen = m_prompts->saveFile(QStringLiteral("Save Project \"") + m_project.Name + QStringLiteral("\" As:"),
                                               m_project.projectFilePath(), SaveFilter, QStringLiteral("vlmp"));
    if (chosen.isEmpty())
        return;
    m_project.Options.Path = folderOf(chosen);
    m_project.FileName = withProjectExtension(nameOf(chosen));
    SaveProject(m_activeFile + 1);
}

bool MainWindow::SaveProject(int last)
{
    if (m_project.FileName.isEmpty()) {
        SaveProjectAs1Click();
        return !m_project.Changed;
    }
    SaveError error;
    if (!::SaveProject(m_project, last, m_options.CreateBackups, &error)) {
        m_prompts->error(error.message(m_frame.message(13)));
        return false;
    }
    RefreshWindowState();
    return true;
}

void MainWindow::BuildReopenMenu()
{
    m_reopenMenu->clear();
    const QStringList &paths = m_history.paths();
    for (int i = 0; i < paths.size(); ++i) {
        QAction *item = m_reopenMenu->addAction(paths[i]);
        item->setObjectName(QStringLiteral("Rpr%1").arg(i));
        connect(item, &QAction::triggered, this, [this, item] {
            const QString path = item->text().remove(u'&').trimmed();
            if (m_project.Changed && !SaveChangedFilesDialog())
                return;
            LoadProject(path);
        });
    }
}

// ---- Before a project is closed or replaced

bool MainWindow::SaveChangedFilesDialog()
{
    if (m_project.Name.isEmpty() && m_project.Files.isEmpty())
        return true;
    QList<SaveFileRow> rows;
    if (m_project.Changed)
        rows.append(SaveFileRow::forProject(m_project.Name, m_project.projectFilePath()));
    for (int i = 0; i < m_project.Files.size(); ++i) {
        const ProjectFile &file = m_project.Files[i];
        if (file.Modified && !file.Saved)
            rows.append(SaveFileRow::forFile(file.FileName, i));
    }
    bool notAllSaved = false;
    const bool goOn = SaveFilesDialog::run(this, rows, [this](int id) { return saveForClosing(id); }, &notAllSaved);
    if (notAllSaved)
        m_project.Changed = true;
    return goOn;
}

SaveOutcome MainWindow::saveForClosing(int id)
{
    if (id == SaveFileRow::ProjectId) {
        if (!SaveProject(m_activeFile + 1))
            return m_project.FileName.isEmpty() ? SaveOutcome::NotSaved : SaveOutcome::Stop;
        return m_project.Changed ? SaveOutcome::NotSaved : SaveOutcome::Saved;
    }
    ProjectFile &file = m_project.Files[id];
    QString name = file.FileName;
    if (!QFileInfo::exists(name)) {
        name = m_prompts->saveFile(QStringLiteral("Save File ") + nameOf(name), name, SaveFilter, file.FileType.toLower());
        if (name.isEmpty())
            return SaveOutcome::NotSaved;
    }
    if (!writeFile(id, name))
        return SaveOutcome::Stop;
    return file.Modified || !file.Saved ? SaveOutcome::NotSaved : SaveOutcome::Saved;
}
