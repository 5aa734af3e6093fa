#include "support/exam_screen.h"

#include <QDir>
#include <QImage>
#include <stdexcept>

#include "shared/recordsets.h"
#include "shared/statements.h"
#include "gif_writer.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "support/exam_db.h"
#include "support/modal_driver.h"

namespace testing_support {

ExamScreen::ExamScreen() {
    CreateSchema(Db());
    module.AppFolder = folder.Path();
    module.ConnectionString = ConnectionStringFor(folder.Path());
    module.Conn = std::make_unique<db::Connection>();
    module.SheetRs = std::make_unique<db::Recordset>();
    module.WorkRs = std::make_unique<db::Recordset>();
    shared::OpenConnection(*module.Conn, module.ConnectionString);
    form = std::make_unique<Frmftyaj>(module);
    form->Show();
    // The platform's own maximizing arrives as a posted event; let it pass first.
    ProcessEvents();
    form->resize(1024, 768);
    ProcessEvents();
}

ExamScreen::~ExamScreen() {
    if (form != nullptr) form->Unload();
}

void ExamScreen::SetExam(const QString& paperName, const QString& title) {
    module.CandidateName = QStringLiteral("驾驶员");
    module.AdmissionNo = QStringLiteral("1000001");
    module.PaperName = paperName;
    module.PaperTitle = title;
}

void ExamScreen::OpenSheet(const std::vector<Question>& questions,
                           const std::vector<db::Value>& answers) {
    const int count = static_cast<int>(questions.size());
    for (int k = 0; k < count; ++k) {
        Question q = questions[k];
        q.th = k + 1;
        q.bk = count - k;  // the copy takes the highest bk first
        AddQuestion(Db(), module.PaperName, q);
    }
    Exec(Db(), QStringLiteral("DELETE FROM sjdj"));
    Exec(Db(), statements::S6(module.PaperName, module.AdmissionNo));
    for (std::size_t k = 0; k < answers.size(); ++k) {
        const QString value =
            answers[k].IsNull()
                ? QStringLiteral("NULL")
                : QLatin1Char('\'') + statements::Quoted(answers[k].ToText()) + QLatin1Char('\'');
        Exec(Db(), QStringLiteral("UPDATE sjdj SET sjda = %1 WHERE th = %2").arg(value).arg(k + 1));
    }
    shared::OpenRecordset(*module.SheetRs, *module.Conn,
                        statements::S7(module.PaperName, module.AdmissionNo),
                        db::adLockBatchOptimistic, true);
    form->IdOffset =
        static_cast<qint32>(module.SheetRs->Field(QStringLiteral("id")).ToDouble() - 1);
}

void ExamScreen::WritePicture(const QString& fileName, int widthPx, int heightPx) {
    QImage picture(widthPx, heightPx, QImage::Format_RGB32);
    picture.fill(0xFF3060A0);
    const QString path = QDir(folder.PictureFolder()).filePath(fileName);
    QString error;
    if (!WriteGif(picture, path, &error)) {
        throw std::runtime_error("cannot write " + path.toStdString() + ": " + error.toStdString());
    }
}

}  // namespace testing_support
