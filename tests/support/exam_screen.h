#pragma once
// The main examination form on a fresh module with an empty exam database, shown
// headless at 1024 x 768.

#include <memory>
#include <vector>

#include "exam/frmftyaj.h"
#include "platform/db/value.h"
#include "shared/module1.h"
#include "support/exam_db.h"
#include "support/fakes.h"
#include "support/program_folder.h"

namespace testing_support {

class ExamScreen {
public:
    ExamScreen();
    ~ExamScreen();

    // The running exam's identity, as the idle cycle sets it.
    void SetExam(const QString& paperName, const QString& title = QStringLiteral("小型汽车"));
    QString Db() const { return folder.DatabasePath(); }
    // Makes the questions, in this order, the running exam's sheet with the answers
    // given (missing ones stay at the table's default), and opens SheetRs on its first
    // row as the sheet building leaves it.
    void OpenSheet(const std::vector<Question>& questions,
                   const std::vector<db::Value>& answers = {});
    // A real picture file of the given pixel size in the picture folder tp2/.
    void WritePicture(const QString& fileName, int widthPx, int heightPx);

    ProgramFolder folder;
    FakeServices fakes{folder.Path()};
    shared::Module1 module{fakes.services};
    std::unique_ptr<Frmftyaj> form;
};

}  // namespace testing_support
