#pragma once

#include "TextEncoding.h"

#include <QString>

#include <memory>

class UndoHistory;
#include <vector>

// The line ends a file gets on disk; the text in memory always has CR LF.
enum class LineEnds : quint16 { Windows = 0, Unix = 1 };

// A file on disk as far as noticing a change made outside the program goes.
struct DiskStamp {
    bool exists = false;
    qint64 size = 0;
    qint64 modifiedNs = 0;

    bool operator==(const DiskStamp &) const = default;
};

// One open file: its text lives here while another file is shown in the editor.
struct ProjectFile {
    QString FileName; // full path (for a new file, the path it will get)
    QString Path; // folder with its trailing "/"
    QString FileType; // "PHP", "HTML", ... or the kind given by a New command
    QString Text; // every line followed by CR LF; the active file's is in the editor until stored
    bool Saved = false;
    bool Modified = false;
    int CaretX = 0;
    int CaretY = 0;
    int TopLine = 0;
    int LeftChar = 0;
    // The editor's undo and redo lists of the file while another file is shown; none: fresh ones.
    // Only the editor knows what they hold, so they are destroyed through the pointer it made.
    std::shared_ptr<UndoHistory> UndoList;
    bool IsNew = false;
    LineEnds LineFormat = LineEnds::Windows;

    // What writing needs to give back the bytes that were read.
    TextEncoding Encoding = TextEncoding::Utf8;
    bool HasBom = false;
    // False when the file's last line had no line end; saving then adds none either.
    bool FinalLineEnd = true;

    // The file on disk when it was last read or written (exists: the text came from there), and
    // as it was when the user last heard of a change to it.
    DiskStamp Stamp;
    DiskStamp Noticed;
};

enum class NewFileKind { Php, Html, JavaScript, Undefined };

// The open files of a project, in the order the project lists them.
class FileTable
{
public:
    int size() const { return int(m_files.size()); }
    bool isEmpty() const { return m_files.empty(); }
    ProjectFile &operator[](int index) { return m_files.at(std::size_t(index)); }
    const ProjectFile &operator[](int index) const { return m_files.at(std::size_t(index)); }
    auto begin() { return m_files.begin(); }
    auto end() { return m_files.end(); }
    auto begin() const { return m_files.begin(); }
    auto end() const { return m_files.end(); }

    // The index of the last entry named path (names compare exactly), -1 when there is none.
    int FindFile(const QString &path) const;
    // Appends a new, unsaved entry with the template text of its type.
    ProjectFile &AddFileRecord(const QString &fileName, const QString &fileType, const QString &folder);
    // Appends a ready entry (a file read from disk).
    void append(ProjectFile file) { m_files.push_back(std::move(file)); }
    // New PHP, HTML, JavaScript or Undefined file: folder + "new" + the smallest free number +
    // the kind's extension. Returns its index.
    int AddNewFile(const QString &folder, NewFileKind kind);

    void remove(int index);
    // Move File UP/DOWN.
    void swap(int a, int b);
    void clear() { m_files.clear(); }

    // False while some file is modified and not saved.
    bool AllFilesSaved() const;

private:
    std::vector<ProjectFile> m_files;
};
