#include "ApplicationSetup.h"

#include "ProgramFiles.h"

#include "SynCustomHighlighter.h"

#include <QApplication>
#include <QMessageBox>

void describeApplication()
{
    QCoreApplication::setApplicationName(QString::fromLatin1(ProgramFiles::BaseName));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
}

void reportHighlighterErrors()
{
    // Raised in the middle of a scan, or before the window exists: the box waits for the loop.
    SetSynErrorHandler([](const QString &message) {
        QMetaObject::invokeMethod(
            qApp,
            [message] {
                QMessageBox::critical(QApplication::activeWindow(), QStringLiteral("Velmora PHP Editor"), message);
            },
            Qt::QueuedConnection);
    });
}
