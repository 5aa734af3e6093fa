#pragma once
// The program's spine: shared state of the screens, start-up, error report and
// shutdown.

#include <QString>
#include <exception>
#include <memory>

#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/system.h"

class Frmftyaj;
class Frmquit5;

namespace startup {

inline const QString kApplicationTitle = QStringLiteral("Kestrova");

// Exit statuses of the program.
constexpr int kExitNormal = 0;          // closed with the operator code
constexpr int kExitStartupFailure = 1;  // database or window could not be set up (told)
constexpr int kExitSettings = 2;        // settings missing or unusable (silent)

class Module1 {
public:
    explicit Module1(platform::Services& services);
    ~Module1();

    platform::Services& Sys;

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
    std::unique_ptr<Frmftyaj> MainForm;
    // The paper-kind selection stays loaded, hidden, until the program ends.
    std::unique_ptr<Frmquit5> PaperKindForm;

    // The question bank's file in the program folder, for messages that name it.
    QString DatabaseFile() const;

    // Runs the start-up and the main form; returns the exit status of a normal end.
    int Main();

    // Main's steps before the main form: settings, connection string, database
    // objects, the paper kind. False when the program has ended.
    bool PrepareRun();
    void CreateMainForm();

    // Reads and checks the settings; false when it has ended the program.
    bool GetIni();

    // Has the operator choose the paper kind; false when it has ended the program.
    bool ChoosePaperKind();

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

// What main() does: font set-up, a Module1 on the given services, Main.
int RunProgram(platform::Services& services);

}  // namespace startup
