#pragma once

// Every PHP file of the installed wordpress package as one project (bench/make-wordpress-project
// writes it, or VELMORA_WORDPRESS_PROJECT names one): the real site the benchmarks measure on.
#include "Project.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

struct WordpressSite {
    QString error; // empty when the files loaded
    FileTable files;
    qint64 textBytes = 0; // as UTF-8, the size the files have on disk with CR LF line ends
};

inline WordpressSite loadWordpressSite()
{
    WordpressSite site;
    QString project = qEnvironmentVariable("VELMORA_WORDPRESS_PROJECT");
    static QTemporaryDir folder;
    if (project.isEmpty()) {
        if (!QFileInfo(QStringLiteral("/usr/share/wordpress")).isDir()) {
            site.error = QStringLiteral("the wordpress package is not installed (scripts/deps bench)");
            return site;
        }
        project = folder.filePath(QStringLiteral("wordpress.vlmp"));
        const int status = QProcess::execute(QStringLiteral("bash"),
                                             {QStringLiteral(VELMORA_BENCH_DIR "/make-wordpress-project"), project});
        if (status != 0) {
            site.error = QStringLiteral("make-wordpress-project failed");
            return site;
        }
    }
    // Loading makes the project's folder the working folder; the benchmarks do not care.
    const QString workingFolder = QDir::currentPath();
    LoadedProject loaded = LoadProject(project);
    QDir::setCurrent(workingFolder);
    if (!loaded.valid || loaded.project.Files.isEmpty()) {
        site.error = QStringLiteral("cannot load ") + project;
        return site;
    }
    site.files = std::move(loaded.project.Files);
    for (const ProjectFile &file : site.files)
        site.textBytes += file.Text.toUtf8().size();
    return site;
}

inline const WordpressSite &wordpressSite()
{
    static const WordpressSite site = loadWordpressSite();
    return site;
}
