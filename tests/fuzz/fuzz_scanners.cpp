// The line scanners of the Code Explorer, the function and class lists and the variables picker:
// any lines scan, and the forms that take the lines differently find the same names.
#include "FuzzSupport.h"
#include "Scanners.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines = inputLines(data, size);
    QList<QStringView> views;
    for (const QString &line : lines)
        views.append(line);
    const LineSource source{&lines,
                            [](const void *context, qsizetype index) {
                                return QStringView(static_cast<const QStringList *>(context)->at(index));
                            },
                            lines.size()};

    const ScanResults variables = ScanVariables(lines);
    FUZZ_CHECK(ScanVariables(views) == variables);
    FUZZ_CHECK(ScanVariables(source) == variables);
    for (const QString &name : variables)
        FUZZ_CHECK(!name.isEmpty());

    for (const QStringView keyword : {QStringView(u"function"), QStringView(u"class")}) {
        QStringList copy = lines;
        const ScanResults declared = ScanDeclarations(copy, keyword);
        ChangedLines changed;
        FUZZ_CHECK(DeclaredNames(views, keyword, &changed) == declared);
        FUZZ_CHECK(DeclaredNames(source, keyword) == declared);
        // The lines the scan changed are those ScanDeclarations left changed in its copy.
        for (qsizetype i = 0; i < lines.size(); ++i)
            FUZZ_CHECK(changed.value(i, lines[i]) == copy[i]);
        sortedWithoutCase(declared);
    }
    return 0;
}
