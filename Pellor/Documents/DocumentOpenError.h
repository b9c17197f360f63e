#pragma once
// Why a file could not be opened as a document: it could not be read, or it is
// neither a ZIP archive nor JSON. Carries the file's path and a sentence for
// the user that names the file.

#include <QString>
#include <stdexcept>

namespace pellor {

class DocumentOpenError : public std::runtime_error {
public:
    enum class Reason { unreadable, notAnAnimation };

    DocumentOpenError(Reason reason, QString path, QString detail);

    Reason reason() const { return reason_; }
    const QString& path() const { return path_; }
    // The file's name in the user's words ("clip.json").
    QString fileName() const;
    // What the user reads: 'The file “clip.json” couldn’t be opened.'
    QString message() const;
    // Why, in one sentence.
    const QString& detail() const { return detail_; }

private:
    Reason reason_;
    QString path_;
    QString detail_;
};

}  // namespace pellor
