#pragma once

#include <QString>

#include <memory>

class QProcess;

// PHP's built-in web server ("php -S 127.0.0.1:<port> -t <folder>") for previews when the user
// has no web server: started once for a folder, started again if it died, and stopped when the
// folder changes, the project closes or the program ends. It dies with the program, so it is
// never left behind.
class PhpServer
{
public:
    PhpServer();
    ~PhpServer();
    PhpServer(const PhpServer &) = delete;
    PhpServer &operator=(const PhpServer &) = delete;

    // "http://127.0.0.1:<port>/" serving folder; empty, with *error, when PHP is not installed
    // or its server does not start.
    QString urlFor(const QString &folder, QString *error);
    void stop();

private:
    bool start(const QString &php, const QString &folder, QString *error);

    std::unique_ptr<QProcess> m_process;
    QString m_folder;
    QString m_url;
};
