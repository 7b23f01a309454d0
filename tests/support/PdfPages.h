#pragma once

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

// What a printed PDF holds, read back with poppler's tools (scripts/deps test installs them).
namespace PdfPages {

inline bool toolsPresent()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()
        && !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty();
}

inline QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>").arg(program, QString::fromLocal8Bit(process.readAllStandardError()));
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of every page, one text line a row, pages apart by form feeds.
inline QString text(const QString &pdf)
{
    return run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
}

// The rows of text with blanks run together and empty rows left out.
inline QStringList rows(const QString &pdf)
{
    QStringList rows;
    for (const QString &row : text(pdf).split(QRegularExpression(QStringLiteral("[\\n\\f]"))))
        if (!row.simplified().isEmpty())
            rows.append(row.simplified());
    return rows;
}

inline int pageCount(const QString &pdf)
{
    return static_cast<int>(text(pdf).count(u'\f'));
}

// Each word with its box in points: the page it is on (from 1), its text, its left and its lowest edge.
struct Word {
    int page;
    QString text;
    double xMin;
    double yMax;
    double pageHeight;
};
inline QList<Word> words(const QString &pdf)
{
    const QString html = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    static const QRegularExpression tag(QStringLiteral(
        R"re(<page width="[\d.]+" height="([\d.]+)">|<word xMin="([\d.]+)" yMin="[\d.]+" xMax="[\d.]+" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<Word> found;
    int page = 0;
    double height = 0;
    for (auto match = tag.globalMatch(html); match.hasNext();) {
        const auto m = match.next();
        if (!m.captured(1).isEmpty()) {
            ++page;
            height = m.captured(1).toDouble();
        } else {
            found.append({page, m.captured(4), m.captured(2).toDouble(), m.captured(3).toDouble(), height});
        }
    }
    return found;
}

// The first page drawn at a low resolution.
inline QImage firstPage(const QString &pdf)
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-png"), QStringLiteral("-singlefile"),
         QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"), pdf, prefix});
    return QImage(prefix + QStringLiteral(".png"));
}

// The distinct hues of the clearly coloured pixels of an image (grey, black and white have none).
inline QSet<int> hues(const QImage &image)
{
    QSet<int> found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            if (colour.hsvSaturation() > 120 && colour.value() > 60)
                found.insert(colour.hsvHue() / 20);
        }
    return found;
}

inline bool hasBlack(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).value() < 40)
                return true;
    return false;
}

} // namespace PdfPages
