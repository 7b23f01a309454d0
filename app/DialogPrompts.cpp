#include "DialogPrompts.h"

#include "CodeExplorerDialog.h"
#include "FileChooserDialog.h"
#include "OptionsDialog.h"
#include "PlacementStore.h"
#include "PrintFileDialog.h"
#include "PropertiesDialog.h"
#include "RecoveryDialog.h"
#include "SaveFilesDialog.h"
#include "SearchReplaceDialog.h"
#include "VariablesDialog.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStringList>

namespace {

const QString Title = QStringLiteral("Velmora PHP Editor");

} // namespace

QString DialogPrompts::openFile(const QString &title, const QString &folder, const QString &filter)
{
    FileChooserDialog chooser(FileChooserDialog::Mode::Open, title, folder, parseFileFilters(filter), {}, m_parent);
    chooser.exec();
    return chooser.chosenPath();
}

QString DialogPrompts::saveFile(const QString &title, const QString &path, const QString &filter,
                                const QString &defaultSuffix)
{
    FileChooserDialog chooser(FileChooserDialog::Mode::Save, title, path, parseFileFilters(filter), defaultSuffix,
                              m_parent);
    chooser.exec();
    return chooser.chosenPath();
}

void DialogPrompts::error(const QString &text)
{
    QMessageBox::critical(m_parent, Title, text);
}

void DialogPrompts::errorList(const QString &text, const QStringList &items)
{
    // A few items stand in the box itself; a long list scrolls in its details.
    constexpr int Shown = 10;
    QString shown = text;
    for (const QString &item : items.mid(0, Shown))
        shown += u'\n' + item;
    if (items.size() > Shown)
        shown += QStringLiteral("\n(%1 more)").arg(items.size() - Shown);
    QMessageBox box(QMessageBox::Critical, Title, shown, QMessageBox::Ok, m_parent);
    if (items.size() > Shown)
        box.setDetailedText(items.join(u'\n'));
    box.exec();
}

void DialogPrompts::information(const QString &text)
{
    QMessageBox::information(m_parent, Title, text);
}

bool DialogPrompts::confirm(const QString &text)
{
    return QMessageBox::question(m_parent, Title, text, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

int DialogPrompts::choose(const QString &text, const QStringList &buttons)
{
    QMessageBox box(QMessageBox::Question, Title, text, QMessageBox::NoButton, m_parent);
    QList<QAbstractButton *> shown;
    for (const QString &caption : buttons)
        shown.append(box.addButton(caption, QMessageBox::ActionRole));
    if (!shown.isEmpty())
        box.setDefaultButton(static_cast<QPushButton *>(shown.first()));
    box.exec();
    return int(shown.indexOf(box.clickedButton()));
}

RecoveryAnswer DialogPrompts::recoverFiles(const QString &text, const QList<RecoveryRow> &rows)
{
    return RecoveryDialog::run(m_parent, text, rows);
}

std::optional<PropertiesFields> DialogPrompts::projectProperties(const PropertiesFields &fields)
{
    return PropertiesDialog::run(m_parent, fields);
}

bool DialogPrompts::saveChangedFiles(const QList<SaveFileRow> &rows, const SaveRowFunction &save, bool *notAllSaved)
{
    return SaveFilesDialog::run(m_parent, rows, save, notAllSaved);
}

std::optional<QString> DialogPrompts::askText(const QString &title, const QString &text)
{
    bool ok = false;
    const QString typed = QInputDialog::getText(m_parent, title, QString(), QLineEdit::Normal, text, &ok);
    return ok ? std::optional(typed) : std::nullopt;
}

bool DialogPrompts::codeExplorer(const CodeExplorerModel &model, const QString &projectName, int focusRow,
                                 ExplorerChoice *choice)
{
    const QString section = QStringLiteral("TForm_CodeExplorer");
    CodeExplorerDialog dialog(model, projectName, focusRow, m_iconFolder, m_parent);
    dialog.setWindowTitle(QStringLiteral("Code Explorer: ") + projectName);
    const QSize screen = m_parent->screen()->size();
    if (const auto placement = m_placement.readPlacement(section, screen); placement && placement->normal.isValid()) {
        dialog.setGeometry(placement->normal);
    } else {
        dialog.resize(640, 480);
        dialog.move(m_parent->screen()->availableGeometry().center() - dialog.rect().center());
    }
    const bool chosen = dialog.exec() == QDialog::Accepted && dialog.choice();
    WindowPlacement placement;
    placement.normal = dialog.geometry();
    m_placement.writePlacement(section, placement, screen);
    if (chosen)
        *choice = *dialog.choice();
    return chosen;
}

QString DialogPrompts::chooseVariable(const QStringList &names)
{
    VariablesDialog dialog(names, m_parent);
    dialog.exec();
    return dialog.result();
}

SearchAnswer DialogPrompts::searchReplace(SearchForm form, SearchFields *fields)
{
    return SearchReplaceDialog::run(m_parent, form, fields);
}

bool DialogPrompts::options(OptionsFields *fields, SyntaxColourItems &colours)
{
    return OptionsDialog::run(m_parent, fields, colours, m_mainEditor, m_preview);
}

PrintAnswer DialogPrompts::printFile(PrintFields *fields)
{
    return PrintFileDialog::run(m_parent, fields);
}
