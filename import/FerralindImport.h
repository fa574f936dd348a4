#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

class Database;

// What an import says while it runs, called on the thread that runs it.
struct ImportReport {
    // A step begins: its caption turns bold and the animation plays.
    std::function<void(int step)> started = [](int) {};
    // The progress bar of the running step.
    std::function<void(int value, int maximum)> progress = [](int, int) {};
    // A step is over: its tick is shown.
    std::function<void(int step)> finished = [](int) {};
};

// The import of a whole farm from the predecessor program, Ferralind: the
// dBase files of its folder replace the farm parameters (the mark names
// excepted), the structure, the maternity ledger, the females and their cycles,
// the males and their matings, the pools and their totals and the fattening
// movements, and every animal's efficiency index is computed again.
//
// The predecessor knows an animal by the position of its record (from 1) in
// "fich_.dbf" or "Macho6.dbf"; that position becomes its code, and a record
// that is skipped (no birth or entry date, or marked deleted) keeps its
// position so the codes after it do not move.
//
// Nothing is half done: every source file is opened and every field the steps read
// is looked up before anything is written, the farm is then saved as a safety
// copy, and the nine steps run in one transaction. Any failure leaves the farm
// exactly as it was.
class FerralindImport {
public:
    static constexpr int kSteps = 9;
    // The nine steps' captions, in their order.
    static const QStringList& stepCaptions();
    // The source files, as the steps name them.
    static const QStringList& sourceFiles();
    // What is said when the folder lacks one of the files (each "\r" a line break).
    static QString missingFolderMessage();

    // Runs the whole import from `folder` and returns the path of the safety copy
    // taken first. Throws ImportError (a file or field missing, a value the farm
    // cannot take, naming the file, record and field) or DbError (the safety
    // copy); the farm is unchanged then.
    static QString run(Database& db, const QString& folder, const QDateTime& when, const ImportReport& report = {});
};
