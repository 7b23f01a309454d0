#include "PrintCommands.h"

#include "EditorModel.h"
#include "EditorWidget.h"
#include "FileNames.h"
#include "PrintFileDialog.h"
#include "ProjectController.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

PrintCommands::PrintCommands(ProjectController &projects, EditorWidget &editor, PlacementStore &store, QWidget *window)
    : m_projects(projects),
      m_editor(editor),
      m_store(store),
      m_window(window)
{ }

void PrintCommands::Print1Click()
{
    const ProjectFile *file = m_projects.activeEntry();
    if (!file)
        return;
    // A listed file may be named relative to the project; the title gives where it is.
    const QString path = file->Path.isEmpty() ? file->FileName : file->Path + nameOf(file->FileName);
    PrintFlow flow(m_projects.prompts(), m_store);
    const std::optional<PrintJob> job = flow.Print1Click(path, m_editor.model()->SelAvail());
    if (!job)
        return;
    setUpEngine(*job);

    QPrinter printer(QPrinter::HighResolution);
    PrintFileDialog::setUpPrinter(printer, job->page);
    if (!printer.isValid()) {
        m_projects.prompts().error(QStringLiteral("The printer \"%1\" is not available.").arg(job->page.printer));
        return;
    }
    if (!job->pdfFile.isEmpty())
        printer.setOutputFileName(job->pdfFile);
    if (job->preview)
        preview(printer);
    else
        print(printer);
}

void PrintCommands::setUpEngine(const PrintJob &job)
{
    TSynEditPrint &engine = SynEditPrint1;
    EditorModel &model = *m_editor.model();
    engine.Title = job.title;
    engine.DocTitle = job.docTitle;
    engine.Font = m_editor.editorFont();
    engine.Highlight = job.color;
    engine.Highlighter = model.Highlighter();
    engine.LineNumbers = job.numbers;
    engine.Wrap = job.wrap;
    engine.Margins = {double(job.left), double(job.right), double(job.top), double(job.bottom)};
    QStringList lines;
    lines.reserve(model.LineCount());
    for (int line = 1; line <= model.LineCount(); ++line)
        lines.append(model.Line(line));
    engine.SetLines(lines, job.selectedOnly ? selectedPieces() : QList<TSynEditPrint::Span>());
}

QList<TSynEditPrint::Span> PrintCommands::selectedPieces() const
{
    const EditorModel &model = *m_editor.model();
    QList<TSynEditPrint::Span> pieces;
    for (int line = model.BlockBegin().Line; line <= model.BlockEnd().Line; ++line)
        if (const auto columns = model.SelectedColumns(line))
            pieces.append({line - 1, columns->first - 1, columns->second == INT_MAX ? INT_MAX : columns->second - 1});
    return pieces;
}

void PrintCommands::print(QPrinter &printer)
{
    if (!SynEditPrint1.Print(printer))
        m_projects.prompts().error(SynEditPrint1.Error());
}

void PrintCommands::preview(QPrinter &printer)
{
    // The pages are laid out before the window opens, so a page without room is reported, not shown empty.
    if (SynEditPrint1.PageCount(printer) == 0) {
        m_projects.prompts().error(SynEditPrint1.Error());
        return;
    }
    QPrintPreviewDialog dialog(&printer, m_window);
    dialog.setObjectName(QStringLiteral("PrintPreview"));
    dialog.setWindowTitle(QStringLiteral("Print Preview: ") + SynEditPrint1.Title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [this](QPrinter *pages) { SynEditPrint1.Print(*pages); });
    dialog.resize(900, 700);
    dialog.exec();
}
