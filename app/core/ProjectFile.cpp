#include "ProjectFile.h"

#include <algorithm>

namespace {

struct NewFileName {
    const char *extension;
    const char *fileType;
};

NewFileName newFileName(NewFileKind kind)
{
    switch (kind) {
    case NewFileKind::Php: return {".php", "PHP"};
    case NewFileKind::Html: return {".html", "HTML"};
    case NewFileKind::JavaScript: return {".js", "JS"};
    case NewFileKind::Undefined: break;
    }
    return {"", ""};
}

// A new file's text: "PHP", "HTML" and "JS" (compared exactly) have templates.
QString templateText(const QString &fileType)
{
    if (fileType == u"HTML")
        return QStringLiteral("<HTML>\r\n\r\n</HTML>");
    if (fileType == u"PHP")
        return QStringLiteral("<?php\r\n\r\n?>");
    if (fileType == u"JS")
        return QStringLiteral("<SCRIPT Language='JavaScript'>\r\n\r\n</SCRIPT>");
    return {};
}

} // namespace

int FileTable::FindFile(const QString &path) const
{
    for (int i = size() - 1; i >= 0; --i) {
        if (m_files[std::size_t(i)].FileName == path)
            return i;
    }
    return -1;
}

ProjectFile &FileTable::AddFileRecord(const QString &fileName, const QString &fileType, const QString &folder)
{
    ProjectFile &file = m_files.emplace_back();
    file.FileName = fileName;
    file.FileType = fileType;
    file.Path = folder;
    file.IsNew = true;
    file.Text = templateText(fileType);
    return file;
}

int FileTable::AddNewFile(const QString &folder, NewFileKind kind)
{
    const NewFileName name = newFileName(kind);
    QString fileName;
    for (int n = 1;; ++n) {
        fileName = folder + QStringLiteral("new") + QString::number(n) + QLatin1String(name.extension);
        if (FindFile(fileName) < 0)
            break;
    }
    AddFileRecord(fileName, QLatin1String(name.fileType), folder);
    return size() - 1;
}

void FileTable::remove(int index)
{
    Q_ASSERT(index >= 0 && index < size());
    m_files.erase(m_files.begin() + index);
}

void FileTable::swap(int a, int b)
{
    std::swap(m_files.at(std::size_t(a)), m_files.at(std::size_t(b)));
}

bool FileTable::AllFilesSaved() const
{
    return std::none_of(m_files.begin(), m_files.end(),
                        [](const ProjectFile &file) { return file.Modified && !file.Saved; });
}
