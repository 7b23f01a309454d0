#include "PrintFileDialog.h"

#include "DialogPlacement.h"
#include "MultiLang.h"
#include "Named.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QCheckBox *optionBox(const char *name, const char *caption, bool checked)
{
    auto *box = named(new QCheckBox(QString::fromLatin1(caption)), name);
    box->setChecked(checked);
    return box;
}

QLineEdit *marginBox(const char *name, const QString &text)
{
    auto *box = named(new QLineEdit(text), name);
    box->setMaximumWidth(60);
    return box;
}

// The entry's text: the printer's description, and where it stands when the system knows.
QString printerText(const QPrinterInfo &printer)
{
    const QString name = printer.description().isEmpty() ? printer.printerName() : printer.description();
    return printer.location().isEmpty() ? name : QStringLiteral("%1 on %2").arg(name, printer.location());
}

} // namespace

PrintFileDialog::PrintFileDialog(const PrintFields &fields, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      m_printers(named(new QComboBox, "cbPrinters")),
      m_selection(optionBox("cbxSelection", "Print Selected Text", fields.selection)),
      m_wrap(optionBox("cbxWrap", "Wrap Lines", fields.wrap)),
      m_numbers(optionBox("cbxNumbers", "Line Numbers", fields.numbers)),
      m_color(optionBox("cbxColor", "Use Color", fields.color)),
      m_top(marginBox("eMTop", fields.top)),
      m_bottom(marginBox("eMBottom", fields.bottom)),
      m_left(marginBox("eMLeft", fields.left)),
      m_right(marginBox("eMRight", fields.right)),
      m_header(marginBox("eMHeader", fields.header)),
      m_page(fields.page),
      m_document(fields.document)
{
    setObjectName(QStringLiteral("TForm_PrintFile"));
    setWindowTitle(QStringLiteral("Print"));
    m_selection->setEnabled(fields.selectionEnabled);
    fillPrinters(fields.page.printer);

    auto *printer = named(new QGroupBox(QStringLiteral("Printer")), "GroupBox3");
    auto *setup = named(new QPushButton(QStringLiteral("Setup...")), "Button1");
    setup->setAutoDefault(false);
    auto *printerRow = new QHBoxLayout(printer);
    printerRow->addWidget(m_printers, 1);
    printerRow->addWidget(setup);

    auto *options = named(new QGroupBox(QStringLiteral("Options")), "GroupBox1");
    auto *optionRows = new QVBoxLayout(options);
    for (QCheckBox *box : {m_selection, m_wrap, m_numbers, m_color})
        optionRows->addWidget(box);

    auto *margins = named(new QGroupBox(QStringLiteral("Margins (mm)")), "GroupBox2");
    auto *marginGrid = new QGridLayout(margins);
    // The header and footer boxes were never used: they stay hidden.
    const struct {
        const char *label;
        const char *caption;
        QLineEdit *box;
        bool shown;
    } marginRows[] = {
        {"Label1", "Top:", m_top, true},        {"Label2", "Bottom:", m_bottom, true},
        {"Label3", "Left:", m_left, true},      {"Label4", "Right:", m_right, true},
        {"Label5", "Header:", m_header, false}, {"Label6", "Footer:", marginBox("Edit2", QStringLiteral("10")), false},
    };
    int row = 0;
    for (const auto &margin : marginRows) {
        auto *label = named(new QLabel(QString::fromLatin1(margin.caption)), margin.label);
        label->setBuddy(margin.box);
        marginGrid->addWidget(label, row, 0);
        marginGrid->addWidget(margin.box, row++, 1);
        label->setVisible(margin.shown);
        margin.box->setVisible(margin.shown);
    }

    auto *columns = new QHBoxLayout;
    columns->addWidget(options, 1);
    columns->addWidget(margins);

    auto *preview = named(new QPushButton(QStringLiteral("Print Preview...")), "btnPreview");
    preview->setAutoDefault(false);
    auto *print = named(new QPushButton(QStringLiteral("Print")), "Button2");
    print->setDefault(true);
    auto *cancel = named(new QPushButton(QStringLiteral("Cancel")), "Button3");
    cancel->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(preview);
    buttons->addStretch();
    buttons->addWidget(print);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(printer);
    layout->addLayout(columns);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const auto closeWith = [this](PrintAnswer answer) {
        m_answer = answer;
        answer == PrintAnswer::Cancel ? reject() : accept();
    };
    connect(setup, &QPushButton::clicked, this, &PrintFileDialog::Button1Click);
    connect(preview, &QPushButton::clicked, this, [closeWith] { closeWith(PrintAnswer::Preview); });
    connect(print, &QPushButton::clicked, this, [closeWith] { closeWith(PrintAnswer::Print); });
    connect(cancel, &QPushButton::clicked, this, [closeWith] { closeWith(PrintAnswer::Cancel); });
    // The caption in the window's language, then the file's name.
    translateWindow(this, QStringLiteral("print"));
    if (!m_document.isEmpty())
        setWindowTitle(windowTitle() + QStringLiteral(": ") + m_document);
}

PrintAnswer PrintFileDialog::run(QWidget *parent, PrintFields *fields)
{
    PrintFileDialog dialog(*fields, parent);
    dialog.exec();
    *fields = dialog.fields();
    return dialog.answer();
}

void PrintFileDialog::fillPrinters(const QString &chosen)
{
    for (const QPrinterInfo &printer : QPrinterInfo::availablePrinters()) {
        const QString icon = printer.isRemote() ? QStringLiteral("printer-network") : QStringLiteral("printer");
        m_printers->addItem(QIcon::fromTheme(icon), printerText(printer), printer.printerName());
    }
    // Always there, so that printing works without a printer installed.
    m_printers->addItem(QIcon::fromTheme(QStringLiteral("application-pdf")), QStringLiteral("Print to PDF"), QString());
    choosePrinter(chosen.isEmpty() ? QPrinterInfo::defaultPrinterName() : chosen);
}

void PrintFileDialog::choosePrinter(const QString &name)
{
    const int index = m_printers->findData(name);
    m_printers->setCurrentIndex(index >= 0 ? index : 0);
}

void PrintFileDialog::setUpPrinter(QPrinter &printer, const PrintPage &page)
{
    if (page.printer.isEmpty())
        printer.setOutputFormat(QPrinter::PdfFormat);
    else
        printer.setPrinterName(page.printer);
    if (!page.paperSize.isEmpty())
        printer.setPageSize(QPageSize(page.paperSize, QPageSize::Millimeter));
    printer.setPageOrientation(page.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setCopyCount(std::max(1, page.copies));
}

void PrintFileDialog::Button1Click()
{
    const PrintPage chosen = fields().page;
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer, chosen);
    QPrintDialog setup(&printer, this);
    setup.setOptions(chosen.printer.isEmpty() ? QAbstractPrintDialog::PrintToFile
                                              : QAbstractPrintDialog::PrintDialogOptions());
    if (setup.exec() != Accepted)
        return;
    m_page.paperSize = printer.pageLayout().pageSize().size(QPageSize::Millimeter);
    m_page.landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
    m_page.copies = printer.copyCount();
    choosePrinter(printer.outputFormat() == QPrinter::PdfFormat ? QString() : printer.printerName());
}

void PrintFileDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(this);
}

PrintFields PrintFileDialog::fields() const
{
    PrintFields fields;
    fields.document = m_document;
    fields.page = m_page;
    fields.page.printer = m_printers->currentData().toString();
    fields.selectionEnabled = m_selection->isEnabled();
    fields.selection = m_selection->isChecked();
    fields.wrap = m_wrap->isChecked();
    fields.numbers = m_numbers->isChecked();
    fields.color = m_color->isChecked();
    fields.top = m_top->text();
    fields.bottom = m_bottom->text();
    fields.left = m_left->text();
    fields.right = m_right->text();
    fields.header = m_header->text();
    return fields;
}
