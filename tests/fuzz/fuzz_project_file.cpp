// The project file reader: any bytes parse or are refused, and what it accepts is written and
// read back the same.
#include "FuzzSupport.h"
#include "Project.h"
#include "ProjectFileFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    const std::optional<ProjectFileContents> parsed = parseProjectFile(projectFileText(bytes));
    if (!parsed)
        return 0;
    // Written back from a project that holds what was read, and read again.
    Project project;
    project.Name = parsed->Name;
    project.Description = parsed->Description;
    project.Options.ServerURL = parsed->ServerURL;
    for (const ProjectFileLine &line : parsed->Files) {
        ProjectFile &file = project.Files.AddFileRecord(line.Path, line.FileType, QString());
        file.IsNew = false;
        file.Saved = true;
        file.CaretX = line.CaretX;
        file.CaretY = line.CaretY;
        file.TopLine = line.TopLine;
        file.LineFormat = line.LineFormat;
    }
    const QByteArray written = projectFileBytes(project, 0);
    const std::optional<ProjectFileContents> again = parseProjectFile(projectFileText(written));
    FUZZ_CHECK(again);
    FUZZ_CHECK(projectFileBytes(project, 0) == written);
    return 0;
}
