#pragma once

#include "NativePath.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

// A temporary folder for files whose names are bytes that are not UTF-8. Qt's own file classes
// cannot reach such names, so the fixture makes and removes them with the system's calls.
class ByteNamedFolder
{
public:
    ByteNamedFolder() : m_folder(QFile::encodeName(m_dir.path()) + '/') { m_dir.setAutoRemove(false); }
    ByteNamedFolder(const ByteNamedFolder &) = delete;
    ByteNamedFolder &operator=(const ByteNamedFolder &) = delete;

    bool isValid() const { return m_dir.isValid(); }
    // The folder (with its trailing "/") with name added, as bytes and as the program holds it.
    QByteArray bytes(QByteArrayView name = {}) const { return m_folder + name.toByteArray(); }
    QString path(QByteArrayView name = {}) const { return pathFromBytes(bytes(name)); }

    // Writes the file, or makes the folder for a name that ends in "/"; false when refused.
    bool write(QByteArrayView name, const QByteArray &content = "x") const
    {
        const QByteArray full = bytes(name);
        if (full.endsWith('/'))
            return ::mkdir(full.constData(), 0755) == 0;
        const int fd = ::open(full.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0)
            return false;
        const bool written = ::write(fd, content.constData(), size_t(content.size())) == ssize_t(content.size());
        return ::close(fd) == 0 && written;
    }

    // Removes the folder with everything in it.
    bool removeAll() const
    {
        const auto remove = [](const char *name, const struct stat *, int, FTW *) { return ::remove(name); };
        return ::nftw(m_folder.constData(), remove, 16, FTW_DEPTH | FTW_PHYS) == 0;
    }

private:
    QTemporaryDir m_dir;
    QByteArray m_folder;
};
