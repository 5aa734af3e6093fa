// One next-question key on a 100-question sheet with pictures (saving the answer, the
// move, the display with its picture), against the same screen built from plain Qt
// labels showing the same captions and picture. Prints both medians and their ratio.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <chrono>

#include "median_reporter.h"
#include "platform/db/recordset.h"
#include "platform/ui/image_box.h"
#include "platform/ui/label.h"
#include "support/headless_app.h"
#include "support/terminal_fixture.h"
#include "gif_writer.h"  // tools/gif

namespace {

constexpr int kQuestions = 100;
testing_support::Terminal* g_terminal = nullptr;

QString PictureName(int i) { return QStringLiteral("B%1").arg(i % 20, 4, 10, QLatin1Char('0')); }

QString PicturePath(const testing_support::Terminal& t, int i) {
    return t.folder.PictureFolder() + QLatin1Char('/') + PictureName(i) + QStringLiteral(".gif");
}

QString QuestionText(int i) {
    return QStringLiteral("在高速公路上行驶时，遇到前方发生交通事故，驾驶员应当怎样做？第%1题")
        .arg(i);
}

// Four options, in another order on the next question; the fifth and sixth are empty.
QString Option(int i, int option) {
    static const QStringList options = {QStringLiteral("减速慢行，注意观察"),
                                        QStringLiteral("鸣喇叭催促"), QStringLiteral("立即停车"),
                                        QStringLiteral("绕道行驶")};
    return option > options.size() ? QString() : options[(i + option) % options.size()];
}

void MakeSheet(testing_support::Terminal& t) {
    QImage picture(240, 180, QImage::Format_RGB32);
    for (int i = 0; i < 20; ++i) {
        picture.fill(QColor::fromHsv(i * 18, 200, 220));
        WriteGif(picture, PicturePath(t, i));
    }
    testing_support::Exec(t.Db(), QStringLiteral("DELETE FROM sj"));
    for (int paper = 1; paper <= 5; ++paper) {
        testing_support::AddPaper(
            t.Db(), QStringLiteral("10001%1").arg(paper, 3, 10, QLatin1Char('0')), kQuestions,
            [](int i, testing_support::Question& q) {
                q.tm = QuestionText(i);
                for (int option = 1; option <= 6; ++option) {
                    if (!Option(i, option).isEmpty()) q.options[option - 1] = Option(i, option);
                }
                q.pcxname = PictureName(i);
            });
    }
}

// The terminal's exam screen rebuilt from plain widgets: the background picture on a
// label, a label for each of the form's labels with its place, font and colour, in the
// same stacking, and the question picture scaled into the box the terminal gives it.
class PlainScreen {
public:
    explicit PlainScreen(const Frmftyaj& form) {
        window_.setGeometry(form.geometry());
        auto* background = new QLabel(&window_);
        background->setPixmap(form.BackgroundPicture());
        background->adjustSize();
        for (const QObject* child : form.children()) {
            if (const auto* label = qobject_cast<const ui::Label*>(child)) {
                auto* plain = new QLabel(label->Caption(), &window_);
                plain->setGeometry(label->geometry());
                plain->setFont(label->font());
                QPalette palette = plain->palette();
                palette.setColor(QPalette::WindowText, label->ForeColor());
                plain->setPalette(palette);
                plain->setAlignment(label->Alignment() | Qt::AlignTop);
                plain->setWordWrap(label->GetSizing() != ui::Label::Sizing::AutoSize);
                if (label->Border()) plain->setFrameStyle(QFrame::Box | QFrame::Plain);
                plain->setVisible(label->Visible());
                labels_.insert(label->FullName(), plain);
            } else if (child == form.Image3) {
                picture_ = new QLabel(&window_);
                picture_->setGeometry(form.Image3->geometry());
                picture_->setScaledContents(true);
            }
        }
        window_.show();
        QCoreApplication::processEvents();
    }

    // What the key shows of question i. The picture is read from its file every time, as
    // the terminal does (QPixmap's own loading would keep it in the pixmap cache).
    void Show(int i) {
        Caption("Label5", QStringLiteral("单选题"));
        Caption("Label2", QStringLiteral("    ") + QuestionText(i));
        Caption("Label6(0)", {});
        for (int option = 1; option <= 6; ++option) {
            Caption(QStringLiteral("Label6(%1)").arg(option), Option(i, option));
        }
        Caption("Label11", QString::number(i));
        picture_->setPixmap(QPixmap::fromImage(QImage(PicturePath(*g_terminal, i))));
        picture_->repaint();
    }

private:
    void Caption(const QString& name, const QString& text) { labels_.value(name)->setText(text); }

    QWidget window_;
    QHash<QString, QLabel*> labels_;
    QLabel* picture_ = nullptr;
};

// One key and one plain display in turn, each timed on its own, so that a machine
// whose load changes slows both alike.
void BM_KeyThenPlainScreen(benchmark::State& state) {
    Frmftyaj* form = g_terminal->form;
    db::Recordset& sheet = *g_terminal->module->SheetRs;
    PlainScreen plain(*form);
    using Clock = std::chrono::steady_clock;
    Clock::duration key{}, shown{};
    int i = 0;
    for (auto _ : state) {
        if (sheet.AbsolutePosition() == sheet.RecordCount()) {
            sheet.MoveFirst();
            form->GetForms();
        }
        QKeyEvent event(QEvent::KeyPress, Qt::Key_Plus, Qt::KeypadModifier);
        const auto start = Clock::now();
        form->PreviewKey(&event);
        const auto between = Clock::now();
        plain.Show(i++ % kQuestions + 1);
        key += between - start;
        shown += Clock::now() - between;
    }
    const auto perKey = [](Clock::duration total) {
        return benchmark::Counter(std::chrono::duration<double, std::micro>(total).count(),
                                  benchmark::Counter::kAvgIterations);
    };
    state.counters["key_us"] = perKey(key);
    state.counters["plain_us"] = perKey(shown);
}

BENCHMARK(BM_KeyThenPlainScreen)->Unit(benchmark::kMicrosecond)->UseRealTime()->Repetitions(9)
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
    reporter.PrintRatio("next-question key", "BM_KeyThenPlainScreen/key_us",
                        "BM_KeyThenPlainScreen/plain_us", "us");
    return 0;
}
