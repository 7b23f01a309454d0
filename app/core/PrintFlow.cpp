#include "PrintFlow.h"

#include "Prompts.h"
#include "RememberedValues.h"

#include <QFileInfo>

namespace {

const QString Section = QStringLiteral("TForm_PrintFile");

// clang-format off
const RememberedValue<PrintFields> Remembered[] = {
    {"eMTop.Text", &PrintFields::top},
    {"eMBottom.Text", &PrintFields::bottom},
    {"eMLeft.Text", &PrintFields::left},
    {"eMRight.Text", &PrintFields::right},
    {"eMHeader.Text", &PrintFields::header},
    {"cbxColor.Checked", &PrintFields::color},
    {"cbxNumbers.Checked", &PrintFields::numbers},
    {"cbxWrap.Checked", &PrintFields::wrap},
};
// clang-format on

} // namespace

int marginMillimetres(const QString &text)
{
    if (text.isEmpty())
        return 0;
    for (const QChar c : text)
        if (c < u'0' || c > u'9')
            return 0;
    // Digits beyond any page are no margin anyone means; the engine then reports no room.
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : 100000;
}

PrintFlow::PrintFlow(Prompts &prompts, PlacementStore &store) : m_prompts(prompts), m_store(store) { }

std::optional<PrintJob> PrintFlow::Print1Click(const QString &fileName, bool selection)
{
    PrintFields fields = remembered();
    fields.document = QFileInfo(fileName).fileName();
    fields.selectionEnabled = selection;
    fields.selection = selection;
    const PrintAnswer answer = m_prompts.printFile(&fields);
    remember(fields);
    if (answer == PrintAnswer::Cancel)
        return std::nullopt;

    PrintJob job;
    job.preview = answer == PrintAnswer::Preview;
    job.page = fields.page;
    job.selectedOnly = fields.selectionEnabled && fields.selection;
    job.wrap = fields.wrap;
    job.numbers = fields.numbers;
    job.color = fields.color;
    job.top = marginMillimetres(fields.top);
    job.bottom = marginMillimetres(fields.bottom);
    job.left = marginMillimetres(fields.left);
    job.right = marginMillimetres(fields.right);
    job.title = fileName;
    job.docTitle = QStringLiteral("Velmora PHP Editor: ") + fileName;
    if (job.page.printer.isEmpty() && !job.preview) {
        const QFileInfo file(fileName);
        job.pdfFile = m_prompts.saveFile(QStringLiteral("Print to PDF"),
                                         file.path() + u'/' + file.completeBaseName() + QStringLiteral(".pdf"),
                                         QStringLiteral("PDF Files|*.pdf"), QStringLiteral("pdf"));
        if (job.pdfFile.isEmpty())
            return std::nullopt;
    }
    return job;
}

PrintFields PrintFlow::remembered() const
{
    PrintFields fields;
    readRemembered<PrintFields>(m_store, Section, Remembered, fields);
    return fields;
}

void PrintFlow::remember(const PrintFields &fields)
{
    writeRemembered<PrintFields>(m_store, Section, Remembered, fields);
}
