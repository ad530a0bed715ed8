#include "platform/WholeFile.h"

#include <QDir>
#include <algorithm>
#include <optional>

namespace {

std::function<bool(int)>& StepHook() {
    static std::function<bool(int)> s_hook;
    return s_hook;
}

QString BesideWithSuffix(const QString& path, const char* suffix) {
    const QString clean = QDir::fromNativeSeparators(path);
    const QString name = clean.sliced(clean.lastIndexOf(QLatin1Char('/')) + 1);
    return FolderOf(clean) + QStringLiteral("/.") + name + QLatin1String(suffix);
}

QString TemporaryPath(const QString& target) {
    return BesideWithSuffix(target, ".vesmer-new");
}

QString MarkerPath(const std::vector<QString>& paths) {
    return BesideWithSuffix(paths.front(), ".vesmer-pair");
}

// How one file is written: replaced through a temporary file, which takes over the permissions
// of the file it replaces, or overwritten in place.
struct WritePlan {
    QString target;
    QString temporary;  // empty: in place
    QString likeFile;   // the target when it exists, else empty
};

std::optional<WritePlan> PlanWrite(const QString& path) {
    if (path.isEmpty()) return std::nullopt;
    const ResolvedPath resolved = ResolveLinks(path);
    if (resolved.refused || (resolved.exists && !IsWritableFile(resolved.path)))
        return std::nullopt;
    const QString existing = resolved.exists ? resolved.path : QString();
    WritePlan plan{resolved.path, TemporaryPath(resolved.path), existing};
    if (CanCreateIn(FolderOf(plan.target))) return plan;
    if (existing.isEmpty()) return std::nullopt;
    plan.temporary.clear();
    return plan;
}

// Counts a step of a save; false when a test ends the save there.
bool Step(int& step) {
    const int current = step++;
    return !StepHook() || StepHook()(current);
}

// Renames the committed temporary files into place. Returns, for each path, the file that holds
// its content now: the temporary file where it could not be moved.
std::vector<QString> FinishCommittedSave(const std::vector<QString>& paths) {
    std::vector<QString> holders = paths;
    const QString marker = MarkerPath(paths);
    if (paths.size() < 2 || !EntryExists(marker)) return holders;
    bool finished = true;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const ResolvedPath resolved = ResolveLinks(paths[i]);
        const QString temporary = TemporaryPath(resolved.path);
        const ResolvedPath pending = ResolveLinks(temporary);
        if (resolved.refused || !pending.exists || pending.refused || pending.path != temporary ||
            MoveIntoPlace(temporary, resolved.path))
            continue;
        holders[i] = temporary;
        finished = false;
    }
    SyncFolder(FolderOf(marker));
    if (finished) {
        RemoveEntry(marker);
        SyncFolder(FolderOf(marker));
    }
    return holders;
}

void RemoveTemporaryFiles(const std::vector<WritePlan>& plans) {
    for (const WritePlan& plan : plans) {
        if (!plan.temporary.isEmpty()) RemoveEntry(plan.temporary);
    }
}

// The steps after the planning; see WriteWholeFiles.
int CarryOut(const std::vector<WritePlan>& plans, const std::vector<WholeFileWrite>& files,
             const QString& marker, NewFileMode mode) {
    int step = 0;
    for (std::size_t i = 0; i < plans.size(); ++i) {
        const WritePlan& plan = plans[i];
        if (plan.temporary.isEmpty()) continue;
        RemoveEntry(plan.temporary);
        if (!WriteNewFile(plan.temporary, files[i].bytes, plan.likeFile, mode)) {
            RemoveTemporaryFiles(plans);
            return static_cast<int>(i);
        }
        if (!Step(step)) return static_cast<int>(i);
    }
    if (!marker.isEmpty()) {
        if (!WriteNewFile(marker, {}, {}, NewFileMode::OwnerOnly)) {
            RemoveTemporaryFiles(plans);
            return 0;
        }
        SyncFolder(FolderOf(marker));
        if (!Step(step)) return 0;
    }
    for (std::size_t i = 0; i < plans.size(); ++i) {
        const WritePlan& plan = plans[i];
        const bool written = plan.temporary.isEmpty() ? WriteInPlace(plan.target, files[i].bytes)
                                                      : MoveIntoPlace(plan.temporary, plan.target);
        if (!written) {
            // Before the commit nothing may stay behind; after it the next read finishes.
            if (marker.isEmpty()) RemoveTemporaryFiles(plans);
            return static_cast<int>(i);
        }
        if (!Step(step)) return static_cast<int>(i);
    }
    // The replacements are on the disk before the marker goes; its own removal may wait: a
    // marker without temporary files is cleared by the next read or write.
    std::vector<QString> folders;
    for (const WritePlan& plan : plans) {
        const QString folder = FolderOf(plan.target);
        if (std::find(folders.begin(), folders.end(), folder) == folders.end()) {
            folders.push_back(folder);
            SyncFolder(folder);
        }
    }
    if (!marker.isEmpty()) {
        RemoveEntry(marker);
        Step(step);
    }
    return -1;
}

std::vector<QString> PathsOf(const std::vector<WholeFileWrite>& files) {
    std::vector<QString> paths;
    for (const WholeFileWrite& file : files) paths.push_back(file.path);
    return paths;
}

}  // namespace

void SetWriteStepHookForTesting(std::function<bool(int step)> hook) {
    StepHook() = std::move(hook);
}

int WriteWholeFiles(const std::vector<WholeFileWrite>& files, NewFileMode mode) {
    if (files.empty()) return -1;
    const std::vector<QString> paths = PathsOf(files);
    if (paths.front().isEmpty()) return 0;
    const CFolderLock lock(FolderOf(paths.front()));
    if (!lock.Acquired()) return 0;
    FinishCommittedSave(paths);
    // A commit marker that could not be cleared would commit this save before its time.
    if (files.size() > 1 && EntryExists(MarkerPath(paths))) return 0;

    std::vector<WritePlan> plans;
    bool allReplaced = true;
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::optional<WritePlan> plan = PlanWrite(files[i].path);
        if (!plan) return static_cast<int>(i);
        allReplaced = allReplaced && !plan->temporary.isEmpty();
        plans.push_back(std::move(*plan));
    }
    // Files overwritten in place cannot wait for a commit; the marker would only mislead.
    const QString marker = files.size() > 1 && allReplaced ? MarkerPath(paths) : QString();
    return CarryOut(plans, files, marker, mode);
}

bool WriteWholeFile(const QString& path, const QByteArray& bytes, NewFileMode mode) {
    return WriteWholeFiles({{path, bytes}}, mode) < 0;
}

WholeFileContent ReadWholeFile(const QString& path, qint64 maxBytes) {
    WholeFileContent content;
    if (path.isEmpty()) return content;
    const ResolvedPath resolved = ResolveLinks(path);
    if (resolved.refused) {
        content.state = FileRead::Unusable;
    } else if (resolved.exists) {
        content.state = ReadRegularFile(resolved.path, maxBytes, content.bytes);
    }
    return content;
}

std::vector<WholeFileContent> ReadWholeFiles(const std::vector<QString>& paths, qint64 maxBytes) {
    std::vector<WholeFileContent> contents;
    if (paths.empty() || paths.front().isEmpty())
        return std::vector<WholeFileContent>(paths.size());
    const CFolderLock lock(FolderOf(paths.front()));
    for (const QString& holder : FinishCommittedSave(paths))
        contents.push_back(ReadWholeFile(holder, maxBytes));
    return contents;
}
