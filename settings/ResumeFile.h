#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <string_view>

#include "input/ResumeInputs.h"

class CSettingsLocation;

// The choices of the 学歴 block, "VesmerResume.ini" in the settings folder: UTF-8, a line
// "[VesmerResume]", then one "key=value" line per input of ResumeSchema(), keyed by the field's
// name, and the rows of 「休学・留学など」 as StoredEventValues gives them ("event1.kind=休学").
// A list is written as its item's text (an index is read too), the check box as 1 or 0, a text
// as typed (a line break in it becomes a blank). Unknown keys and other sections are ignored; a
// value that fits no item keeps the default; the first of duplicate keys counts. A file of the
// version before the rows reads as it did, without rows.
inline constexpr const char* kResumeFileName = "VesmerResume.ini";
inline constexpr std::string_view kResumeSection = "VesmerResume";
// A larger file is no file of these choices.
inline constexpr qint64 kMaxResumeFileBytes = 64 * 1024;

QByteArray ResumeFileBytes(const ResumeInputs& inputs);
// The inputs a file's bytes give (a byte-order mark is skipped); nothing for bytes that are no
// UTF-8.
std::optional<ResumeInputs> ParseResumeFile(const QByteArray& bytes);

// Full path of the file in the settings folder; empty when there is no folder for settings.
QString ResumeFilePath(const CSettingsLocation& location);

// What the file held when it was read.
enum class ResumeFileState {
    NoFolder,    // no folder for settings: nothing is read or written
    Missing,     // no file yet
    Read,        // the file's choices
    Unreadable,  // there, but no file of these choices (see CResumeStore); left as it is
};

struct ResumeFileLoad {
    ResumeFileState state = ResumeFileState::NoFolder;
    ResumeInputs inputs;  // the file's choices; the defaults unless it was read
    QString path;         // the file; empty without a folder for settings
};

enum class ResumeFileSave {
    Written,     // or nothing to write: the file holds these choices already
    NoFolder,    // no folder for settings
    Unreadable,  // a file that cannot be read is in the way and was not to be replaced
    Failed,      // the file could not be written
};

// Reads and writes the file. A file that is there but cannot be read (a FIFO, a device, a link
// that someone else could have planted, over kMaxResumeFileBytes, no UTF-8) is left as it is
// unless the caller says that it may be replaced. Written like the settings pair: a private
// folder made where missing, a new file readable by its owner only, whole or not at all, never
// through a planted link. Asks and reports nothing: the caller decides what to say.
class CResumeStore {
  public:
    explicit CResumeStore(CSettingsLocation& location);

    ResumeFileLoad Load();
    // Writes inputs unless they are what the file already holds; a file that cannot be read is
    // replaced only with replaceUnreadable. Choices that would make a file over
    // kMaxResumeFileBytes are not written (Failed).
    ResumeFileSave Save(const ResumeInputs& inputs, bool replaceUnreadable = false);
    QString Path() const;

  private:
    CSettingsLocation& m_location;
    std::optional<ResumeInputs> m_stored;  // what the file holds, as far as known
};
