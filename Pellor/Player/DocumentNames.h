#pragma once
// The names the log gives the documents of this run: a document's file name,
// or, once another document of the same file name has been opened, as much of
// its path (folders before the file name) as tells the two apart:
// "a/data.json" and "b/data.json". Every document opened in the run counts,
// closed ones too, so that a line never names two documents.
//
// One per process (shared()), filled as documents' loggers are made
// (DocumentLogger); safe to call from any thread that reports.

#include <QString>
#include <QStringList>
#include <map>
#include <mutex>

namespace pellor {

class DocumentNames {
public:
    static DocumentNames& shared();

    // Notes a document by its absolute path; a path noted before changes nothing.
    void note(const QString& path);
    // The document's name as it stands now; empty for a document without a file.
    QString nameOf(const QString& path) const;

private:
    mutable std::mutex lock_;
    // The paths noted, by file name.
    std::map<QString, QStringList> paths_;
};

}  // namespace pellor
