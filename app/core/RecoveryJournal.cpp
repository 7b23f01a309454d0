#include "RecoveryJournal.h"

#include "DiskFiles.h"
#include "EditorPane.h"
#include "JournalFile.h"
#include "NativePath.h"
#include "ProjectController.h"

#include <QDateTime>
#include <QDir>

#include <unistd.h>

namespace {

// The text of a file that is not shown as the lines encodeJournal writes: a text ended by a
// line end is one part without it.
std::vector<QString> linesOf(QString text)
{
    if (text.endsWith(u"\r\n"))
        text.chop(2);
    if (text.isEmpty())
        return {};
    return {std::move(text)};
}

void removeJournal(const QString &path)
{
    ::unlink(pathToBytes(path).constData());
}

} // namespace

RecoveryJournal::RecoveryJournal(QString folder, const ProjectController &projects, const EditorPane &editor)
    : m_folder(std::move(folder)),
      m_projects(projects),
      m_editor(editor),
      m_session(QStringLiteral("%1-%2").arg(QDateTime::currentMSecsSinceEpoch()).arg(::getpid()))
{
    m_worker.setMaxThreadCount(1); // one after another, in the order asked
    m_timer.setSingleShot(true);
    m_timer.setInterval(WriteDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryJournal::writeDue);
    for (auto signal :
         {&ProjectController::fileListChanged, &ProjectController::stateChanged, &ProjectController::projectClosed})
        connect(&projects, signal, this, &RecoveryJournal::sync);
}

RecoveryJournal::~RecoveryJournal()
{
    waitForWrites();
}

void RecoveryJournal::textChanged()
{
    if (const ProjectFile *active = m_projects.activeEntry())
        m_due.insert(active->FileName);
    // Started by the first edit and not again by the ones after it, so steady typing is
    // journalled too.
    if (!m_timer.isActive())
        m_timer.start();
}

void RecoveryJournal::sync()
{
    QSet<QString> unsaved;
    if (m_projects.isOpen())
        for (const ProjectFile &file : m_projects.project().Files)
            if (!file.Saved)
                unsaved.insert(file.FileName);
    for (auto it = m_journals.begin(); it != m_journals.end();) {
        if (unsaved.contains(it.key())) {
            ++it;
            continue;
        }
        m_worker.start([path = it.value()] { removeJournal(path); });
        m_due.remove(it.key());
        it = m_journals.erase(it);
    }
    for (const QString &name : std::as_const(unsaved))
        if (!m_journals.contains(name))
            m_due.insert(name);
    if (!m_due.isEmpty() && !m_timer.isActive())
        m_timer.start();
}

void RecoveryJournal::writeDue()
{
    m_timer.stop();
    const QSet<QString> due = std::exchange(m_due, {});
    for (const QString &name : due)
        write(name);
}

QString RecoveryJournal::journalPath()
{
    return QDir(m_folder).filePath(QStringLiteral("%1-%2").arg(m_session).arg(++m_serial, 6, 10, QChar(u'0'))
                                   + QLatin1String(JournalSuffix));
}

void RecoveryJournal::write(const QString &fileName)
{
    const Project &project = m_projects.project();
    const int index = project.Files.FindFile(fileName);
    if (!m_projects.isOpen() || index < 0 || project.Files[index].Saved)
        return;
    const ProjectFile &file = project.Files[index];
    JournalEntry entry;
    entry.process = ::getpid();
    entry.projectFile = project.FileName.isEmpty() ? QString() : project.projectFilePath();
    entry.projectName = project.Name;
    entry.projectFolder = project.Options.Path;
    entry.fileName = file.FileName;
    entry.fileType = file.FileType;
    entry.lineFormat = file.LineFormat;
    entry.encoding = file.Encoding;
    entry.hasBom = file.HasBom;
    entry.finalLineEnd = file.FinalLineEnd;
    entry.isNew = file.IsNew || !file.Stamp.exists;
    std::vector<QString> lines;
    if (index == m_projects.activeFile() && m_editor.isShown()) {
        EditorSnapshot snapshot = m_editor.snapshot();
        lines = std::move(snapshot.lines);
        entry.caretX = snapshot.caretX;
        entry.caretY = snapshot.caretY;
    } else {
        lines = linesOf(file.Text);
        entry.caretX = std::max(1, file.CaretX);
        entry.caretY = std::max(1, file.CaretY);
    }
    QString &path = m_journals[fileName];
    if (path.isEmpty())
        path = journalPath();
    m_worker.start([folder = m_folder, path, entry = std::move(entry), lines = std::move(lines)] {
        QDir().mkpath(folder);
        QString reason;
        if (!replaceDiskFile(path, encodeJournal(entry, lines), &reason))
            qWarning("Cannot write the recovery journal %s: %s", qPrintable(displayPath(path)), qPrintable(reason));
    });
}

void RecoveryJournal::removeAfterWrites(const QStringList &paths)
{
    for (const QString &path : paths)
        m_worker.start([path] { removeJournal(path); });
}

void RecoveryJournal::waitForWrites()
{
    m_worker.waitForDone();
}
