#pragma once

#include <QStringList>

// Recently opened project files, most recent first, each path once (paths compared without
// regard to letter case), with no limit on the length of the list.
class ProjectHistory
{
public:
    const QStringList &paths() const { return m_paths; }
    bool isEmpty() const { return m_paths.isEmpty(); }

    // Puts path at the top, replacing an entry that differs from it only in letter case.
    void add(const QString &path);

    // A missing file is an empty history; false when the file exists but cannot be read.
    bool load(const QString &fileName);
    // One path per line, each ended by CR LF. False when the file cannot be written.
    bool save(const QString &fileName) const;

private:
    QStringList m_paths;
};
