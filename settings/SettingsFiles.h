#pragma once

#include <QString>
#include <string>

class CHistoryData;
class CSettingsLocation;
struct DialogInputs;

// The two settings files as one: read once each per load and written as one save, so that after
// a crash at any moment the next load gives all the old or all the new inputs, never the year of
// one save with the era of another. The files themselves keep their keys and bytes.

// Finishes a save of the pair that was interrupted after its commit, then reads the history data
// file into history and the dialog state file into inputs (LoadProfile, LoadDialogState).
void LoadSettingsFiles(DialogInputs& inputs, CHistoryData& history, CSettingsLocation& location);

// Writes both files as one save. Returns the path of the file that could not be written (then
// neither was), or an empty text.
QString SaveSettingsFiles(const DialogInputs& inputs, const CHistoryData& history,
                          CSettingsLocation& location);

// The command line's --load: the window's start-up inputs (LoadStartupInputs) from the files in
// folder. False, with a message for the user in error, when folder is empty or not a folder.
bool LoadSettingsFolder(const QString& folder, DialogInputs& inputs, std::string& error);

// The command line's --save: both files into folder, created when missing. False, with a message
// naming the file in error, when nothing could be written.
bool SaveSettingsFolder(const QString& folder, const DialogInputs& inputs,
                        const CHistoryData& history, std::string& error);
