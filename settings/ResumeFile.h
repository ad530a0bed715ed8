#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <string>
#include <string_view>

#include "input/ResumeInputs.h"

class CSettingsLocation;
class IMessagePresenter;

// The choices of the 学歴 block, "VesmerResume.ini" in the settings folder: UTF-8, a line
// "[VesmerResume]", then one "key=value" line per input of ResumeSchema(), keyed by the field's
// name. A list is written as its item's text (an index is read too), the check box as 1 or 0,
// a text as typed (a line break in it becomes a blank). Unknown keys and other sections are
// ignored; a value that fits no item keeps the default.
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

// Reads and writes the file. A file that is there but cannot be read (a FIFO, a device, a link
// that someone else could have planted, over kMaxResumeFileBytes, no UTF-8) is left as it is:
// the load says so, and a save asks (Yes/No) before it replaces such a file; after a No it is
// not asked again and the file stays until the program starts anew. Written like the settings
// pair: a private folder made where missing, a new file readable by its owner only, whole or
// not at all, never through a planted link.
class CResumeStore {
  public:
    // caption: the title of the question and of the failure message.
    CResumeStore(CSettingsLocation& location, IMessagePresenter& presenter,
                 std::string_view caption);

    // The stored choices, or the defaults; problem is set to a message naming the file when
    // the file is there but cannot be read.
    ResumeInputs Load(std::string& problem);

    // Writes inputs unless they are what the file already holds. The first failure to write is
    // reported. False when nothing was written for inputs (no settings folder, a refused or
    // failed write).
    bool Save(const ResumeInputs& inputs);

  private:
    bool MayReplace(const QString& path);

    CSettingsLocation& m_location;
    IMessagePresenter& m_presenter;
    std::string m_strCaption;
    std::optional<ResumeInputs> m_stored;  // what the file holds, as far as known
    QString m_strKeptPath;                 // an unreadable file the user chose to keep
    bool m_bFailureReported = false;
};
