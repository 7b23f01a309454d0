#include "PhpServer.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <csignal>

#include <sys/prctl.h>

namespace {

constexpr int Attempts = 5; // ports tried before giving up
constexpr int StartTimeoutMs = 5000; // until the server says it listens

} // namespace

PhpServer::PhpServer() = default;

PhpServer::~PhpServer()
{
    stop();
}

void PhpServer::stop()
{
    if (!m_process)
        return;
    m_process->terminate();
    if (!m_process->waitForFinished(2000)) {
        m_process->kill();
        m_process->waitForFinished(2000);
    }
    m_process.reset();
    m_folder.clear();
    m_url.clear();
}

QString PhpServer::urlFor(const QString &folder, QString *error)
{
    if (m_process && m_folder == folder && m_process->state() == QProcess::Running)
        return m_url;
    stop();
    const QString php = QStandardPaths::findExecutable(QStringLiteral("php"));
    if (php.isEmpty()) {
        *error = QStringLiteral("PHP was not found. Install the php-cli package to preview without a web server.");
        return {};
    }
    for (int attempt = 0; attempt < Attempts; ++attempt)
        if (start(php, folder, error))
            return m_url;
    return {};
}

bool PhpServer::start(const QString &php, const QString &folder, QString *error)
{
    // A port from the dynamic range; one that is taken makes PHP exit at once, and another is tried.
    const int port = 49152 + int(QRandomGenerator::global()->bounded(16000));
    auto process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::MergedChannels);
    // The server goes when the program goes, even when the program is killed.
    process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    process->start(php, {QStringLiteral("-S"), QStringLiteral("127.0.0.1:%1").arg(port), QStringLiteral("-t"), folder});
    if (!process->waitForStarted(StartTimeoutMs)) {
        *error = QStringLiteral("PHP's web server could not be started: %1").arg(process->errorString());
        return false;
    }
    QByteArray said;
    QElapsedTimer waited;
    waited.start();
    while (!said.contains("started") && process->state() == QProcess::Running && waited.elapsed() < StartTimeoutMs) {
        process->waitForReadyRead(100);
        said += process->readAll();
    }
    if (!said.contains("started")) {
        *error = QStringLiteral("PHP's web server did not start: %1").arg(QString::fromLocal8Bit(said).trimmed());
        process->kill();
        process->waitForFinished(1000);
        return false;
    }
    // Its log is read and dropped, so it never piles up in memory.
    QObject::connect(process.get(), &QProcess::readyRead, process.get(), [log = process.get()] { log->readAll(); });
    m_process = std::move(process);
    m_folder = folder;
    m_url = QStringLiteral("http://127.0.0.1:%1/").arg(port);
    return true;
}
