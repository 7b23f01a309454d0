// Runs a fuzz target over the files of its seed corpus (and of any other folder or file named),
// so that an input that once failed keeps being tried by the regular test suite.
#include "FuzzSupport.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

int main(int argc, char *argv[])
{
    int inputs = 0;
    for (int i = 1; i < argc; ++i) {
        QStringList files;
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (QFileInfo(arg).isDir()) {
            for (QDirIterator it(arg, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
                files.append(it.next());
        } else {
            files.append(arg);
        }
        files.sort();
        for (const QString &path : std::as_const(files)) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
                return 1;
            }
            const QByteArray bytes = file.readAll();
            std::fprintf(stderr, "%s\n", qPrintable(path));
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
            ++inputs;
        }
    }
    std::fprintf(stderr, "%d inputs replayed\n", inputs);
    return inputs > 0 ? 0 : 1;
}
