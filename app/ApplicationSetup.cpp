#include "ApplicationSetup.h"

#include "ProgramFiles.h"

#include <QCoreApplication>

void describeApplication()
{
    QCoreApplication::setApplicationName(QString::fromLatin1(ProgramFiles::BaseName));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
}
