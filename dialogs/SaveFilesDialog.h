#pragma once

#include <QDialog>
#include <QList>
#include <QString>

#include <functional>

class QPushButton;
class QTableWidget;

// One line of the list: what the user sees and the caller's key for what it saves.
struct SaveFileRow {
    static constexpr int ProjectId = -1;

    QString text;
    int id = ProjectId;

    // "name <folder + project file name>".
    static SaveFileRow forProject(const QString &name, const QString &projectFilePath);
    // "file name without folder <full path>", keyed by the file's table index.
    static SaveFileRow forFile(const QString &fileName, int index);
};

// The caller's answer after trying to save one row.
enum class SaveOutcome {
    Saved,    // written; the row is done
    NotSaved, // left unsaved (the user cancelled the save dialog); the caller will not go on
    Stop,     // a save error: stop here and keep this row and the ones above it in the list
};

using SaveRowFunction = std::function<SaveOutcome(int id)>;

// Lists unsaved work, each row marked for saving, and on OK saves the marked rows from the last
// to the first through the caller's function. Closes with Accepted when every marked row was
// saved, with Rejected when one was not or the user cancelled.
class SaveFilesDialog : public QDialog
{
    Q_OBJECT

public:
    SaveFilesDialog(const QList<SaveFileRow> &rows, SaveRowFunction save, QWidget *parent = nullptr);

    // Shows the dialog modally; true when the caller may go on. Without rows nothing is shown.
    // notAllSaved (when given) tells whether an OK step left marked work unsaved, in which case
    // the caller marks the project changed.
    static bool run(QWidget *parent, const QList<SaveFileRow> &rows, const SaveRowFunction &save,
                    bool *notAllSaved = nullptr);

    bool notAllSaved() const { return !m_allSaved; }

public slots:
    void saveMarkedRows();
    void markAll();
    void markNone();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildTable(const QList<SaveFileRow> &rows);
    QPushButton *addButton(const QString &text, const char *name);
    bool isMarked(int row) const;
    void setMark(int row, bool marked);
    void toggleCurrentRow();
    void setEveryMark(bool marked);

    SaveRowFunction m_save;
    QTableWidget *m_table;
    // Survives a stopped OK step, so work left unsaved earlier still keeps the caller back.
    bool m_allSaved = true;
};
