#pragma once

#include <QStringList>

// Recently opened project files, most recent first, each path once (paths compare exactly, as
// file names do on Linux), with no limit on the length of the list.
class ProjectHistory
{
public:
    const QStringList &paths() const { return m_paths; }
    bool isEmpty() const { return m_paths.isEmpty(); }

    // Puts path at the top, taking out the entry it had; path may be an entry of the list.
    void add(const QString &path);

    // A missing file is an empty history; false when the file exists but cannot be read.
    bool load(const QString &fileName);
    // One path per line, each ended by CR LF. False when the file cannot be written.
    bool save(const QString &fileName) const;

private:
    QStringList m_paths;
};
