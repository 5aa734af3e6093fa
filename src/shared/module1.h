#pragma once
// Layer 2, what every screen shares: the module Module1 with the state of the screens,
// the connection string, the error report and the shutdown; the statements S1 to S11
// of korva.mdb, the one way to open the connection and the recordsets, and the
// schema. It may use the platform layer only; it knows no screen.

#include <QString>
#include <exception>
#include <memory>

#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/folder_lock.h"
#include "platform/system.h"

namespace ui {
class Form;
}

namespace shared {

inline const QString kApplicationTitle = QStringLiteral("Kestrova");

// One line on standard error: the detail of a failure that the user is told of in
// fewer words, or not at all.
void WriteDetail(const QString& detail);

// Exit statuses of the program.
constexpr int kExitNormal = 0;          // closed with the operator code
constexpr int kExitStartupFailure = 1;  // database or window could not be set up (told)
constexpr int kExitSettings = 2;        // settings missing or unusable (silent)

class Module1 {
public:
    explicit Module1(platform::Services& services);
    ~Module1();

    platform::Services& Sys;
    // The program folder's lock, held from the start of the run to its end; declared
    // first so that it goes last, after the connection.
    platform::FolderLock RunLock;

    QString ConnectionString;
    QString AppFolder;
    qint32 PaperCount = 0;
    QString CandidateName;
    QString AdmissionNo;
    QString PaperName;
    QString PaperTitle;
    QString ResultText;
    QString ReviewPaper;
    qint32 ExamMinutes = 0;
    QString PaperKind;
    std::unique_ptr<db::Connection> Conn;
    std::unique_ptr<db::Recordset> SheetRs;
    std::unique_ptr<db::Recordset> WorkRs;
    // The main examination form, made by the start-up.
    std::unique_ptr<ui::Form> MainForm;
    // The paper-kind selection stays loaded, hidden, until the program ends.
    std::unique_ptr<ui::Form> PaperKindForm;

    // The question bank's file in the program folder, for messages that name it.
    QString DatabaseFile() const;

    // The one report of a failure during an exam; the detail goes to standard error.
    void ReportError(const std::exception* error);
    void ReportError(const QString& detail);

    void ShutDown(const qint32& mode);

    // Start-up failures that the operator must see: a message box naming what failed
    // and why, the detail on standard error, then the end with kExitStartupFailure.
    void FailStartup(const QString& what, const QString& why);

    // Ends the program through the seam. Returns only under test, and then marks the
    // run as ended so that every caller stops.
    void EndProgram(int status);
    bool Ended() const { return ended_; }
    int ExitStatus() const { return exitStatus_; }

private:
    bool ended_ = false;
    int exitStatus_ = 0;
};

}  // namespace shared
