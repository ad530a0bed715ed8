#pragma once

#include <QString>
#include <string>

class CHistoryData;
class CSettingsLocation;
struct DialogInputs;

// What the window keeps of its inputs between runs, in the two settings files (SettingsFiles.h).

// What the window does at start: the defaults, the history data file into the model, the dialog
// state file into the inputs, then the model's birth date and counts into the texts. A selection
// index outside its list becomes -1, as the window reads back an empty selection.
void LoadStartupInputs(DialogInputs& inputs, CHistoryData& history, CSettingsLocation& location);

// What a successful Calculate saves: the history data file and the dialog state file, as one
// save (SaveSettingsFiles). False when they could not be written; the window does not say so.
bool SaveAfterCalculate(const DialogInputs& inputs, const CHistoryData& history,
                        CSettingsLocation& location);

// The command line's --load: the window's start-up inputs from the files in folder. False, with
// a message for the user in error, when folder is empty or not a folder.
bool LoadSettingsFolder(const QString& folder, DialogInputs& inputs, std::string& error);

// The command line's --save: both files into folder, created when missing. False, with a message
// naming the file in error, when nothing could be written.
bool SaveSettingsFolder(const QString& folder, const DialogInputs& inputs,
                        const CHistoryData& history, std::string& error);
