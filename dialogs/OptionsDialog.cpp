#include "OptionsDialog.h"

#include "ColourComboBox.h"
#include "ComponentText.h"
#include "DialogPlacement.h"
#include "EditorModel.h"
#include "EditorWidget.h"
#include "FileChooserDialog.h"
#include "MultiLang.h"
#include "Named.h"
#include "SyntaxColourItems.h"
#include "TextEncoding.h"
#include "WordTableModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr QSize ClientSize(404, 317);

const QStringList PreviewLines{
    QStringLiteral("<HTML>  <!-- Test Code -->"),
    QStringLiteral("<FONT size=\"1\">HTML text</FONT>"),
    QStringLiteral("<?php"),
    QStringLiteral("  // Dummy Function"),
    QStringLiteral("  function TestColors( $variable ) {"),
    QStringLiteral("    if ( $color = 128 ) { "),
    QStringLiteral("      $string = \"The String\" ;"),
    QStringLiteral("    }"),
    QStringLiteral("  }"),
    QStringLiteral("?> "),
    QStringLiteral("</HTML>"),
};

// Table cells are edited on one line, no longer than the table allows.
class WordDelegate : public QStyledItemDelegate
{
public:
    WordDelegate(int maxLength, QObject *parent) : QStyledItemDelegate(parent), m_maxLength(maxLength) { }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        auto *editor = new QLineEdit(parent);
        editor->setMaxLength(m_maxLength);
        editor->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^\\r\\n]*")), editor));
        return editor;
    }

private:
    int m_maxLength;
};

QGroupBox *group(const char *name, const QString &title, QLayout *layout)
{
    auto *box = named(new QGroupBox(title), name);
    box->setLayout(layout);
    return box;
}

QLabel *label(const char *name, const QString &text)
{
    return named(new QLabel(text), name);
}

QVBoxLayout *column(std::initializer_list<QWidget *> widgets)
{
    auto *layout = new QVBoxLayout;
    for (QWidget *widget : widgets)
        layout->addWidget(widget);
    return layout;
}

QWidget *row(std::initializer_list<QWidget *> widgets)
{
    auto *holder = new QWidget;
    auto *layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget *widget : widgets)
        layout->addWidget(widget);
    layout->addStretch();
    return holder;
}

QLineEdit *numberBox(const char *name)
{
    auto *box = named(new QLineEdit, name);
    box->setMaximumWidth(60);
    return box;
}

// The system's font families, the fixed-pitch ones (what programmers edit in) first.
QComboBox *fontList(const QString &current)
{
    auto *list = named(new QComboBox, "FontComboBox1");
    QStringList fixed;
    QStringList others;
    for (const QString &family : QFontDatabase::families())
        (QFontDatabase::isFixedPitch(family) ? fixed : others).append(family);
    list->addItems(fixed);
    if (!fixed.isEmpty() && !others.isEmpty())
        list->insertSeparator(list->count());
    list->addItems(others);
    if (list->findText(current) < 0)
        list->insertItem(0, current);
    list->setCurrentIndex(list->findText(current));
    return list;
}

} // namespace

OptionsDialog::OptionsDialog(const OptionsFields &fields, SyntaxColourItems &colours, const EditorWidget &mainEditor,
                             SynCustomHighlighter *preview, QWidget *parent)
    : QDialog(parent),
      m_opened(fields),
      m_colours(colours),
      m_mainEditor(mainEditor)
{
    setObjectName(QStringLiteral("Form_Options"));
    setWindowTitle(QStringLiteral("Options"));
    m_keywords = new WordTableModel(QStringLiteral("Keywords"), 50, this);
    m_functions = new WordTableModel(QStringLiteral("Functions"), 100, this);
    for (WordTableModel *table : {m_keywords, m_functions})
        connect(table, &WordTableModel::edited, this, [this] { m_tablesEdited = true; });

    m_pages = named(new QTabWidget, "PageControl1");
    m_pages->addTab(named(generalPage(), "tsGeneral"), QStringLiteral("General"));
    m_pages->addTab(named(editorPage(), "tsEditor"), QStringLiteral("Editor"));
    m_pages->addTab(named(phpPage(), "PHPRelated"), QStringLiteral("PHP Special"));
    m_pages->addTab(named(coloursPage(), "SyntaxColors"), QStringLiteral("PHP/HTML Syntax Coloring"));
    m_preview->model()->SetHighlighter(preview);
    m_preview->model()->SetText(PreviewLines.join(QStringLiteral("\r\n")));

    auto *ok = named(new QPushButton(QStringLiteral("OK")), "Button1");
    auto *cancel = named(new QPushButton(QStringLiteral("Cancel")), "Button3");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);

    fill(fields);
    m_pages->setCurrentIndex(0);
    m_items->setCurrentRow(0);
    lbItemsClick();
    translateWindow(this, QStringLiteral("options"));
    setFixedSize(sizeHint().expandedTo(ClientSize));
}

OptionsDialog::~OptionsDialog()
{
    m_preview->model()->SetHighlighter(nullptr);
}

bool OptionsDialog::run(QWidget *parent, OptionsFields *fields, SyntaxColourItems &colours,
                        const EditorWidget &mainEditor, SynCustomHighlighter *preview)
{
    OptionsDialog dialog(*fields, colours, mainEditor, preview, parent);
    centreOnScreen(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    *fields = dialog.fields();
    return true;
}

QCheckBox *OptionsDialog::settingBox(const char *name, const QString &caption, bool SysOptions::*field)
{
    auto *box = named(new QCheckBox(caption), name);
    m_settingBoxes.append({box, field});
    return box;
}

QWidget *OptionsDialog::generalPage()
{
    auto *projects =
        group("GroupBox4", QStringLiteral("Project Handling"),
              column({settingBox("cbxLastProject", QStringLiteral("Open Last Used Project on Startup"),
                                 &SysOptions::OpenLastUsed),
                      settingBox("cbxAcceptParameter", QStringLiteral("Accept Project File Name as Parameter"),
                                 &SysOptions::AcceptParameter),
                      settingBox("cbxBackups", QStringLiteral("Create Backup of Saved Files (*.~*)"),
                                 &SysOptions::CreateBackups)}));
    m_internal = named(new QRadioButton(QStringLiteral("Internal")), "rbInternal");
    m_external = named(new QRadioButton(QStringLiteral("External:")), "rbExternal");
    m_viewer = named(new QLineEdit, "eViewer");
    m_browseViewer = named(new QToolButton, "btnViewer");
    m_browseViewer->setText(QStringLiteral("..."));
    connect(m_browseViewer, &QToolButton::clicked, this, [this] {
        FileChooserDialog chooser(FileChooserDialog::Mode::Open, QStringLiteral("External Viewer"), m_viewer->text(),
                                  {}, {}, this);
        if (chooser.exec() == QDialog::Accepted && !chooser.chosenPath().isEmpty())
            m_viewer->setText(chooser.chosenPath());
    });
    for (QRadioButton *button : {m_internal, m_external})
        connect(button, &QRadioButton::toggled, this, &OptionsDialog::rbExternalClick);
    auto *line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    auto *external = row({m_external, m_viewer, m_browseViewer});
    static_cast<QHBoxLayout *>(external->layout())->setStretchFactor(m_viewer, 1);
    auto *viewer = group(
        "GroupBox3", QStringLiteral("Site/Page Viewer"),
        column(
            {m_internal, external, line,
             settingBox("cbxFilePreview", QStringLiteral("Preview Single Files (Ignore URL, use physical directory)"),
                        &SysOptions::PreviewAsFileName),
             settingBox("cbxSaveWarning", QStringLiteral("Warning on \"Save Files\" Before Preview"),
                        &SysOptions::WarnAboutSave),
             settingBox("cbxBuiltInServer", QStringLiteral("PHP's Built-in Server for Projects Without a Server URL"),
                        &SysOptions::BuiltInServer)}));
    auto *options = group("GroupBox2", QStringLiteral("General Options"), column({projects, viewer}));
    auto *page = new QWidget;
    auto *layout = column({options});
    layout->addStretch();
    page->setLayout(layout);
    return page;
}

QWidget *OptionsDialog::editorPage()
{
    m_font =
        fontList(m_opened.options.FontName.isEmpty() ? m_mainEditor.editorFont().family() : m_opened.options.FontName);
    m_fontSize = numberBox("Edit1");
    m_rightEdge = numberBox("Edit2");
    m_tabWidth = numberBox("eTabWidth");
    m_background = named(new ColourComboBox(ColourComboBox::Entries::Named), "ColorComboBox1");
    auto *form = new QFormLayout;
    form->addRow(label("Label1", QStringLiteral("Editor Font:")), m_font);
    form->addRow(label("Label2", QStringLiteral("Editor font Size:")), m_fontSize);
    form->addRow(label("Label3", QStringLiteral("Right edge:")),
                 row({m_rightEdge, settingBox("cbxGutter", QStringLiteral("Gutter"), &SysOptions::Gutter)}));
    form->addRow(label("Label4", QStringLiteral("Background Color:")), m_background);
    form->addRow(settingBox("cbxAutoIndent", QStringLiteral("Auto Indent"), &SysOptions::AutoIndent));
    form->addRow(label("Label5", QStringLiteral("Tab Width:")),
                 row({m_tabWidth, settingBox("cbxSmartTabs", QStringLiteral("Smart Tabs"), &SysOptions::SmartTabs)}));
    auto *special =
        group("GroupBox8", QStringLiteral("Special Editor Functions"),
              column({settingBox("cbxCompletionProposal", QStringLiteral("Completion Proposal"),
                                 &SysOptions::CompletionProposal),
                      settingBox("cbxAutoComplete", QStringLiteral("Auto Complete"), &SysOptions::AutoComplete)}));
    form->addRow(special);
    auto *page = new QWidget;
    auto *layout = column({group("GroupBox1", QStringLiteral("Editor Options"), form)});
    layout->addStretch();
    page->setLayout(layout);
    return page;
}

QWidget *OptionsDialog::wordTable(const char *gridName, const char *navigatorName, WordTableModel *model,
                                  QTableView **gridOut)
{
    auto *grid = named(new QTableView, gridName);
    grid->setModel(model);
    grid->setItemDelegate(new WordDelegate(model->maxLength(), grid));
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    *gridOut = grid;
    const auto current = [grid] { return grid->currentIndex().isValid() ? grid->currentIndex().row() : 0; };
    const auto go = [grid, model](int target) {
        if (model->rowCount() > 0)
            grid->setCurrentIndex(model->index(std::clamp(target, 0, model->rowCount() - 1), 0));
    };
    struct Button {
        const char *text;
        const char *tip;
        std::function<void()> act;
    };
    const QList<Button> buttons{
        {"|<", "First record", [go] { go(0); }},
        {"<", "Prior record", [go, current] { go(current() - 1); }},
        {">", "Next record", [go, current] { go(current() + 1); }},
        {">|", "Last record", [go, model] { go(model->rowCount() - 1); }},
        {"+", "Insert record",
         [grid, model, current] {
             const int at = model->rowCount() == 0 ? 0 : current();
             model->insertRows(at, 1);
             // After an insert the grid takes the keyboard, ready to type the entry.
             grid->setFocus();
             grid->setCurrentIndex(model->index(at, 0));
             grid->edit(model->index(at, 0));
         }},
        {"-", "Delete record",
         [model, grid, current] {
             if (model->rowCount() > 0)
                 model->removeRows(current(), 1);
             grid->setFocus();
         }},
    };
    auto *navigator = named(new QWidget, navigatorName);
    navigator->setProperty(NavigatorProperty, true);
    auto *bar = new QHBoxLayout(navigator);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->setSpacing(1);
    for (const Button &button : buttons) {
        auto *tool = new QToolButton;
        tool->setText(QString::fromLatin1(button.text));
        tool->setToolTip(QString::fromLatin1(button.tip));
        tool->setObjectName(navigatorName + QStringLiteral("_") + QString::fromLatin1(button.tip).section(u' ', 0, 0));
        connect(tool, &QToolButton::clicked, this, button.act);
        bar->addWidget(tool);
    }
    bar->addStretch();
    auto *holder = new QWidget;
    auto *layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grid);
    layout->addWidget(navigator);
    return holder;
}

QWidget *OptionsDialog::phpPage()
{
    m_customHighlighting =
        settingBox("cbxCustomHighlighting", QStringLiteral("Use Custom Highlighting for PHP File Types"),
                   &SysOptions::PHPCustomHighlighting);
    connect(m_customHighlighting, &QCheckBox::toggled, this, &OptionsDialog::cbxCustomHighlightingClick);
    QTableView *keywords = nullptr;
    QTableView *functions = nullptr;
    auto *tables = new QHBoxLayout;
    // The grids' columns show their titles; the tables' fields keep labels of their own.
    columnTitle(this, "dxDBGridkKeyword", QStringLiteral("Keywords"),
                [this](const QString &title) { m_keywords->setFieldName(title); });
    columnTitle(this, "dxDBGridfFunction", QStringLiteral("Functions"),
                [this](const QString &title) { m_functions->setFieldName(title); });
    new ComponentText(this, "mtKeywordsKeyword", ComponentText::Kind::Caption, QStringLiteral("Keywords"));
    new ComponentText(this, "mtFunctionsFunction", ComponentText::Kind::Caption, QStringLiteral("Functions"));
    tables->addWidget(wordTable("dxDBGridk", "DBNavigator1", m_keywords, &keywords));
    tables->addWidget(wordTable("dxDBGridf", "DBNavigator2", m_functions, &functions));
    m_custom = group("gbCustom", QStringLiteral("Custom Highlighting Keywords"), tables);
    auto *page = new QWidget;
    auto *layout =
        column({settingBox("cbxPHPVars", QStringLiteral("Show \"PHP Variables\" Dialog when '$' key pressed in editor"),
                           &SysOptions::PHPVars),
                settingBox("cbxPHPDefault", QStringLiteral("Handle Undefined File Types as PHP by Default"),
                           &SysOptions::PHPDefault),
                m_customHighlighting});
    // The tables take the page's height; while they are hidden the boxes stay at the top.
    layout->addWidget(m_custom, 10);
    layout->addStretch(1);
    page->setLayout(layout);
    return page;
}

QWidget *OptionsDialog::coloursPage()
{
    m_items = named(new QListWidget, "lbItems");
    m_items->addItems(SyntaxColourItems::names());
    connect(m_items, &QListWidget::currentRowChanged, this, &OptionsDialog::lbItemsClick);
    m_foreColour = named(new ColourComboBox(ColourComboBox::Entries::WithNoneAndDefault), "cbForeColor");
    m_backColour = named(new ColourComboBox(ColourComboBox::Entries::WithNoneAndDefault), "cbBackColor");
    connect(m_foreColour, &ColourComboBox::colourPicked, this,
            [this](SynColor colour) { m_colours.setForeground(m_items->currentRow(), colour); });
    connect(m_backColour, &ColourComboBox::colourPicked, this,
            [this](SynColor colour) { m_colours.setBackground(m_items->currentRow(), colour); });
    auto *styles = new QWidget;
    auto *styleColumn = new QVBoxLayout(styles);
    styleColumn->setContentsMargins(0, 0, 0, 0);
    for (const auto &[name, caption, bit] :
         {std::tuple{"cBold", "Bold", fsBold}, std::tuple{"cItalic", "Italic", fsItalic},
          std::tuple{"cUnderline", "Underline", fsUnderline}}) {
        auto *box = named(new QCheckBox(QString::fromLatin1(caption)), name);
        connect(box, &QCheckBox::toggled, this, [this, bit = bit](bool on) { styleBoxClicked(bit, on); });
        m_styleBoxes.append({box, std::uint8_t(bit)});
        styleColumn->addWidget(box);
    }
    auto *attributes = new QFormLayout;
    attributes->addRow(label("Label6", QStringLiteral("Foreground:")), m_foreColour);
    attributes->addRow(label("Label7", QStringLiteral("Background:")), m_backColour);
    attributes->addRow(label("Label10", QStringLiteral("Font Style:")), styles);
    m_preview = named(new EditorWidget, "SynEdit1");
    m_preview->setMinimumHeight(110);
    m_preview->setGutterVisible(false);
    auto *top = new QHBoxLayout;
    top->addWidget(group("GroupBox5", QStringLiteral("Item"), column({m_items})));
    top->addWidget(group("GroupBox7", QStringLiteral("Attributes"), attributes), 1);
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addWidget(group("GroupBox6", QStringLiteral("Preview"), column({m_preview})), 1);
    return page;
}

void OptionsDialog::fill(const OptionsFields &fields)
{
    const SysOptions &options = fields.options;
    m_fontSize->setText(fields.fontSize);
    m_rightEdge->setText(fields.rightEdge);
    m_tabWidth->setText(fields.tabWidth);
    m_background->setColour(SynColor(options.BackGroundColor));
    m_viewer->setText(options.ViewerName);
    (options.ExternalViewer ? m_external : m_internal)->setChecked(true);
    rbExternalClick();
    for (const SettingBox &setting : m_settingBoxes)
        setting.box->setChecked(options.*setting.field);
    // Unticked by program: no click, so the tables are set up here.
    cbxCustomHighlightingClick();
}

OptionsFields OptionsDialog::fields() const
{
    OptionsFields fields = m_opened;
    SysOptions &options = fields.options;
    options.FontName = m_font->currentText();
    fields.fontSize = m_fontSize->text();
    fields.tabWidth = m_tabWidth->text();
    fields.rightEdge = m_rightEdge->text();
    options.BackGroundColor = int(m_background->colour());
    options.ViewerName = m_viewer->text();
    options.ExternalViewer = m_external->isChecked();
    for (const SettingBox &setting : m_settingBoxes)
        options.*setting.field = setting.box->isChecked();
    fields.keywords = m_keywords->entries();
    fields.functions = m_functions->entries();
    fields.tablesEdited = m_tablesEdited;
    return fields;
}

void OptionsDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    cbxCustomHighlightingClick();
}

void OptionsDialog::rbExternalClick()
{
    m_viewer->setVisible(m_external->isChecked());
    m_browseViewer->setVisible(m_external->isChecked());
}

void OptionsDialog::cbxCustomHighlightingClick()
{
    m_custom->setVisible(m_customHighlighting->isChecked());
    if (m_customHighlighting->isChecked()) {
        m_keywords->fill(m_opened.keywords);
        m_functions->fill(m_opened.functions);
    }
    m_tablesEdited = false;
}

void OptionsDialog::lbItemsClick()
{
    const int item = m_items->currentRow();
    if (item < 0)
        return;
    m_preview->setBackgroundColor(m_mainEditor.backgroundColor());
    m_preview->setEditorFont(m_mainEditor.editorFont());
    const SynHighlighterAttributes &shown = m_colours.shown(item);
    const SynColor foreground = shown.Foreground();
    const SynColor background = shown.Background();
    const std::uint8_t style = shown.Style();
    // A control whose value changes acts as if the user changed it: the item's other attributes
    // take the shown one's values.
    if (m_foreColour->setColour(foreground))
        m_colours.setForeground(item, foreground);
    if (m_backColour->setColour(background))
        m_colours.setBackground(item, background);
    for (const auto &[box, bit] : m_styleBoxes)
        box->setChecked((style & bit) != 0);
}

void OptionsDialog::styleBoxClicked(std::uint8_t bit, bool on)
{
    if (m_items->currentRow() >= 0)
        m_colours.setStyleBit(m_items->currentRow(), bit, on);
}
