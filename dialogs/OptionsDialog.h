#pragma once

#include "DialogFields.h"
#include "SynHighlighterAttributes.h"

#include <QDialog>

#include <cstdint>

class ColourComboBox;
class EditorWidget;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QTabWidget;
class QTableView;
class QToolButton;
class SynCustomHighlighter;
class SyntaxColourItems;
class WordTableModel;

// The Options dialog: four pages of settings, the custom keyword and function tables, and the
// syntax colours, which act on the highlighters as they are edited.
class OptionsDialog : public QDialog
{
    Q_OBJECT

public:
    // mainEditor lends the preview its font and background; preview is the highlighter the
    // preview shows.
    OptionsDialog(const OptionsFields &fields, SyntaxColourItems &colours, const EditorWidget &mainEditor,
                  SynCustomHighlighter *preview, QWidget *parent = nullptr);
    ~OptionsDialog() override;

    // Runs the dialog; on OK *fields holds its controls.
    static bool run(QWidget *parent, OptionsFields *fields, SyntaxColourItems &colours, const EditorWidget &mainEditor,
                    SynCustomHighlighter *preview);

    // The controls as they stand.
    OptionsFields fields() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    struct SettingBox {
        QCheckBox *box;
        bool SysOptions::*field;
    };

    QWidget *generalPage();
    QWidget *editorPage();
    QWidget *phpPage();
    QWidget *coloursPage();
    QCheckBox *settingBox(const char *name, const QString &caption, bool SysOptions::*field);
    QWidget *wordTable(const char *gridName, const char *navigatorName, WordTableModel *model, QTableView **grid);
    void fill(const OptionsFields &fields);

    void rbExternalClick();
    void cbxCustomHighlightingClick();
    void lbItemsClick();
    void styleBoxClicked(std::uint8_t bit, bool on);

    OptionsFields m_opened;
    SyntaxColourItems &m_colours;
    const EditorWidget &m_mainEditor;
    bool m_tablesEdited = false;

    QTabWidget *m_pages = nullptr;
    QList<SettingBox> m_settingBoxes;
    QRadioButton *m_internal = nullptr;
    QRadioButton *m_external = nullptr;
    QLineEdit *m_viewer = nullptr;
    QToolButton *m_browseViewer = nullptr;
    QComboBox *m_font = nullptr;
    QLineEdit *m_fontSize = nullptr;
    QLineEdit *m_rightEdge = nullptr;
    QLineEdit *m_tabWidth = nullptr;
    ColourComboBox *m_background = nullptr;
    QCheckBox *m_customHighlighting = nullptr;
    QWidget *m_custom = nullptr;
    WordTableModel *m_keywords = nullptr;
    WordTableModel *m_functions = nullptr;
    QListWidget *m_items = nullptr;
    ColourComboBox *m_foreColour = nullptr;
    ColourComboBox *m_backColour = nullptr;
    QList<std::pair<QCheckBox *, std::uint8_t>> m_styleBoxes;
    EditorWidget *m_preview = nullptr;
};
