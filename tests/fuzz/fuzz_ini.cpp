// The settings reader and writer: any file loads; a key written reads back, survives the trip
// through the bytes written, and leaves the other keys as they read.
#include "FuzzSupport.h"
#include "IniFile.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    IniFile file(inputFile("fuzz.ini", data, size));
    FUZZ_CHECK(file.load());
    // Every key the file names reads; the value is what a reader sees after a save.
    const QStringList sections{QStringLiteral("General"), QStringLiteral("Options"), QString()};
    for (const QString &section : sections)
        for (const QString &key : file.SectionKeys(section))
            FUZZ_CHECK(file.readString(section, key, QString()).size() <= IniFile::MaxValueLength);
    const QString value = QStringLiteral("fuzzed value %1").arg(size);
    file.writeString(u"Fuzz", u"Key", value);
    FUZZ_CHECK(file.readString(u"Fuzz", u"Key", QString()) == value);
    const QByteArray bytes = file.toBytes();

    QFile copy(scratchPath("copy.ini"));
    FUZZ_CHECK(copy.open(QIODevice::WriteOnly | QIODevice::Truncate) && copy.write(bytes) == bytes.size());
    copy.close();
    IniFile reread(scratchPath("copy.ini"));
    FUZZ_CHECK(reread.load());
    FUZZ_CHECK(reread.readString(u"Fuzz", u"Key", QString()) == value);
    for (const QString &section : sections)
        for (const QString &key : file.SectionKeys(section))
            FUZZ_CHECK(reread.readString(section, key, QString()) == file.readString(section, key, QString()));
    return 0;
}
