// One next-question key on a 100-question sheet with pictures (saving the answer, the
// move, the display with its picture), against a baseline that only puts the same
// captions and picture on plain labels. Prints both medians and their ratio.
#include <benchmark/benchmark.h>

#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <array>
#include <memory>

#include "median_reporter.h"
#include "platform/db/recordset.h"
#include "support/headless_app.h"
#include "support/terminal_fixture.h"
#include "gif_writer.h"  // tools/gif

namespace {

constexpr int kQuestions = 100;
testing_support::Terminal* g_terminal = nullptr;

QString PictureName(int i) { return QStringLiteral("B%1").arg(i % 20, 4, 10, QLatin1Char('0')); }

void MakeSheet(testing_support::Terminal& t) {
    QImage picture(240, 180, QImage::Format_RGB32);
    for (int i = 0; i < 20; ++i) {
        picture.fill(QColor::fromHsv(i * 18, 200, 220));
        WriteGif(picture, t.folder.PictureFolder() + QLatin1Char('/') + PictureName(i) +
                              QStringLiteral(".gif"));
    }
    testing_support::Exec(t.Db(), QStringLiteral("DELETE FROM sj"));
    for (int paper = 1; paper <= 5; ++paper) {
        testing_support::AddPaper(
            t.Db(), QStringLiteral("10001%1").arg(paper, 3, 10, QLatin1Char('0')), kQuestions,
            [](int i, testing_support::Question& q) {
                q.tm = QStringLiteral("在高速公路上行驶时，遇到前方发生交通事故，驾驶员应当怎样做？第%1题")
                           .arg(i);
                q.options = {QStringLiteral("减速慢行，注意观察"), QStringLiteral("鸣喇叭催促"),
                             QStringLiteral("立即停车"), QStringLiteral("绕道行驶"), {}, {}};
                q.pcxname = PictureName(i);
            });
    }
}

void BM_NextQuestionKey(benchmark::State& state) {
    Frmftyaj* form = g_terminal->form;
    db::Recordset& sheet = *g_terminal->module->SheetRs;
    for (auto _ : state) {
        if (sheet.AbsolutePosition() == sheet.RecordCount()) {
            state.PauseTiming();
            sheet.MoveFirst();
            form->GetForms();
            state.ResumeTiming();
        }
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Plus, Qt::KeypadModifier);
        form->PreviewKey(&key);
    }
}

void BM_PlainLabels(benchmark::State& state) {
    QWidget window;
    window.resize(1024, 768);
    std::array<QLabel*, 10> labels{};
    for (auto& label : labels) {
        label = new QLabel(&window);
        label->setWordWrap(true);
    }
    auto* picture = new QLabel(&window);
    window.show();
    int i = 0;
    for (auto _ : state) {
        labels[0]->setText(QStringLiteral("单选题"));
        labels[1]->setText(QStringLiteral("    在高速公路上行驶时，遇到前方发生交通事故，驾驶员应当怎样做？第%1题").arg(i));
        labels[2]->setText(QString());
        labels[3]->setText(QStringLiteral("减速慢行，注意观察"));
        labels[4]->setText(QStringLiteral("鸣喇叭催促"));
        labels[5]->setText(QStringLiteral("立即停车"));
        labels[6]->setText(QStringLiteral("绕道行驶"));
        labels[7]->setText(QString());
        labels[8]->setText(QString());
        labels[9]->setText(QString::number(i % kQuestions + 1));
        // Read from the file each time, as the display does: no pixmap cache.
        picture->setPixmap(QPixmap::fromImage(QImage(g_terminal->folder.PictureFolder() +
                                                     QLatin1Char('/') + PictureName(i) +
                                                     QStringLiteral(".gif"))));
        picture->repaint();
        ++i;
    }
}

BENCHMARK(BM_NextQuestionKey)->Unit(benchmark::kMicrosecond)->UseRealTime()->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_PlainLabels)->Unit(benchmark::kMicrosecond)->UseRealTime()->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    const auto app = testing_support::StartHeadlessApplication(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    testing_support::Terminal terminal;
    MakeSheet(terminal);
    if (!terminal.Start()) return 1;
    terminal.TakeOffer();
    if (terminal.form->PaperState != QStringLiteral("111")) return 1;
    g_terminal = &terminal;

    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    reporter.PrintRatio("next-question key", "BM_NextQuestionKey", "BM_PlainLabels", "us");
    return 0;
}
