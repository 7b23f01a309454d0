#include "Project.h"

#include "DiskFiles.h"
#include "FileNames.h"
#include "ProjectFileFormat.h"

namespace {

// A listed file must be a plain file; anything else counts as missing, and one that cannot be
// read is refused, while the rest of the project loads.
void loadListedFile(const ProjectFileLine &line, const QString &folder, LoadedProject &loaded)
{
    const QString diskPath = resolvePath(folder, line.Path);
    if (!isRegularFile(diskPath)) {
        loaded.missingFiles.append(line.Path);
        return;
    }
    ProjectFile file;
    file.FileName = line.Path;
    file.FileType = line.FileType;
    file.Path = folderOf(diskPath); // where the file is, so a relative path shows like a full one
    file.CaretX = line.CaretX;
    file.CaretY = line.CaretY;
    file.TopLine = line.TopLine;
    file.LineFormat = line.LineFormat;
    QString error;
    if (readIntoEntry(file, diskPath, &error))
        loaded.project.Files.append(std::move(file));
    else
        loaded.refusedFiles.append(error);
}

} // namespace

void ResetProject(Project &project, const QString &programFolder)
{
    project.Name = QStringLiteral("Project 1");
    project.FileName.clear();
    project.Description.clear();
    project.Options = {programFolder, {}};
    project.Changed = false;
    project.Files.clear();
}

void CloseProject(Project &project)
{
    project.Files.clear();
    project.Name.clear();
    project.Changed = false;
}

bool SaveProject(Project &project, int lastFile, bool createBackups, SaveError *error)
{
    if (!writeWithBackup(project.projectFilePath(), projectFileBytes(project, lastFile), createBackups, error))
        return false;
    project.Changed = false;
    return true;
}

LoadedProject LoadProject(const QString &projectFilePath)
{
    LoadedProject loaded;
    QByteArray bytes;
    ReadFailure failure;
    if (!readDiskFile(projectFilePath, MaxEditableFileSize, &bytes, &failure))
        return loaded;
    const auto contents = parseProjectFile(projectFileText(bytes));
    if (!contents)
        return loaded;

    Project &project = loaded.project;
    project.Name = contents->Name;
    project.Description = contents->Description;
    project.FileName = nameOf(projectFilePath);
    project.Options = {folderOf(absolutePathOf(projectFilePath)), contents->ServerURL};
    for (const ProjectFileLine &line : contents->Files)
        loadListedFile(line, project.Options.Path, loaded);
    if (!contents->LastFilePath.isEmpty())
        loaded.lastRow = project.Files.FindFile(contents->LastFilePath) + 1;
    loaded.valid = true;
    setCurrentFolder(project.Options.Path);
    return loaded;
}
